// Level files on disk for the level tool: reading any path into a board that
// the game's rules can play, and writing a board in the game's 1140-byte form.
#pragma once
#include <memory>
#include <string>

#include "rules/Board.h"

namespace qm {

// The tool's boards are the rules' own: the cells with start, end and entry.
using BoardPtr = std::shared_ptr<Board>;

class LevelFile {
public:
    // Null when the file cannot be read; `problem` then says why. A readable
    // file that breaks the campaign's rules (size, version, start, end) still
    // gives a board, with the first such fault in `problem`.
    // A name ending in ".txt" is a board drawn as text (rules/TextBoard.h):
    // up to 14 rows of up to 20 cells, cells not drawn are wall, lines
    // starting with ';' are notes.
    static BoardPtr read(const std::string& path, std::string* problem);
    static BoardPtr readText(const std::string& path, std::string* problem);
    // Writes version 2, the tile set, -1, the cells column by column, the entry.
    // The tile set is the one the game gives the level the name numbers.
    static bool write(const Board& board, const std::string& path);
    // The level number in a name such as "levels/12.lvl"; -1 when there is none.
    static int levelNumberOf(const std::string& path);
    // Start and end taken afresh from the cells (the last start and end in
    // scan order count, as when the game loads a level).
    static void settle(Board& board);
    static std::string pathFor(const std::string& dir, int level);
};

}  // namespace qm
