// The level editor built into the play screen: its selected mode and the
// per-tick handling of the palette, the mouse and the editor keys.
#pragma once
#include <memory>
#include <string>

namespace qm {

class EditorState {
public:
    int mode = 0;

    static std::shared_ptr<EditorState> create();
    // The last step of the board's update, once per logic step of play.
    void editorTick(int inputAllowed);
    // The three help lines drawn at the bottom of the play screen while editing.
    static std::string helpLine(int index);
};

}  // namespace qm
