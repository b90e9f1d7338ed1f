// Builds rules boards for tests from rows of text, one character a cell, so
// a test shows the board it plays on. Rows are y 0.. downward; missing cells
// are floor unless another fill is given.
#pragma once
#include <string>
#include <vector>

#include "rules/Board.h"

namespace qm::test {

// '#' wall 10   '.' floor 3   'S' start 1   'E' end 2   '*' switch 9
// 'r' recall point 7   'p' recall pad 8   'k' key 1 (31)   'K' key 2 (32)
// 'l' lock 1 (33)   'm' lock 2 (34)   'x' shatter 126   'w' weak shatter 125
// 'V' vertical beam block 127   'H' horizontal beam block 124
// '>' '<' 'v' '^' boosters 115 116 117 118
// 'A' 119 (joins bottom, right)  'B' 120 (bottom, left)  'C' 121 (top, right)  'D' 122 (top, left)
// '0'..'9' teleports 16..25 ('0' pairs with '1', '2' with '3', ...)
// '?' code 57 (not in the table)   ' ' code 0 (wall brush)
inline int codeForChar(char c) {
    switch (c) {
        case '#': return 10;
        case '.': return 3;
        case 'S': return 1;
        case 'E': return 2;
        case '*': return 9;
        case 'r': return 7;
        case 'p': return 8;
        case 'k': return 31;
        case 'K': return 32;
        case 'l': return 33;
        case 'm': return 34;
        case 'x': return 126;
        case 'w': return 125;
        case 'V': return 127;
        case 'H': return 124;
        case '>': return 115;
        case '<': return 116;
        case 'v': return 117;
        case '^': return 118;
        case 'A': return 119;
        case 'B': return 120;
        case 'C': return 121;
        case 'D': return 122;
        case '?': return 57;
        case ' ': return 0;
        default: break;
    }
    if (c >= '0' && c <= '9') return 16 + (c - '0');
    return 3;
}

// The cells, with the start and end found as a level file's load finds them.
inline void fillFromText(Board& board, const std::vector<std::string>& rows, char fill = '.') {
    for (int x = 0; x < kBoardWidth; ++x)
        for (int y = 0; y < kBoardHeight; ++y) {
            char c = y < int(rows.size()) && x < int(rows[size_t(y)].size()) ? rows[size_t(y)][size_t(x)] : fill;
            board.cells[x][y] = codeForChar(c);
        }
    board.locateStartAndEnd();
}

inline Board boardFromText(const std::vector<std::string>& rows, char fill = '.') {
    Board board;
    fillFromText(board, rows, fill);
    return board;
}

}  // namespace qm::test
