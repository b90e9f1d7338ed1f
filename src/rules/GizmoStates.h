// Everything on a board that changes while a level is played: locks, shatter
// blocks, beam blocks and their beams, the stored recall point, the ball's
// power. A plain value: copying it is copying the gizmos, and a restart
// builds a new one from the board.
#pragma once
#include "rules/Board.h"
#include "rules/RuleLog.h"

namespace qm {

class GizmoStates {
public:
    int lockStates[2] = {0, 0};  // 0 solid, 1 open, 2 changing (for 40 ticks)
    int powered = 0;
    int changed = 0;  // set by every change made through the operations
    int cellStates[kBoardWidth][kBoardHeight] = {};
    int recallX_ = -1;
    int recallY_ = -1;

    static GizmoStates createFrom(const Board& board, RuleLog* log = nullptr);

    int equals(const GizmoStates& other) const;
    GizmoStates copy() const;
    int keyIndex() const { return lockStates[0] + 2 * lockStates[1]; }
    void _clearOldBeam(int x, int y, int newOrientation, const Board& board, RuleLog* log = nullptr);
    void _setBeam(int x, int y, int orientation, const Board& board, RuleLog* log = nullptr);
    int cellState(int x, int y) const { return Board::onBoard(x, y) ? cellStates[x][y] : 0; }
    void setCellState(int x, int y, int value);
    void setLockState(int i, int value);
    void setRecall(int x, int y);
    void setPowered(int value);
    int isPowered() const { return powered; }
    // Whether a beam lies across the floor cell (x, y), either way.
    bool beamCrosses(int x, int y) const {
        int s = cellState(x, y);
        return s == 126 || s == 127;
    }
    int recallX() const { return recallX_; }
    int recallY() const { return recallY_; }
    int hasRecall() const { return recallX_ >= 0 && recallY_ >= 0; }
    void clearChanged() { changed = 0; }
    // The key on (x, y) taken at once, as the searches take it: lock 1 opens,
    // lock 2 closes, with no time spent changing.
    void applyKey(int x, int y, const Board& board);
    // Every beam block turns a quarter; all old beams go before any new one.
    void triggeredSwitch(const Board& board, RuleLog* log = nullptr);
    // The ball runs into (x, y): a shatter block there cracks one step, or
    // breaks at once under a powered ball.
    void bumpTile(int x, int y, const Board& board);
};

}  // namespace qm
