// Everything on a board that changes while a level is played: locks, shatter
// blocks, beam blocks and their beams, the stored recall point, the ball's power.
// A restart throws this object away and builds a new one from the board.
#pragma once
#include <memory>

namespace qm {

class LevelMap;

class GizmoStates {
public:
    int lockStates[2] = {0, 0};
    int powered = 0;
    int changed = 0;
    int cellStates[20][14] = {};
    int recallX_ = -1;
    int recallY_ = -1;

    // A null board means the current board.
    static std::shared_ptr<GizmoStates> createFrom(LevelMap* board);

    int equals(const GizmoStates& other) const;
    std::shared_ptr<GizmoStates> copy() const;
    int keyIndex() const { return lockStates[0] + 2 * lockStates[1]; }
    void _clearOldBeam(int x, int y, int newOrientation, LevelMap* board);
    void _setBeam(int x, int y, int orientation, LevelMap* board);
    int cellState(int x, int y) const;
    void setCellState(int x, int y, int value);
    void setLockState(int i, int value);
    void setRecall(int x, int y);
    void setPowered(int value);
    int isPowered() const { return powered; }
    int recallX() const { return recallX_; }
    int recallY() const { return recallY_; }
    int hasRecall() const { return recallX_ >= 0 && recallY_ >= 0; }
    void clearChanged() { changed = 0; }
    void applyKey(int x, int y, LevelMap* board);
    void triggeredSwitch(LevelMap* board);
    void flipAll(LevelMap* board);
};
using GizmoStatesPtr = std::shared_ptr<GizmoStates>;

}  // namespace qm
