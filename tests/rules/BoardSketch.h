// Boards for the search tests, drawn as 14 text rows of 20 characters:
//   # wall  . floor  S start  E end  k key 1  K key 2  l lock 1  L lock 2
//   > < v ^ boosters  x shatter  w weak shatter  r recall point  p recall pad
//   s switch  H horizontal beam block  V vertical beam block  0-9 teleports 16-25
//   / angle 122 (top-left)  \ angle 119 (bottom-right)  ( angle 121  ) angle 120
#pragma once
#include <string>
#include <vector>

#include "rules/Board.h"

namespace qm::test {

inline int sketchCode(char c) {
    switch (c) {
        case '#': return 10;
        case '.': return 3;
        case 'S': return 1;
        case 'E': return 2;
        case 'k': return 31;
        case 'K': return 32;
        case 'l': return 33;
        case 'L': return 34;
        case '>': return 115;
        case '<': return 116;
        case 'v': return 117;
        case '^': return 118;
        case 'x': return 126;
        case 'w': return 125;
        case 'r': return 7;
        case 'p': return 8;
        case 's': return 9;
        case 'H': return 124;
        case 'V': return 127;
        case '/': return 122;
        case '\\': return 119;
        case '(': return 121;
        case ')': return 120;
        default: break;
    }
    if (c >= '0' && c <= '9') return 16 + (c - '0');
    return 3;
}

// The cells as drawn, start and end found the way loading finds them.
inline void fillFromSketch(Board& board, const std::vector<std::string>& rows) {
    for (int y = 0; y < 14; ++y)
        for (int x = 0; x < 20; ++x) {
            char c = (y < int(rows.size()) && x < int(rows[size_t(y)].size())) ? rows[size_t(y)][size_t(x)] : '.';
            board.cells[x][y] = sketchCode(c);
        }
    board.locateStartAndEnd();
}

inline Board sketchBoard(const std::vector<std::string>& rows) {
    Board board;
    fillFromSketch(board, rows);
    return board;
}

// A board of floor with a wall ring around the outside cells.
inline std::vector<std::string> walledRows() {
    std::vector<std::string> rows(14, "#..................#");
    rows[0] = rows[13] = std::string(20, '#');
    return rows;
}

}  // namespace qm::test
