// The level editor built into the play screen: its selected mode and the
// per-tick handling of the palette, the mouse and the editor keys.
#pragma once
#include <memory>
#include <string>

namespace qm {

class LevelMap;

class EditorState {
public:
    int mode = 0;  // 0..24, the tile the left button paints
    // The board the reachability overlay was last worked out for.
    const LevelMap* searchedBoard = nullptr;

    static std::shared_ptr<EditorState> create();
    // Once per logic step of play, after the board's tick.
    // Answers V always, E in the developer build, and the rest while editing.
    void editorTick(int inputAllowed);

    // The editor mode a palette hit code selects, or -1 (entry 6 and any
    // code outside 3..28 select nothing).
    static int modeForEntry(int entry);
    // The three help lines (i = 0, 1, 2) drawn under the board while editing.
    static std::string helpLine(int i);
    // Draws them at (0, 556), (0, 570) and (0, 584) in the current colour.

private:
    void selectFromPalette(int buttonCode);
    // One row of the key table; each returns true when its row fired.
    bool runKeyTable(LevelMap& map, int inputAllowed);
    void paint(LevelMap& map, int x, int y);
    void clear(LevelMap& map, int x, int y);
};

}  // namespace qm
