// Boards for tests drawn as text, one character a cell, rows y 0.. downward,
// in the one legend of rules/TextBoard.h (# wall, . floor, S start, E end,
// k K keys, l m locks, * switch, x w shatter, H V beam blocks, > < v ^
// boosters, A B C D angle blocks, r recall point, p recall pad, 0-9 teleports),
// so a test shows the board it plays on. Rules-only: the game's boards are in
// support/MapText.h.
#pragma once
#include <string>
#include <vector>

#include "rules/TextBoard.h"

namespace qm::test {

// Cells the rows do not reach are `fill`; start and end are found as
// loading finds them.
inline void fillFromText(Board& board, const std::vector<std::string>& rows, char fill = '.') {
    TextBoard::fill(board, rows, fill);
}

inline Board boardFromText(const std::vector<std::string>& rows, char fill = '.') { return TextBoard::parse(rows, fill); }

// Floor inside a ring of wall around the outside cells.
inline std::vector<std::string> walledRows() {
    std::vector<std::string> rows(kBoardHeight, "#" + std::string(kBoardWidth - 2, '.') + "#");
    rows.front() = rows.back() = std::string(kBoardWidth, '#');
    return rows;
}

}  // namespace qm::test
