// The gizmo rules that change gizmo state: beams cast and cleared, switches
// turning every beam block, keys, the recall point, power, shatter damage.
#include "rules/GizmoStates.h"

#include <cstring>
#include <string>

namespace qm {

GizmoStates GizmoStates::createFrom(const Board& board, RuleLog* log) {
    note(log, "created gizmo states");
    GizmoStates states;
    int locks = board.lockCount < 2 ? board.lockCount : 2;
    for (int i = 0; i < locks; ++i) states.lockStates[i] = board.lockTypes[i] != 0 ? 1 : 0;
    for (int x = 0; x < kBoardWidth; ++x) {
        for (int y = 0; y < kBoardHeight; ++y) {
            int code = board.cells[x][y];
            if (code == Code::WeakShatter) states.cellStates[x][y] = 1;
            else if (code == Code::BeamVertical) states._setBeam(x, y, 1, board, log);
            else if (code == Code::BeamHorizontal) states._setBeam(x, y, 2, board, log);
        }
    }
    states.changed = 0;
    return states;
}

int GizmoStates::equals(const GizmoStates& other) const {
    if (lockStates[0] != other.lockStates[0] || lockStates[1] != other.lockStates[1]) return 0;
    if (powered != other.powered || recallX_ != other.recallX_ || recallY_ != other.recallY_) return 0;
    return std::memcmp(cellStates, other.cellStates, sizeof(cellStates)) == 0 ? 1 : 0;
}

GizmoStates GizmoStates::copy() const {
    GizmoStates twin = *this;
    twin.changed = 0;
    return twin;
}

void GizmoStates::_clearOldBeam(int x, int y, int newOrientation, const Board& board, RuleLog* log) {
    auto clearCell = [&](int cx, int cy) {
        int s = cellStates[cx][cy];
        if (s == CellState::BeamVertical || s == CellState::BeamHorizontal) setCellState(cx, cy, 0);
    };
    if (newOrientation == 1) {
        for (int cx = x + 1; board.tileCategory(cx, y) == Code::Floor; ++cx) clearCell(cx, y);
        for (int cx = x - 1; board.tileCategory(cx, y) == Code::Floor; --cx) clearCell(cx, y);
    } else if (newOrientation == 2) {
        for (int cy = y + 1; board.tileCategory(x, cy) == Code::Floor; ++cy) clearCell(x, cy);
        for (int cy = y - 1; board.tileCategory(x, cy) == Code::Floor; --cy) clearCell(x, cy);
    } else {
        note(log, "_clearOldBeam: invalid state " + std::to_string(newOrientation));
    }
}

void GizmoStates::_setBeam(int x, int y, int orientation, const Board& board, RuleLog* log) {
    note(log, "_setBeam");
    if (orientation == 1) {
        note(log, "Set up\\down beam");
        setCellState(x, y, 1);
        for (int cy = y + 1; board.tileCategory(x, cy) == Code::Floor; ++cy) setCellState(x, cy, CellState::BeamVertical);
        for (int cy = y - 1; board.tileCategory(x, cy) == Code::Floor; --cy) setCellState(x, cy, CellState::BeamVertical);
    } else if (orientation == 2) {
        note(log, "Set left\\right beam");
        setCellState(x, y, 2);
        for (int cx = x + 1; board.tileCategory(cx, y) == Code::Floor; ++cx) setCellState(cx, y, CellState::BeamHorizontal);
        for (int cx = x - 1; board.tileCategory(cx, y) == Code::Floor; --cx) setCellState(cx, y, CellState::BeamHorizontal);
    } else {
        note(log, "_setBeam: invalid state " + std::to_string(orientation));
    }
}

void GizmoStates::setCellState(int x, int y, int value) {
    if (!Board::onBoard(x, y)) return;
    cellStates[x][y] = value;
    changed = 1;
}

void GizmoStates::setLockState(int i, int value) {
    if (i < 0 || i > 1) return;
    lockStates[i] = value;
    changed = 1;
}

void GizmoStates::setRecall(int x, int y) {
    recallX_ = x;
    recallY_ = y;
    changed = 1;
}

void GizmoStates::setPowered(int value) {
    powered = value;
    changed = 1;
}

void GizmoStates::applyKey(int x, int y, const Board& board) {
    int k = board.code(x, y) - Code::Key1;
    if (k < 0 || k > 1) return;
    int type = board.lockTypes[k];
    if (lockStates[k] == 0 && type == 0) setLockState(k, 1);
    else if (lockStates[k] == 1 && type == 1) setLockState(k, 0);
}

void GizmoStates::triggeredSwitch(const Board& board, RuleLog* log) {
    note(log, "triggeredSwitch");
    changed = 1;
    // Every old beam goes before any new one is cast, so a turning block never
    // wipes out the beam that another block has just laid.
    for (int x = 0; x < kBoardWidth; ++x)
        for (int y = 0; y < kBoardHeight; ++y)
            if (board.tileCategory(x, y) == Category::BeamBlock)
                _clearOldBeam(x, y, cellStates[x][y] == 2 ? 1 : 2, board, log);
    for (int x = 0; x < kBoardWidth; ++x)
        for (int y = 0; y < kBoardHeight; ++y)
            if (board.tileCategory(x, y) == Category::BeamBlock) _setBeam(x, y, cellStates[x][y] == 2 ? 1 : 2, board, log);
}

void GizmoStates::bumpTile(int x, int y, const Board& board) {
    if (!Board::onBoard(x, y)) return;
    if (board.tileCategory(x, y) == Category::Shatter && cellStates[x][y] != 3)
        setCellState(x, y, isPowered() ? 3 : cellStates[x][y] + 1);
}

}  // namespace qm
