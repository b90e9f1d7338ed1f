// Placeholder definitions; replaced by the real implementation.
#include "menus/instructionsMenuType.h"

namespace qm {

std::shared_ptr<instructionsMenuType> instructionsMenuType::create() { return std::make_shared<instructionsMenuType>(); }
void instructionsMenuType::resetMenu() { }
void instructionsMenuType::activate(int byMouse) { }

}  // namespace qm
