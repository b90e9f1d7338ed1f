// Placeholder definitions; replaced by the real implementation.
#include "puzzle/GizmoStates.h"

namespace qm {

std::shared_ptr<GizmoStates> GizmoStates::createFrom(LevelMap* board) { return std::make_shared<GizmoStates>(); }
int GizmoStates::equals(const GizmoStates& other) const { return {}; }
std::shared_ptr<GizmoStates> GizmoStates::copy() const { return {}; }
void GizmoStates::_clearOldBeam(int x, int y, int newOrientation, LevelMap* board) { }
void GizmoStates::_setBeam(int x, int y, int orientation, LevelMap* board) { }
int GizmoStates::cellState(int x, int y) const { return {}; }
void GizmoStates::setCellState(int x, int y, int value) { }
void GizmoStates::setLockState(int i, int value) { }
void GizmoStates::setRecall(int x, int y) { }
void GizmoStates::setPowered(int value) { }
void GizmoStates::applyKey(int x, int y, LevelMap* board) { }
void GizmoStates::triggeredSwitch(LevelMap* board) { }
void GizmoStates::flipAll(LevelMap* board) { }

}  // namespace qm
