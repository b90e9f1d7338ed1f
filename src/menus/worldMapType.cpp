// Placeholder definitions; replaced by the real implementation.
#include "menus/worldMapType.h"

namespace qm {

std::shared_ptr<worldMapType> worldMapType::create() { return std::make_shared<worldMapType>(); }
void worldMapType::resetMenu() { }
void worldMapType::openMenu() { }
void worldMapType::closeMenu() { }
void worldMapType::updateMenu(int suppressInput) { }
void worldMapType::activate(int byMouse) { }
void worldMapType::drawMenu() { }
void worldMapType::animatePath() { }

}  // namespace qm
