// The yes/no box over the options screen that confirms a profile reset.
#include "menus/resetProfileMenuType.h"
#include "play/Session.h"
#include "menus/MenuGlobals.h"
#include "play/Globals.h"
#include "play/PlayerProfile.h"
#include "menus/mainMenuType.h"
#include "menus/optionsMenuType.h"
#include "playlog/GameLog.h"

namespace qm {

std::shared_ptr<resetProfileMenuType> resetProfileMenuType::create() {
    auto menu = std::make_shared<resetProfileMenuType>();
    menu->setupMenu(230, 205, 2, -1, -1, 100, 90, 158, 30, 30, "submenu2.png", "menuResetProf.png", 5, "", 0, 0);
    menu->resetMenu();
    return menu;
}

void resetProfileMenuType::resetMenu() {
    state = CLOSED;
    fade = 0;
}

void resetProfileMenuType::activate(int byMouse) {
    if (selected == SLOT_YES) {
        if (playerProfile) playerProfile->reset();
        if (session) session->startAtLevel(0);
        if (playLog) playLog->optionChanged(3, logTime(), 0, 1);
    } else if (selected != SLOT_NO) {
        return;
    }
    closeMenu();
    // Hand the keyboard back to the options screen under the box.
    if (mainMenu) mainMenu->blocked = 0;
    if (optionsMenu) optionsMenu->openMenu();
}

bool resetProfileMenuType::goBack() {
    selected = SLOT_NO;
    activate(0);
    return true;
}

}  // namespace qm
