// The how-to-play panel: one large button that is the picture itself.
#include "menus/instructionsMenuType.h"

namespace qm {

std::shared_ptr<instructionsMenuType> instructionsMenuType::create() {
    auto menu = std::make_shared<instructionsMenuType>();
    menu->setupMenu(430, 145, 1, -1, -1, 165, 205, 325, 402, 30, "submenu1.png", "menuInstructions.png", 1, "", 0,
                    0);
    menu->resetMenu();
    return menu;
}

void instructionsMenuType::resetMenu() {
    state = CLOSED;
    fade = 0;
}

void instructionsMenuType::activate(int byMouse) { closeMenu(); }

bool instructionsMenuType::goBack() {
    closeMenu();
    return true;
}

}  // namespace qm
