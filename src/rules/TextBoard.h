// Boards drawn as text, one character a cell, rows y 0.. downward: how the
// tests, the catalogue of puzzle ideas and the hand-made levels show a board.
// One legend for all of them:
//
// '#' wall 10   '.' floor 3   'S' start 1   'E' end 2   '*' switch 9
// 'r' recall point 7   'p' recall pad 8   'k' key 1 (31)   'K' key 2 (32)
// 'l' lock 1 (33)   'm' lock 2 (34)   'x' shatter 126   'w' weak shatter 125
// 'V' vertical beam block 127   'H' horizontal beam block 124
// '>' '<' 'v' '^' boosters 115 116 117 118
// 'A' 119 (joins bottom, right)  'B' 120 (bottom, left)  'C' 121 (top, right)  'D' 122 (top, left)
// '0'..'9' teleports 16..25 ('0' pairs with '1', '2' with '3', ...)
// '?' code 57 (not in the table)   ' ' code 0 (wall brush)
#pragma once
#include <string>
#include <vector>

#include "rules/Board.h"

namespace qm {

class TextBoard {
public:
    // The code a character stands for; any other character is floor.
    static int codeForChar(char c);
    // The character for a code; '?' for a code the legend has no character for.
    static char charForCode(int code);
    // Cells not drawn (short rows, missing rows) are `fill`. Start and end
    // are found as a level file's load finds them.
    static void fill(Board& board, const std::vector<std::string>& rows, char fill = '.');
    static Board parse(const std::vector<std::string>& rows, char fill = '.') {
        Board board;
        TextBoard::fill(board, rows, fill);
        return board;
    }
    // The 14 rows of the whole board.
    static std::vector<std::string> rows(const Board& board);
};

}  // namespace qm
