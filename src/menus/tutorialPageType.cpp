// Placeholder definitions; replaced by the real implementation.
#include "menus/tutorialPageType.h"

namespace qm {

void tutorialPageType::loadTutorialImages() { }
std::shared_ptr<tutorialPageType> tutorialPageType::createPage(int index) { return std::make_shared<tutorialPageType>(); }
void tutorialPageType::resetMenu() { }
void tutorialPageType::activate(int byMouse) { }

}  // namespace qm
