// The menu class every screen is made of: a panel picture with a column of
// buttons cut from one strip, fading in and out over 40 updates, following the
// keyboard and the mouse.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>
#include "menus/menuButtonType.h"
#include "runtime/Image.h"

namespace qm {

class menuScreenType : public std::enable_shared_from_this<menuScreenType> {
public:
    // Display states.
    enum : int { CLOSED = 0, OPEN = 1, OPENING = 2, CLOSING = 3 };
    static constexpr int kFadeSteps = 40;
    static constexpr int kActivationGuardMs = 600;
    static constexpr int kRepeatDelayMs = 250;

    virtual ~menuScreenType() = default;
    int buttonCount = 0;
    int selected = 0;
    int64_t lastNavTime = 0;
    int pageTurnOnOpen = 1;
    int buttonX = 0, buttonY = 0, buttonW = 0, buttonH = 0, buttonGap = 0;
    std::vector<std::shared_ptr<menuButtonType>> buttons;
    int lastMouseX = 0, lastMouseY = 0;
    int x = 0, y = 0;
    int foreDX = 0, foreDY = 0;
    ImagePtr panel;
    ImagePtr fore;
    ImagePtr buttonStrip;
    // 1 for a screen that names a strip it does not expect to find (the
    // tutorial page puts its picture in the strip's place): no "missing" line.
    int stripMayBeAbsent = 0;
    int noHighlight = 0;
    int leftTarget = -1, rightTarget = -1;
    int fade = 0;
    int state = 0;  // 0 closed, 1 open, 2 opening, 3 closing
    int screenNumber = 0;
    int blocked = 0;

    // Sets the state a screen starts in, and its widgets.
    virtual void resetMenu() {}
    // Builds the buttons and loads the pictures (under "media\"); the loads
    // are not checked: a missing picture stays null and is not drawn.
    menuScreenType* setupMenu(int x, int y, int buttonCount, int leftTarget, int rightTarget, int buttonX,
                              int buttonY, int buttonW, int buttonH, int buttonGap, const std::string& panelName,
                              const std::string& stripName, int screenNumber, const std::string& foreName,
                              int foreDX, int foreDY);
    // Starts the fade-in (from the current fade) and takes the keyboard.
    virtual void openMenu();
    virtual void closeMenu();
    // Closes at once, without fade.
    virtual void hideMenu();
    // One update: the fade, then input unless suppressed, blocked or closed.
    virtual void updateMenu(int suppressInput);
    virtual void handleInput();
    virtual int isBusy() { return 0; }
    // byMouse: 1 for a click, 0 for Enter or Space.
    virtual void activate(int byMouse) {}
    // Escape on a screen that has the keyboard: true when the screen went
    // back (closed, or answered No). The main menu has nowhere to go back to.
    virtual bool goBack() { return false; }
    virtual void trackMouse();
    // -2 removes the highlight; other indexes wrap around the button column.
    virtual void selectButton(int index);
    // The button under a screen point, or -2.
    virtual int buttonAt(int px, int py);
    virtual void drawMenu();
    virtual void drawExtra() {}

    // Whole seconds since program start, modulo 65536: the time stamp of
    // option changes in the play log.
    static int logTime();
    // Whether an activation is allowed now by the shared 600 ms guard.
    static bool activationAllowed();
};
using MenuPtr = std::shared_ptr<menuScreenType>;

}  // namespace qm
