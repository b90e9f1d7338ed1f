// The reachability search: from the start, every move of the ball played
// with the rules (teleports, recall, angle blocks, boosters, switches, keys and
// locks, shatter blocks, beams), recording for every cell and lock layer the
// fewest moves after which the ball passes or rests there. The editor shows
// the numbers; the search itself knows nothing of drawing or the game.
#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "rules/Board.h"
#include "rules/StateLayer.h"

namespace qm {

class ReachabilitySearch {
public:
    int moves[20][14][4];
    int trace[20][14][4];
    int farthest = 0;
    int endX = -1, endY = -1;
    int depthLimit = 50;

    // A roll that has not come to rest after this many cells is given up.
    // Only a board that keeps changing its gizmos while looping can get here;
    // a plain loop is caught when it meets a cell, direction and state again.
    static constexpr int kMaxRollCells = 20 * 14 * 4 * 8;

    // Figures of the last search, for the benchmark and the tests.
    int lastStateCount = 0;   // distinct gizmo states met (StateLayer nodes)
    int lastCutRolls = 0;     // rolls given up because the ball would never rest
    int64_t lastRollCells = 0;  // cells followed over all rolls
    int64_t lastExplores = 0;   // resting cells explored (with repeats)

    ReachabilitySearch();
    virtual ~ReachabilitySearch() = default;
    // A whole search of the board, from its start (the last start in scan
    // order, or (0, 0) without one).
    void search(const Board& board);
    // Every cell unreached, no end.
    void clear();

private:
    void explore(int x, int y, int depth, GizmoStatesPtr state, StateLayer* root, StateLayer* layer);
    void roll(int x, int y, int depth, int dir, GizmoStatesPtr state, StateLayer* root, StateLayer* layer);
    // Marks the roll's visit of (x, y) heading dir in the given state; true
    // when this roll was there before in the same way (it would loop for ever).
    bool seenInThisRoll(int x, int y, int dir, const StateLayer* layer);

    // Looks the cell's category up in the table made from tileCategory at
    // the start of the search (the cells do not change during a search).
    int categoryAt(int x, int y) const {
        return (x >= 0 && x < 20 && y >= 0 && y < 14) ? category_[x][y] : Category::OffBoard;
    }

    const Board* board_ = nullptr;  // the board being searched, during a search only
    int category_[20][14] = {};
    // Where a teleport cell sends the ball: the first cell holding its partner
    // code, or the cell itself when there is none.
    int teleportX_[20][14] = {};
    int teleportY_[20][14] = {};
    struct Visit {
        int cell;  // x, y and dir packed
        const StateLayer* layer;
    };
    uint32_t rollStamp_ = 0;
    uint32_t visitStamp_[20][14][5] = {};
    std::vector<Visit> visits_;
};

}  // namespace qm
