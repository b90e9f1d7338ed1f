// The session controller: knows the mode (play, menus, quit) and the loaded
// level, runs the top-level loop, the play loop and the menu loop.
#pragma once
#include <memory>

namespace qm {

class menuScreenType;
class ScreenFlash;

class GameController {
public:
    int state = 1;  // 0 play, 1 menus, 2 quit
    int currentScreen = 0;
    std::shared_ptr<menuScreenType> activeMenu;
    std::shared_ptr<ScreenFlash> flash;

    static std::shared_ptr<GameController> create();
    void setCurrentScreen(int n) { currentScreen = n; }
    int getCurrentScreen() const { return currentScreen; }
    void runGame();
    void shutdown();
    void startGame();
    void createScreens();
    void startAtLevel(int n);
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
};

}  // namespace qm
