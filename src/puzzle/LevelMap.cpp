// Placeholder definitions; replaced by the real implementation.
#include "puzzle/LevelMap.h"

namespace qm {

std::shared_ptr<LevelMap> LevelMap::create(int levelNumber) { return std::make_shared<LevelMap>(); }
std::shared_ptr<LevelMap> LevelMap::createEmpty(int levelNumber) { return std::make_shared<LevelMap>(); }
void LevelMap::glowCell(int x, int y, int kind) { }
int LevelMap::setTile(int x, int y, int code) { return {}; }
int LevelMap::randomWallCode() { return {}; }
void LevelMap::load() { }
void LevelMap::startEffects() { }
void LevelMap::restart() { }
void LevelMap::save(int mode) { }
int LevelMap::isOutsideProtected(int x, int y) const { return {}; }
void LevelMap::clearProtected() { }
void LevelMap::clearAll() { }
void LevelMap::randomize(int n) { }
void LevelMap::draw(float originX, float originY, int withGlow) { }
void LevelMap::teleportBall(Ball& ball) { }
void LevelMap::setRecallPoint(int x, int y) { }
void LevelMap::recallBall(Ball& ball) { }
void LevelMap::findTile(Ball& out, int code) const { }
void LevelMap::copyRegion(const LevelMap& source, int x1, int y1, int x2, int y2, int toX, int toY, int convert) { }
int LevelMap::tileCategory(int x, int y) const { return {}; }
GizmoStatesPtr LevelMap::bumpTile(int x, int y, GizmoStatesPtr gizmos, int copyFirst) { return {}; }
int LevelMap::canEnter(int x, int y, const GizmoStates* gizmos, int direction) const { return {}; }
void LevelMap::powerUp() { }
void LevelMap::unpower() { }
int LevelMap::isPowered() const { return {}; }
void LevelMap::takeKey(int x, int y) { }
void LevelMap::hitSwitch(int x, int y) { }
void LevelMap::finishLevel(int solved) { }
void LevelMap::update(int inputAllowed) { }
void LevelMap::advanceLocks() { }
int LevelMap::mouseCellX() { return {}; }
int LevelMap::mouseCellY() { return {}; }
void LevelMap::decayGlow() { }

}  // namespace qm
