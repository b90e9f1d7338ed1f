// Placeholder definitions; replaced by the real implementation.
#include "menus/menuScreenType.h"

namespace qm {

menuScreenType* menuScreenType::setupMenu(int x, int y, int buttonCount, int leftTarget, int rightTarget, int buttonX, int buttonY, int buttonW, int buttonH, int buttonGap, const std::string& panelName, const std::string& stripName, int screenNumber, const std::string& foreName, int foreDX, int foreDY) { return nullptr; }
void menuScreenType::openMenu() { }
void menuScreenType::closeMenu() { }
void menuScreenType::hideMenu() { }
void menuScreenType::updateMenu(int suppressInput) { }
void menuScreenType::handleInput() { }
void menuScreenType::trackMouse() { }
void menuScreenType::selectButton(int index) { }
int menuScreenType::buttonAt(int px, int py) { return {}; }
void menuScreenType::drawMenu() { }

}  // namespace qm
