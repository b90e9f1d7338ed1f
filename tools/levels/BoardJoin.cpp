// Joining boards with the rules' own strip, the one the editor's next-board
// builder carries over too.
#include "BoardJoin.h"

#include "rules/Board.h"

namespace qm {

int BoardJoin::exitEdge(const Board& previous) {
    return Board::nearestEdge(previous.endX, previous.endY);
}

void BoardJoin::apply(const Board& previous, Board& next) {
    next.carryStrip(previous, previous.endX, previous.endY);
}

bool BoardJoin::check(const Board& previous, const Board& next, std::string* problem) {
    if (previous.endX < 0) {
        if (problem) *problem = "the previous level has no end";
        return false;
    }
    Board expected;
    for (int x = 0; x < kBoardWidth; ++x)
        for (int y = 0; y < kBoardHeight; ++y) expected.cells[x][y] = next.cells[x][y];
    apply(previous, expected);
    for (int x = 0; x < kBoardWidth; ++x)
        for (int y = 0; y < kBoardHeight; ++y)
            if (expected.cells[x][y] != next.cells[x][y]) {
                if (problem)
                    *problem = "cell (" + std::to_string(x) + ", " + std::to_string(y) + ") holds " +
                               std::to_string(next.cells[x][y]) + " where the previous board's strip gives " +
                               std::to_string(expected.cells[x][y]);
                return false;
            }
    if (expected.entryX != next.entryX || expected.entryY != next.entryY) {
        if (problem)
            *problem = "entry (" + std::to_string(next.entryX) + ", " + std::to_string(next.entryY) + ") should be (" +
                       std::to_string(expected.entryX) + ", " + std::to_string(expected.entryY) + ")";
        return false;
    }
    return true;
}

}  // namespace qm
