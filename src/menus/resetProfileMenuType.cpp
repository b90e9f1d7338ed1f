// Placeholder definitions; replaced by the real implementation.
#include "menus/resetProfileMenuType.h"

namespace qm {

std::shared_ptr<resetProfileMenuType> resetProfileMenuType::create() { return std::make_shared<resetProfileMenuType>(); }
void resetProfileMenuType::resetMenu() { }
void resetProfileMenuType::activate(int byMouse) { }

}  // namespace qm
