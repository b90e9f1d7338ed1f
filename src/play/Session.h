// The session controller as the play screen, the editor and the menus see
// it: the mode the game runs in, the menu screen that has the keyboard, and
// the commands the menus and the editor give: start a level, play a chosen
// one, end one, go back to play, quit. Nothing below the controller is
// called back through it, and nothing below it writes its state.
// GameController, at the top of the game, is the one that runs the session;
// a test may stand in for it.
#pragma once

namespace qm {

class Session {
public:
    virtual ~Session() = default;

    enum class Mode { Play, Menus, Quit };
    Mode getMode() const { return mode; }
    void setCurrentScreen(int n) { currentScreen = n; }
    int getCurrentScreen() const { return currentScreen; }

    // The main menu's Play: the level behind the menus goes on.
    void resumePlay() { mode = Mode::Play; }
    // The main menu's Quit, or a closed window: the session ends.
    void quit() { mode = Mode::Quit; }
    virtual void startAtLevel(int n) = 0;
    // The level choice picked a level: play it (again).
    virtual void playChosenLevel(int n) = 0;
    // The editor's key that ends the level as skipped and slides on.
    virtual void finishLevel(int solved) = 0;

protected:
    Mode mode = Mode::Menus;
    int currentScreen = 0;  // the menu screen that takes the keyboard
};

}  // namespace qm
