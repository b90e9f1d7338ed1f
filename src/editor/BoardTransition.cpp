// Placeholder definitions; replaced by the real implementation.
#include "editor/BoardTransition.h"

namespace qm {

std::shared_ptr<BoardTransition> BoardTransition::create(int targetX, int targetY, int advancing) { return std::make_shared<BoardTransition>(); }
void BoardTransition::update() { }
void BoardTransition::resume() { }
void BoardTransition::swapBoards() { }
void BoardTransition::startLevel() { }
void BoardTransition::scrollBy(int dx, int dy) { }

}  // namespace qm
