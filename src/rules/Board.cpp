// Which cells the ball may enter: walls never, locks by their state, shatter
// blocks once broken, angle blocks only through their open sides, floor
// unless a beam crosses it and the ball has no power.
#include "rules/Board.h"

#include <algorithm>

#include "rules/GizmoStates.h"

namespace qm {

void Board::step(int direction, int& x, int& y) {
    switch (direction) {
        case Dir::Up: y -= 1; break;
        case Dir::Right: x += 1; break;
        case Dir::Down: y += 1; break;
        case Dir::Left: x -= 1; break;
        default: break;
    }
}

int Board::canEnter(int x, int y, const GizmoStates& gizmos, int direction) const {
    if (!onBoard(x, y)) return 1;
    int c = cells[x][y];
    int category = tileCategory(x, y);
    if (category == Category::Wall && c != Code::WallBrush) return 0;
    if (category == Category::Lock) {
        int k = c - Code::Lock1;
        if (k < 0 || k > 1) return 1;  // code 6 itself (a damaged file) is no lock
        int s = gizmos.lockStates[k];
        // A lock 2 that is closing is solid already.
        return (s == 0 || (s == 2 && lockTypes[k] == 1)) ? 0 : 1;
    }
    if (category == Category::Shatter) return gizmos.cellState(x, y) == 3 ? 1 : 0;
    if (category == Category::BeamBlock) return 0;
    switch (direction) {
        case Dir::Up: if (c == Code::AngleTopLeft || c == Code::AngleTopRight) return 0; break;
        case Dir::Down: if (c == Code::AngleBottomLeft || c == Code::AngleBottomRight) return 0; break;
        case Dir::Left: if (c == Code::AngleTopLeft || c == Code::AngleBottomLeft) return 0; break;
        case Dir::Right: if (c == Code::AngleTopRight || c == Code::AngleBottomRight) return 0; break;
        default: break;
    }
    if (c == Code::Floor) {
        if (gizmos.isPowered()) return 1;
        int beam = gizmos.cellState(x, y);
        return (beam == 127 || beam == 126) ? 0 : 1;
    }
    return 1;
}

int Board::nearestEdge(int endX, int endY) {
    int top = 20 * (endY + 1);
    int bottom = 280 - 20 * endY;
    int left = 14 * (endX + 1);
    int right = 280 - 14 * endX;
    if (std::min(top, bottom) < std::min(left, right)) return top < bottom ? Dir::Up : Dir::Down;
    return left < right ? Dir::Left : Dir::Right;
}

void Board::copyRegion(const Board& source, int x1, int y1, int x2, int y2, int toX, int toY, int convert) {
    for (int x = x1; x <= x2; ++x) {
        for (int y = y1; y <= y2; ++y) {
            int tx = toX + (x - x1);
            int ty = toY + (y - y1);
            if (!onBoard(tx, ty)) continue;
            int c = source.code(x, y);
            // The old board's end becomes the new one's start, its start floor
            // (both are categories of their own, equal to their codes).
            int category = source.tileCategory(x, y);
            if (convert == 1 && category == Code::End) {
                cells[tx][ty] = Code::Start;
                startX = tx;
                startY = ty;
            } else if (convert == 1 && category == Code::Start) {
                cells[tx][ty] = Code::Floor;
            } else {
                cells[tx][ty] = c;
            }
        }
    }
}

Board::Strip Board::carryStrip(const Board& previous, int endX, int endY) {
    constexpr int right = kBoardWidth - 1, bottom = kBoardHeight - 1;
    switch (nearestEdge(endX, endY)) {
        case Dir::Up:
            copyRegion(previous, 0, 0, right, endY, 0, bottom - endY, 1);
            entryX = 0;
            entryY = endY - bottom;
            return {0, bottom - endY, right, bottom};
        case Dir::Down:
            copyRegion(previous, 0, endY, right, bottom, 0, 0, 1);
            entryX = 0;
            entryY = endY;
            return {0, 0, right, bottom - endY};
        case Dir::Left:
            copyRegion(previous, 0, 0, endX, bottom, right - endX, 0, 1);
            entryX = endX - right;
            entryY = 0;
            return {right - endX, 0, right, bottom};
        default:
            copyRegion(previous, endX, 0, right, bottom, 0, 0, 1);
            entryX = endX;
            entryY = 0;
            return {0, 0, right - endX, bottom};
    }
}

bool Board::findTile(int wanted, int& x, int& y) const {
    for (int cx = 0; cx < kBoardWidth; ++cx) {
        for (int cy = 0; cy < kBoardHeight; ++cy) {
            if (cells[cx][cy] == wanted) {
                x = cx;
                y = cy;
                return true;
            }
        }
    }
    return false;
}

void Board::locateStartAndEnd() {
    endX = endY = -1;
    for (int x = 0; x < kBoardWidth; ++x) {
        for (int y = 0; y < kBoardHeight; ++y) {
            if (cells[x][y] == Code::Start) { startX = x; startY = y; }
            if (cells[x][y] == Code::End) { endX = x; endY = y; }
        }
    }
}

}  // namespace qm
