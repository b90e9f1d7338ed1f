// The live state of a board's gizmos and the rules that change it: beams cast
// and cleared, switches turning every beam block, locks, recall point, power.
#include "puzzle/GizmoStates.h"

#include <cstring>

#include "app/Globals.h"
#include "puzzle/LevelMap.h"
#include "runtime/Diagnostics.h"
#include "runtime/TextConv.h"

namespace qm {

namespace {

bool onBoard(int x, int y) { return x >= 0 && x < kBoardWidth && y >= 0 && y < kBoardHeight; }

LevelMap* resolveBoard(LevelMap* board) { return board ? board : currentMap.get(); }

}  // namespace

std::shared_ptr<GizmoStates> GizmoStates::createFrom(LevelMap* board) {
    debugLog("created gizmo states");
    auto states = std::make_shared<GizmoStates>();
    board = resolveBoard(board);
    if (!board) {
        // No board at all: the locks still start as their default types say.
        states->lockStates[0] = 0;
        states->lockStates[1] = 1;
        return states;
    }
    int locks = board->lockCount < 2 ? board->lockCount : 2;
    for (int i = 0; i < locks; ++i) states->lockStates[i] = board->lockTypes[i] != 0 ? 1 : 0;
    for (int x = 0; x < kBoardWidth; ++x) {
        for (int y = 0; y < kBoardHeight; ++y) {
            int code = board->cells[x][y];
            if (code == 125) states->cellStates[x][y] = 1;
            else if (code == 127) states->_setBeam(x, y, 1, board);
            else if (code == 124) states->_setBeam(x, y, 2, board);
        }
    }
    states->recallX_ = -1;
    states->recallY_ = -1;
    states->powered = 0;
    states->changed = 0;
    return states;
}

int GizmoStates::equals(const GizmoStates& other) const {
    if (lockStates[0] != other.lockStates[0] || lockStates[1] != other.lockStates[1]) return 0;
    if (powered != other.powered || recallX_ != other.recallX_ || recallY_ != other.recallY_) return 0;
    return std::memcmp(cellStates, other.cellStates, sizeof(cellStates)) == 0 ? 1 : 0;
}

std::shared_ptr<GizmoStates> GizmoStates::copy() const {
    auto twin = std::make_shared<GizmoStates>(*this);
    twin->changed = 0;
    return twin;
}

void GizmoStates::_clearOldBeam(int x, int y, int newOrientation, LevelMap* board) {
    board = resolveBoard(board);
    if (!board) return;
    auto clearCell = [&](int cx, int cy) {
        int s = cellStates[cx][cy];
        if (s == 127 || s == 126) setCellState(cx, cy, 0);
    };
    if (newOrientation == 1) {
        for (int cx = x + 1; board->tileCategory(cx, y) == 3; ++cx) clearCell(cx, y);
        for (int cx = x - 1; board->tileCategory(cx, y) == 3; --cx) clearCell(cx, y);
    } else if (newOrientation == 2) {
        for (int cy = y + 1; board->tileCategory(x, cy) == 3; ++cy) clearCell(x, cy);
        for (int cy = y - 1; board->tileCategory(x, cy) == 3; --cy) clearCell(x, cy);
    } else {
        debugLog("_clearOldBeam: invalid state " + str(newOrientation));
    }
}

void GizmoStates::_setBeam(int x, int y, int orientation, LevelMap* board) {
    debugLog("_setBeam");
    board = resolveBoard(board);
    if (!board) return;
    if (orientation == 1) {
        debugLog("Set up\\down beam");
        setCellState(x, y, 1);
        for (int cy = y + 1; board->tileCategory(x, cy) == 3; ++cy) setCellState(x, cy, 127);
        for (int cy = y - 1; board->tileCategory(x, cy) == 3; --cy) setCellState(x, cy, 127);
    } else if (orientation == 2) {
        debugLog("Set left\\right beam");
        setCellState(x, y, 2);
        for (int cx = x + 1; board->tileCategory(cx, y) == 3; ++cx) setCellState(cx, y, 126);
        for (int cx = x - 1; board->tileCategory(cx, y) == 3; --cx) setCellState(cx, y, 126);
    } else {
        debugLog("_setBeam: invalid state " + str(orientation));
    }
}

int GizmoStates::cellState(int x, int y) const { return onBoard(x, y) ? cellStates[x][y] : 0; }

void GizmoStates::setCellState(int x, int y, int value) {
    if (!onBoard(x, y)) return;
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

void GizmoStates::applyKey(int x, int y, LevelMap* board) {
    board = resolveBoard(board);
    if (!board) return;
    int k = board->code(x, y) - 31;
    if (k < 0 || k > 1) return;
    int type = board->lockTypes[k];
    if (lockStates[k] == 0 && type == 0) setLockState(k, 1);
    else if (lockStates[k] == 1 && type == 1) setLockState(k, 0);
}

void GizmoStates::triggeredSwitch(LevelMap* board) {
    debugLog("triggeredSwitch");
    changed = 1;
    board = resolveBoard(board);
    if (!board) return;
    // Every old beam goes before any new one is cast, so a turning block never
    // wipes out the beam that another block has just laid.
    for (int x = 0; x < kBoardWidth; ++x)
        for (int y = 0; y < kBoardHeight; ++y)
            if (board->tileCategory(x, y) == 113) _clearOldBeam(x, y, cellStates[x][y] == 2 ? 1 : 2, board);
    for (int x = 0; x < kBoardWidth; ++x)
        for (int y = 0; y < kBoardHeight; ++y)
            if (board->tileCategory(x, y) == 113) _setBeam(x, y, cellStates[x][y] == 2 ? 1 : 2, board);
}

void GizmoStates::flipAll(LevelMap* board) {
    changed = 1;
    triggeredSwitch(board);
}

}  // namespace qm
