// Builds rules boards for tests from rows of text, one character a cell, so
// a test shows the board it plays on (the legend is rules/TextBoard.h's).
// Rows are y 0.. downward; missing cells are floor unless another fill is given.
#pragma once
#include <string>
#include <vector>

#include "rules/TextBoard.h"

namespace qm::test {

inline int codeForChar(char c) { return TextBoard::codeForChar(c); }

inline void fillFromText(Board& board, const std::vector<std::string>& rows, char fill = '.') {
    TextBoard::fill(board, rows, fill);
}

inline Board boardFromText(const std::vector<std::string>& rows, char fill = '.') { return TextBoard::parse(rows, fill); }

}  // namespace qm::test
