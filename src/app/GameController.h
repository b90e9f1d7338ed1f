// The session controller: knows the mode (play, menus, quit) and the loaded
// level, runs the top-level loop, the play loop and the menu loop, and is
// the session that the play screen, the editor and the menus ask of.
#pragma once
#include <memory>

#include "play/Session.h"

namespace qm {

class menuScreenType;
class ScreenFlash;

class GameController : public Session {
public:
    std::shared_ptr<menuScreenType> activeMenu;
    std::shared_ptr<ScreenFlash> flash;
    // Logic steps left before a finished replay hands back to the level choice.
    static constexpr int kReplayEndSteps = 90;
    int replayEndSteps = 0;
    bool reopenLevelChoice = false;

    static std::shared_ptr<GameController> create();
    void runGame();
    void shutdown();
    void startGame();
    void createScreens();
    void startAtLevel(int n) override;
    void boardLoaded(int levelNumber) override;
    void groupFinished() override;
    void playChosenLevel(int n) override;
    void replayFinished(int level, int solved) override;
    void playLoop();
    // One logic step of play, and the drawing of one play frame (which never
    // changes game state); the play loop and the benchmarks share them.
    void playStep();
    void drawPlayFrame();
    void drawBackground();
    void skipLevel();
    void menuLoop();
    void resetDrawState();
    void afterStartHook() {}

private:
    // startAtLevel's steps; `open` 0 leaves the profile's current level alone.
    void loadLevel(int n, bool open);
    void backToLevelChoice();
};

}  // namespace qm
