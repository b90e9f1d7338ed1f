// Placeholder definitions; replaced by the real implementation.
#include "app/GameController.h"

namespace qm {

std::shared_ptr<GameController> GameController::create() { return std::make_shared<GameController>(); }
void GameController::runGame() { }
void GameController::shutdown() { }
void GameController::startGame() { }
void GameController::createScreens() { }
void GameController::startAtLevel(int n) { }
void GameController::playLoop() { }
void GameController::drawBackground() { }
void GameController::skipLevel() { }
void GameController::menuLoop() { }
void GameController::resetDrawState() { }

}  // namespace qm
