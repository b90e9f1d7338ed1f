// The menu screens and the world map, one each, and the times every menu
// shares; kept in the menus' layer, with resetMenuGlobals() for a test's
// fresh start (app/AppGlobals.h resets every layer at once).
#pragma once
#include <cstdint>
#include <memory>

namespace qm {

class worldMapType;
class mainMenuType;
class instructionsMenuType;
class optionsMenuType;
class resetProfileMenuType;
class levelSelectType;

extern std::shared_ptr<worldMapType> worldMap;
extern std::shared_ptr<mainMenuType> mainMenu;
extern std::shared_ptr<instructionsMenuType> instructionsMenu;
extern std::shared_ptr<optionsMenuType> optionsMenu;
extern std::shared_ptr<resetProfileMenuType> resetProfileMenu;
// The level choice, opened from the main menu.
extern std::shared_ptr<levelSelectType> levelMenu;

extern int64_t lastActivationTime;  // shared by every menu
extern int programStartSeconds;     // the menus' log times count from it

// Drops the menu screens and puts the shared times back to 0.
void resetMenuGlobals();

}  // namespace qm
