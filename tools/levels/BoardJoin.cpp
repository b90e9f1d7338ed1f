// Joining boards with the editor's own nearest-edge rule and the board's own
// region copy; only the table of rectangles lives here.
#include "BoardJoin.h"

#include "rules/Board.h"

namespace qm {

int BoardJoin::exitEdge(const LevelMap& previous) {
    return Board::nearestEdge(previous.endX, previous.endY);
}

void BoardJoin::apply(const LevelMap& previous, LevelMap& next) {
    int ex = previous.endX, ey = previous.endY;
    switch (exitEdge(previous)) {
        case 1:
            next.copyRegion(previous, 0, 0, 19, ey, 0, 13 - ey, 1);
            next.setEntry(0, ey - 13);
            break;
        case 3:
            next.copyRegion(previous, 0, ey, 19, 13, 0, 0, 1);
            next.setEntry(0, ey);
            break;
        case 4:
            next.copyRegion(previous, 0, 0, ex, 13, 19 - ex, 0, 1);
            next.setEntry(ex - 19, 0);
            break;
        default:
            next.copyRegion(previous, ex, 0, 19, 13, 0, 0, 1);
            next.setEntry(ex, 0);
            break;
    }
}

bool BoardJoin::check(const LevelMap& previous, const LevelMap& next, std::string* problem) {
    if (previous.endX < 0) {
        if (problem) *problem = "the previous level has no end";
        return false;
    }
    LevelMap expected;
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
