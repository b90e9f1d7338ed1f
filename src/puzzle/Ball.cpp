// Placeholder definitions; replaced by the real implementation.
#include "puzzle/Ball.h"

namespace qm {

std::shared_ptr<Ball> Ball::create(LevelMap* board) { return std::make_shared<Ball>(); }
void Ball::placeAt(int cx, int cy) { }
void Ball::draw(float originX, float originY) { }
void Ball::drawHover(float px, float py) { }
void Ball::lightNeighbours() { }
void Ball::update(int inputAllowed) { }
void Ball::finish() { }
void Ball::bumpAhead() { }
int Ball::canMove() { return {}; }
void Ball::tryMove() { }
void Ball::moveDown() { }
void Ball::moveUp() { }
void Ball::moveLeft() { }
void Ball::moveRight() { }
int Ball::pixelX() const { return {}; }
int Ball::pixelY() const { return {}; }

}  // namespace qm
