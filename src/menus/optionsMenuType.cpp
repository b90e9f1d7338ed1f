// Placeholder definitions; replaced by the real implementation.
#include "menus/optionsMenuType.h"

namespace qm {

std::shared_ptr<optionsMenuType> optionsMenuType::create() { return std::make_shared<optionsMenuType>(); }
void optionsMenuType::resetMenu() { }
void optionsMenuType::openMenu() { }
void optionsMenuType::closeMenu() { }
void optionsMenuType::hideMenu() { }
void optionsMenuType::activate(int byMouse) { }
void optionsMenuType::snapshotVolumes() { }
void optionsMenuType::logVolumeChanges() { }

}  // namespace qm
