// The menu class every screen is made of: a panel picture with a column of
// buttons cut from one strip, fading in and out over 40 updates, following the
// keyboard and the mouse.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>
#include "runtime/Image.h"

namespace qm {

class menuButtonType;

class menuScreenType : public std::enable_shared_from_this<menuScreenType> {
public:
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
    int noHighlight = 0;
    int leftTarget = -1, rightTarget = -1;
    int fade = 0;
    int state = 0;  // 0 closed, 1 open, 2 opening, 3 closing
    int screenNumber = 0;
    int blocked = 0;

    virtual void resetMenu() {}
    menuScreenType* setupMenu(int x, int y, int buttonCount, int leftTarget, int rightTarget, int buttonX,
                              int buttonY, int buttonW, int buttonH, int buttonGap, const std::string& panelName,
                              const std::string& stripName, int screenNumber, const std::string& foreName,
                              int foreDX, int foreDY);
    virtual void openMenu();
    virtual void closeMenu();
    virtual void hideMenu();
    virtual void updateMenu(int suppressInput);
    virtual void handleInput();
    virtual int isBusy() { return 0; }
    virtual void activate(int byMouse) {}
    virtual void trackMouse();
    virtual void selectButton(int index);
    virtual int buttonAt(int px, int py);
    virtual void drawMenu();
    virtual void drawExtra() {}
};
using MenuPtr = std::shared_ptr<menuScreenType>;

}  // namespace qm
