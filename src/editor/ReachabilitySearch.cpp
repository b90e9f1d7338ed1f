// The editor's reachability search. It plays every move of the ball from the
// start with the board's own rules (canEnter, bumpTile, tileCategory and the
// gizmo operations) so that its numbers match play, keeping one distance grid
// per distinct gizmo state so that a resting cell is explored again only when
// reached in fewer moves.
#include "editor/ReachabilitySearch.h"

#include <algorithm>
#include <cstring>
#include "app/Globals.h"
#include "editor/StateLayer.h"
#include "puzzle/LevelMap.h"
#include "runtime/Graphics.h"
#include "runtime/Image.h"
#include "runtime/TextConv.h"

namespace qm {

namespace {

void neighbour(int& x, int& y, int dir) {
    switch (dir) {
        case 1: y -= 1; break;
        case 2: x += 1; break;
        case 3: y += 1; break;
        case 4: x -= 1; break;
        default: break;
    }
}

void clearResults(int (&moves)[20][14][4], int (&trace)[20][14][4]) {
    for (int x = 0; x < 20; ++x) {
        for (int y = 0; y < 14; ++y) {
            for (int k = 0; k < 4; ++k) {
                moves[x][y][k] = -1;
                trace[x][y][k] = 0;
            }
        }
    }
}

}  // namespace

std::shared_ptr<ReachabilitySearch> ReachabilitySearch::create() {
    auto search = std::make_shared<ReachabilitySearch>();
    clearResults(search->moves, search->trace);
    search->displayMode = -1;
    search->depthLimit = 50;
    editorTilesImage = loadAnimImage("media\\tiles\\tileseditor.png", 32, 32, 0, 6, -1);
    return search;
}

void ReachabilitySearch::recomputeReachability() {
    farthest = 0;
    int startX = 0, startY = 0;
    // A board without an end has no end to build the next board from; a stale
    // end of an earlier board must not be used.
    endX = -1;
    endY = -1;
    clearResults(moves, trace);
    lastStateCount = 0;
    lastCutRolls = 0;
    lastRollCells = 0;
    lastExplores = 0;
    std::shared_ptr<LevelMap> board = currentMap;  // kept alive for the whole search
    if (!board) return;
    for (int x = 0; x < 20; ++x) {
        for (int y = 0; y < 14; ++y) {
            int category = board->tileCategory(x, y);
            if (category == 1) {
                startX = x;
                startY = y;
            } else if (category == 2) {
                endX = x;
                endY = y;
            }
        }
    }
    board_ = board.get();
    for (int x = 0; x < 20; ++x) {
        for (int y = 0; y < 14; ++y) {
            category_[x][y] = board->tileCategory(x, y);
            teleportX_[x][y] = x;
            teleportY_[x][y] = y;
        }
    }
    // The first cell in scan order holding each teleport code.
    int firstX[10], firstY[10];
    for (int i = 0; i < 10; ++i) firstX[i] = firstY[i] = -1;
    for (int x = 0; x < 20; ++x) {
        for (int y = 0; y < 14; ++y) {
            int code = board->cells[x][y];
            if (code >= 16 && code <= 25 && firstX[code - 16] < 0) {
                firstX[code - 16] = x;
                firstY[code - 16] = y;
            }
        }
    }
    for (int x = 0; x < 20; ++x) {
        for (int y = 0; y < 14; ++y) {
            if (category_[x][y] != 4) continue;
            int code = board->cells[x][y];
            int partner = ((code - 16) % 2 == 0) ? code + 1 : code - 1;
            if (partner >= 16 && partner <= 25 && firstX[partner - 16] >= 0) {
                teleportX_[x][y] = firstX[partner - 16];
                teleportY_[x][y] = firstY[partner - 16];
            }
        }
    }
    GizmoStatesPtr state = GizmoStates::createFrom(board_);
    if (!state) {
        board_ = nullptr;
        return;
    }
    std::shared_ptr<StateLayer> root = StateLayer::create(state);
    explore(startX, startY, 0, state, root.get(), root.get());
    lastStateCount = root->length();
    board_ = nullptr;
    for (int x = 0; x < 20; ++x) {
        for (int y = 0; y < 14; ++y) farthest = std::max(farthest, moves[x][y][0]);
    }
}

void ReachabilitySearch::explore(int x, int y, int depth, GizmoStatesPtr state, StateLayer* root,
                                 StateLayer* layer) {
    if (depth > depthLimit) return;
    ++lastExplores;
    int k = state->keyIndex();
    // The key layer is 0..3 while every lock state is 0 or 1, as it is during
    // a search (keys open or close at once); guard a hand-made state anyway.
    if (k < 0 || k > 3 || x < 0 || x > 19 || y < 0 || y > 13) return;
    trace[x][y][k] = 4;
    // The roll that stopped here wrote depth - 1; the rest itself counts one
    // more move. A smaller count met in another gizmo state of the same lock
    // layer stays: the cell was reached sooner than this rest.
    if (moves[x][y][k] < 0 || moves[x][y][k] >= depth - 1) moves[x][y][k] = depth;
    layer->grid[x][y] = depth;
    static const int kOrder[4] = {1, 3, 4, 2};  // up, down, left, right
    for (int dir : kOrder) roll(x, y, depth, dir, state, root, layer);
}

bool ReachabilitySearch::seenInThisRoll(int x, int y, int dir, const StateLayer* layer) {
    int cell = (x * 14 + y) * 5 + dir;
    if (visitStamp_[x][y][dir] == rollStamp_) {
        for (const Visit& visit : visits_) {
            if (visit.cell == cell && visit.layer == layer) return true;
        }
    }
    visitStamp_[x][y][dir] = rollStamp_;
    visits_.push_back({cell, layer});
    return false;
}

void ReachabilitySearch::roll(int x, int y, int depth, int dir, GizmoStatesPtr state, StateLayer* root,
                              StateLayer* layer) {
    LevelMap& map = *board_;
    int k = state->keyIndex();
    {
        int nx = x, ny = y;
        neighbour(nx, ny, dir);
        if (map.canEnter(nx, ny, state.get(), dir) == 0) return;
        x = nx;
        y = ny;
    }

    // A new roll: forget the cells the previous roll met. Rolls never overlap,
    // because the next search starts only after this roll has ended.
    if (++rollStamp_ == 0) {
        std::memset(visitStamp_, 0, sizeof visitStamp_);
        rollStamp_ = 1;
    }
    visits_.clear();

    int improved = 0;
    int cellsFollowed = 0;
    while (true) {
        int recalled = 0;
        int category = categoryAt(x, y);
        if (category == -2) return;  // the ball falls off the board
        // (x, y, dir) and the gizmo state decide the rest of the roll; meeting
        // them again means the ball would never come to rest.
        // (The layer stands for the state whenever no change is pending, which
        // holds on every cell but perhaps the first.)
        bool repeated = state->changed == 0 && seenInThisRoll(x, y, dir, layer);
        if (repeated || cellsFollowed >= kMaxRollCells) {
            ++lastCutRolls;
            return;
        }
        ++cellsFollowed;
        ++lastRollCells;

        int code = map.cells[x][y];
        if (category == 4) {
            int toX = teleportX_[x][y];
            y = teleportY_[x][y];
            x = toX;
        } else if (category == 8 && state->hasRecall() == 1) {
            x = state->recallX();
            y = state->recallY();
            recalled = 1;
        } else {
            if (category == 7) {
                state = state->copy();
                state->setRecall(x, y);
            }
            if (code == 122) dir = (dir == 3) ? 4 : 1;
            else if (code == 121) dir = (dir == 3) ? 2 : 1;
            else if (code == 120) dir = (dir == 1) ? 4 : 3;
            else if (code == 119) dir = (dir == 1) ? 2 : 3;
            if (category == 114) {
                state = state->copy();
                state->setPowered(1);
                if (code == 118) dir = 1;
                else if (code == 117) dir = 3;
                else if (code == 116) dir = 4;
                else dir = 2;
            }
        }

        int aheadX = x, aheadY = y;
        neighbour(aheadX, aheadY, dir);
        // No copy first: a shatter hit is written into the state in hand.
        GizmoStatesPtr bumped = map.bumpTile(aheadX, aheadY, state, 0);
        if (bumped) state = bumped;
        int stopped = map.canEnter(aheadX, aheadY, state.get(), dir) == 0 ? 1 : 0;

        int here = categoryAt(x, y);
        if (here == 9) {
            state = state->copy();
            state->flipAll(&map);
        } else if (here == 5) {
            state = state->copy();
            state->applyKey(x, y, &map);
            k = state->keyIndex();
        }
        if (stopped == 1 && state->isPowered() == 1) {
            state = state->copy();
            state->setPowered(0);
        }
        if (state->changed == 1) {
            layer = root->find(state);
            state->clearChanged();
        }

        // The per-state grid remembers where the ball came to rest, not where it
        // merely rolled over: a cell crossed early must not stop the search from
        // resting there later, or cells the ball can reach in play go missing.
        improved = 0;
        if (stopped == 1 && (layer->grid[x][y] > depth || layer->grid[x][y] < 0)) {
            layer->grid[x][y] = depth;
            improved = 1;
        }
        if (recalled == 1) improved = 1;
        if (k >= 0 && k <= 3) {
            if (moves[x][y][k] > depth || moves[x][y][k] < 0) moves[x][y][k] = depth;
        }

        if (stopped == 1) break;
        if (k >= 0 && k <= 3) {
            int& used = trace[x][y][k];
            if (dir == 1 || dir == 3) {
                if (used == 0 || used == 2) used += 1;
            } else {
                if (used == 0 || used == 1) used += 2;
            }
        }
        x = aheadX;
        y = aheadY;
    }
    if (improved == 1) explore(x, y, depth + 1, state, root, layer);
}

void ReachabilitySearch::cycleKeyDisplayMode() {
    displayMode += 1;
    if (displayMode >= 4) displayMode = -1;
}

int ReachabilitySearch::nearestEdge(int endX, int endY) {
    int top = 20 * (endY + 1);
    int bottom = 280 - 20 * endY;
    int left = 14 * (endX + 1);
    int right = 280 - 14 * endX;
    if (std::min(top, bottom) < std::min(left, right)) return top < bottom ? 1 : 3;
    return left < right ? 4 : 2;
}

void ReachabilitySearch::buildNextMap() {
    recomputeReachability();
    std::shared_ptr<LevelMap> current = currentMap;
    std::shared_ptr<LevelMap> next = nextMap;
    if (!current || !next) return;
    // Without an end there is no strip to carry over; the next board stays as loaded.
    if (endX < 0 || endY < 0) return;
    switch (nearestEdge(endX, endY)) {
        case 1:
            next->copyRegion(*current, 0, 0, 19, endY, 0, 13 - endY, 1);
            next->setEntry(0, endY - 13);
            break;
        case 3:
            next->copyRegion(*current, 0, endY, 19, 13, 0, 0, 1);
            next->setEntry(0, endY);
            break;
        case 4:
            next->copyRegion(*current, 0, 0, endX, 13, 19 - endX, 0, 1);
            next->setEntry(endX - 19, 0);
            break;
        default:
            next->copyRegion(*current, endX, 0, 19, 13, 0, 0, 1);
            next->setEntry(endX, 0);
            break;
    }
}

void ReachabilitySearch::drawReachabilityOverlay(float x, float y) {
    setBlend(BLEND_ALPHA);
    setAlpha(1);
    int shiftX = currentMap ? currentMap->shiftX() : 0;
    int shiftY = currentMap ? currentMap->shiftY() : 0;
    for (int i = 0; i < 20; ++i) {
        for (int j = 0; j < 14; ++j) {
            int d = -1;
            int c = 0;
            if (displayMode < 0) {
                for (int k = 0; k < 4; ++k) {
                    if (moves[i][j][k] >= 0 && (d < 0 || moves[i][j][k] < d)) d = moves[i][j][k];
                    c = std::max(c, trace[i][j][k]);
                }
            } else {
                int k = std::min(displayMode, 3);
                d = moves[i][j][k];
                c = trace[i][j][k];
            }
            if (d < 0) continue;
            float px = x + float(32 * i + shiftX);
            float py = y + float(32 * j + shiftY);
            int blue = (float(d) >= 0.9f * float(farthest)) ? std::min(8 * d, 255) : 0;
            setColour(std::min(16 * d + 164, 255), std::min(16 * d, 255), blue);
            drawText(str(d), px, py);
            int v = std::min(16 * d + 128, 255);
            setColour(v, v, v);
            if (c >= 3) {
                drawLine(px - 16, py, px + 16, py, true);
                drawLine(px, py - 16, px, py + 16, true);
            } else if (c == 2) {
                drawLine(px - 16, py, px + 16, py, true);
            } else if (c == 1) {
                drawLine(px, py - 16, px, py + 16, true);
            }
        }
    }
    setColour(255, 255, 255);
}

}  // namespace qm
