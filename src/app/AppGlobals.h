// The session controller, the one long-lived object of the top layer, and
// the reset of every layer's globals from the top, so a test can build a
// fresh set and tear it down with resetGlobals().
#pragma once
#include <memory>

#include "editor/EditorGlobals.h"
#include "menus/MenuGlobals.h"
#include "play/Globals.h"

namespace qm {

class GameController;

extern std::shared_ptr<GameController> gameController;

// Drops every layer's global objects and puts the flags back to their start values.
void resetGlobals();

}  // namespace qm
