// The reachability search plays every move of the ball from the start with
// the board's own rules (canEnter, tileCategory and the gizmo operations) so
// that its numbers match play, keeping one distance grid per distinct gizmo
// state so that a resting cell is explored again only when reached in fewer
// moves.
#include "rules/ReachabilitySearch.h"

#include <algorithm>
#include <cstring>

#include "rules/GizmoStates.h"

namespace qm {

namespace {

// A copy of the state in hand for a tile to change; the one in hand, which
// other rolls and a layer may hold, stays as it was.
GizmoStatesPtr changedCopy(const GizmoStates& state) { return std::make_shared<GizmoStates>(state.copy()); }

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

ReachabilitySearch::ReachabilitySearch() { clearResults(moves, trace); }

void ReachabilitySearch::clear() {
    farthest = 0;
    endX = -1;
    endY = -1;
    clearResults(moves, trace);
    lastStateCount = 0;
    lastCutRolls = 0;
    lastRollCells = 0;
    lastExplores = 0;
}

void ReachabilitySearch::search(const Board& board) {
    // A board without an end has no end to build the next board from; a stale
    // end of an earlier board must not be used.
    clear();
    int startX = 0, startY = 0;
    for (int x = 0; x < 20; ++x) {
        for (int y = 0; y < 14; ++y) {
            int category = board.tileCategory(x, y);
            if (category == Code::Start) {
                startX = x;
                startY = y;
            } else if (category == Code::End) {
                endX = x;
                endY = y;
            }
        }
    }
    board_ = &board;
    for (int x = 0; x < 20; ++x) {
        for (int y = 0; y < 14; ++y) {
            category_[x][y] = board.tileCategory(x, y);
            teleportX_[x][y] = x;
            teleportY_[x][y] = y;
        }
    }
    // The first cell in scan order holding each teleport code.
    int firstX[10], firstY[10];
    for (int i = 0; i < 10; ++i) firstX[i] = firstY[i] = -1;
    for (int x = 0; x < 20; ++x) {
        for (int y = 0; y < 14; ++y) {
            int code = board.cells[x][y];
            if (code >= Code::FirstTeleport && code <= Code::LastTeleport && firstX[code - Code::FirstTeleport] < 0) {
                firstX[code - Code::FirstTeleport] = x;
                firstY[code - Code::FirstTeleport] = y;
            }
        }
    }
    for (int x = 0; x < 20; ++x) {
        for (int y = 0; y < 14; ++y) {
            if (category_[x][y] != Category::Teleport) continue;
            int partner = Board::teleportPartner(board.cells[x][y]);
            int i = partner - Code::FirstTeleport;
            if (partner >= Code::FirstTeleport && partner <= Code::LastTeleport && firstX[i] >= 0) {
                teleportX_[x][y] = firstX[i];
                teleportY_[x][y] = firstY[i];
            }
        }
    }
    auto state = std::make_shared<GizmoStates>(GizmoStates::createFrom(board));
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
    static const int kOrder[4] = {Dir::Up, Dir::Down, Dir::Left, Dir::Right};
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
    const Board& map = *board_;
    int k = state->keyIndex();
    {
        int nx = x, ny = y;
        Board::step(dir, nx, ny);
        if (map.canEnter(nx, ny, *state, dir) == 0) return;
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
        if (category == Category::OffBoard) return;  // the ball falls off the board
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
        if (category == Category::Teleport) {
            int toX = teleportX_[x][y];
            y = teleportY_[x][y];
            x = toX;
        } else if (category == Code::RecallPad && state->hasRecall() == 1) {
            x = state->recallX();
            y = state->recallY();
            recalled = 1;
        } else {
            if (category == Code::RecallPoint) {
                state = changedCopy(*state);
                state->setRecall(x, y);
            }
            if (category == Category::Booster) {
                state = changedCopy(*state);
                state->setPowered(1);
            }
            dir = Board::turn(code, dir);
        }

        int aheadX = x, aheadY = y;
        Board::step(dir, aheadX, aheadY);
        // No copy first: a shatter hit is written into the state in hand.
        state->bumpTile(aheadX, aheadY, map);
        int stopped = map.canEnter(aheadX, aheadY, *state, dir) == 0 ? 1 : 0;

        int here = categoryAt(x, y);
        if (here == Code::Switch) {
            state = changedCopy(*state);
            state->triggeredSwitch(map);
        } else if (here == Category::Key) {
            state = changedCopy(*state);
            state->applyKey(x, y, map);
            k = state->keyIndex();
        }
        if (stopped == 1 && state->isPowered() == 1) {
            state = changedCopy(*state);
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

}  // namespace qm
