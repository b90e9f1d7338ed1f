// The main menu over the loaded level: Play, Instructions, Options, Quit.
#pragma once
#include "menus/menuScreenType.h"

namespace qm {

class mainMenuType : public menuScreenType {
public:
    enum : int { SLOT_PLAY = 0, SLOT_INSTRUCTIONS = 1, SLOT_OPTIONS = 2, SLOT_UNUSED = 3, SLOT_QUIT = 4 };

    static std::shared_ptr<mainMenuType> create();
    void resetMenu() override;
    // Skips the unused slot 3: Down from Options gives Quit, Up from Quit
    // gives Options.
    void selectButton(int index) override;
    void activate(int byMouse) override;
    // Closes the instructions, options and reset-profile screens; with
    // immediate 1 without a fade.
    void closeSubmenus(int immediate);
    // The postcard (a picture of a board) is the door to the level choice:
    // a click on it, L, or a pad's Back button opens it. The menu's own
    // buttons and keys work as before.
    void handleInput() override;
    void drawExtra() override;
    static bool onPostcard(int px, int py);
};

}  // namespace qm
