// Placeholder definitions; replaced by the real implementation.
#include "menus/mainMenuType.h"

namespace qm {

std::shared_ptr<mainMenuType> mainMenuType::create() { return std::make_shared<mainMenuType>(); }
void mainMenuType::resetMenu() { }
void mainMenuType::selectButton(int index) { }
void mainMenuType::activate(int byMouse) { }
void mainMenuType::closeSubmenus(int immediate) { }

}  // namespace qm
