#include "menus/MenuGlobals.h"

namespace qm {

std::shared_ptr<worldMapType> worldMap;
std::shared_ptr<mainMenuType> mainMenu;
std::shared_ptr<instructionsMenuType> instructionsMenu;
std::shared_ptr<optionsMenuType> optionsMenu;
std::shared_ptr<resetProfileMenuType> resetProfileMenu;
std::shared_ptr<levelSelectType> levelMenu;

int64_t lastActivationTime = 0;
int programStartSeconds = 0;

void resetMenuGlobals() {
    worldMap = nullptr;
    mainMenu = nullptr;
    instructionsMenu = nullptr;
    optionsMenu = nullptr;
    resetProfileMenu = nullptr;
    levelMenu = nullptr;
    lastActivationTime = 0;
    programStartSeconds = 0;
}

}  // namespace qm
