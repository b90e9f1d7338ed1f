// Level files on disk for the level tool: reading any path into a board that
// the game's rules can play, and writing a board in the game's 1140-byte form.
#pragma once
#include <string>
#include "play/LevelMap.h"

namespace qm {

class LevelFile {
public:
    // Null when the file cannot be read; `problem` then says why. A readable
    // file that breaks the campaign's rules (size, version, start, end) still
    // gives a board, with the first such fault in `problem`.
    // A name ending in ".txt" is a board drawn as text (rules/TextBoard.h):
    // up to 14 rows of up to 20 cells, cells not drawn are wall, lines
    // starting with ';' are notes.
    static LevelMapPtr read(const std::string& path, int levelNumber, std::string* problem);
    static LevelMapPtr readText(const std::string& path, int levelNumber, std::string* problem);
    // Writes version 2, the tile set, -1, the cells column by column, the entry.
    static bool write(const LevelMap& board, const std::string& path);
    // The level number in a name such as "levels/12.lvl"; -1 when there is none.
    static int levelNumberOf(const std::string& path);
    // Start, end and gizmo state taken afresh from the cells (the last start and
    // end in scan order count, as when the game loads a level).
    static void settle(LevelMap& board);
    static std::string pathFor(const std::string& dir, int level);
};

}  // namespace qm
