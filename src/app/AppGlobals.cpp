#include "app/AppGlobals.h"

namespace qm {

std::shared_ptr<GameController> gameController;

void resetGlobals() {
    gameController = nullptr;
    resetMenuGlobals();
    resetEditorGlobals();
    resetPlayGlobals();
}

}  // namespace qm
