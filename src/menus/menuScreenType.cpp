// The menu framework: fades, keyboard and mouse handling, selection and
// drawing shared by every screen.
#include "menus/menuScreenType.h"
#include <cstdlib>
#include "play/Session.h"
#include "menus/MenuGlobals.h"
#include "play/Globals.h"
#include "audio/AudioManager.h"
#include "runtime/Clock.h"
#include "runtime/Diagnostics.h"
#include "runtime/Files.h"
#include "runtime/Graphics.h"
#include "runtime/Input.h"
#include "runtime/TextConv.h"

namespace qm {

int menuScreenType::logTime() {
    int seconds = millisecs() / 1000 - programStartSeconds;
    return ((seconds % 65536) + 65536) % 65536;
}

bool menuScreenType::activationAllowed() { return int64_t(millisecs()) - lastActivationTime > kActivationGuardMs; }

menuScreenType* menuScreenType::setupMenu(int x, int y, int buttonCount, int leftTarget, int rightTarget,
                                          int buttonX, int buttonY, int buttonW, int buttonH, int buttonGap,
                                          const std::string& panelName, const std::string& stripName,
                                          int screenNumber, const std::string& foreName, int foreDX, int foreDY) {
    this->x = x;
    this->y = y;
    this->buttonCount = buttonCount;
    this->leftTarget = leftTarget;
    this->rightTarget = rightTarget;
    this->buttonX = buttonX;
    this->buttonY = buttonY;
    this->buttonW = buttonW;
    this->buttonH = buttonH;
    this->buttonGap = buttonGap;

    buttons.clear();
    for (int i = 0; i < buttonCount; i++)
        buttons.push_back(menuButtonType::create(buttonX, buttonY + i * (buttonH + buttonGap), buttonW, buttonH));

    state = OPENING;

    // Button frames are centred on the button position; a screen without
    // buttons has nothing to cut from its strip.
    int mid = autoMidHandle();
    setAutoMidHandle(1);
    buttonStrip = nullptr;
    std::string stripPath = "media\\" + stripName;
    bool stripWanted = buttonCount > 0 && (stripMayBeAbsent == 0 || fileType(stripPath) == FILE_REGULAR);
    if (stripWanted) buttonStrip = loadAnimImage(stripPath, buttonW, buttonH, 0, buttonCount * 2, -1);

    // Panels and fore pictures are anchored at their top-left corner.
    setAutoMidHandle(0);
    panel = loadImage("media\\" + panelName, 0);
    fore = nullptr;
    if (!foreName.empty()) {
        fore = loadImage("media\\" + foreName, -1);
        debugLog("Menu loaded fore image");
    }
    setAutoMidHandle(mid);

    this->foreDX = foreDX;
    this->foreDY = foreDY;
    this->screenNumber = screenNumber;
    trackMouse();
    selectButton(0);
    return this;
}

void menuScreenType::openMenu() {
    flushKeys();
    if (state == CLOSED || state == CLOSING) {
        // Counts as an activation, so the key or click that opened this menu
        // cannot also press one of its buttons.
        lastActivationTime = millisecs();
        state = OPENING;
        if (pageTurnOnOpen == 1 && audioManager) audioManager->playPageTurn();
    }
    if (session) session->setCurrentScreen(screenNumber);
    blocked = 0;
}

void menuScreenType::closeMenu() {
    if (state == OPENING || state == OPEN) {
        state = CLOSING;
        if (session) session->setCurrentScreen(0);
    }
}

void menuScreenType::hideMenu() {
    state = CLOSED;
    fade = 0;
    if (session) session->setCurrentScreen(0);
}

void menuScreenType::updateMenu(int suppressInput) {
    if (state == OPENING) {
        fade++;
        if (fade >= kFadeSteps) state = OPEN;
    } else if (state == CLOSING) {
        fade--;
        if (fade <= 0) state = CLOSED;
    }
    if ((state == OPEN || state == OPENING) && blocked == 0 && isBusy() == 0 && suppressInput == 0) handleInput();
}

void menuScreenType::handleInput() {
    int current = session ? session->getCurrentScreen() : 0;
    if (current == screenNumber) {
        if (keyHit(VK_ESCAPE) && goBack()) {
            debugLog("Escape: back from screen " + str(screenNumber));
            return;
        }
        // keyHit clears what it reads, so only the keys up to the first
        // one that acts are consumed this update.
        if (keyHit(VK_DOWN)) {
            selectButton(selected + 1);
            lastNavTime = millisecs();
        } else if (keyHit(VK_UP)) {
            selectButton(selected - 1);
            lastNavTime = millisecs();
        } else if (keyHit(VK_LEFT) && leftTarget >= 0) {
            selectButton(leftTarget);
            debugLog("Left to " + str(leftTarget));
        } else if (keyHit(VK_RIGHT) && rightTarget >= 0) {
            selectButton(rightTarget);
            debugLog("Right to " + str(rightTarget));
        }

        if (int64_t(millisecs()) - lastNavTime > kRepeatDelayMs) {
            if (keyDown(VK_UP)) {
                selectButton(selected - 1);
                lastNavTime = millisecs();
            } else if (keyDown(VK_DOWN)) {
                selectButton(selected + 1);
                lastNavTime = millisecs();
            }
        }

        if ((keyDown(VK_ENTER) || keyDown(VK_SPACE)) && noHighlight == 0 && activationAllowed()) {
            lastActivationTime = millisecs();
            activate(0);
        }
    }

    // The mouse belongs to every open menu, whatever screen has the keyboard.
    trackMouse();
    if (mouseDown(1) && noHighlight == 0 && activationAllowed()) {
        lastActivationTime = millisecs();
        activate(1);
    }
}

void menuScreenType::trackMouse() {
    int px = mouseX();
    int py = mouseY();
    // A pointer that only trembles leaves the keyboard's selection alone.
    if (std::abs(px - lastMouseX) > 1 || std::abs(py - lastMouseY) > 1) {
        selectButton(buttonAt(px, py));
        lastMouseX = px;
        lastMouseY = py;
    }
}

void menuScreenType::selectButton(int index) {
    if (index == -2) {
        noHighlight = 1;
        return;
    }
    if (index < 0) index = buttonCount - 1;
    if (index == buttonCount) index = 0;
    selected = index;
    noHighlight = 0;
}

int menuScreenType::buttonAt(int px, int py) {
    int rx = px - x;
    int ry = py - y;
    for (int i = 0; i < int(buttons.size()); i++) {
        const auto& b = buttons[i];
        if (!b) continue;
        if (b->x - b->w / 2 <= rx && rx < b->x + b->w / 2 && b->y - b->h / 2 <= ry && ry < b->y + b->h / 2)
            return i;
    }
    return -2;
}

void menuScreenType::drawMenu() {
    setBlend(BLEND_ALPHA);
    setAlpha(float(fade) / kFadeSteps);
    if (panel) drawImage(panel, float(x), float(y), 0);
    if (fore) drawImage(fore, float(x + foreDX), float(y + foreDY), 0);
    drawExtra();
    for (int i = 0; i < int(buttons.size()); i++) {
        const auto& button = buttons[i];
        if (!button) continue;
        if (button->hasWidget == 1) button->drawWidget(x, y);
        int frame = (i == selected && noHighlight == 0) ? 2 * i + 1 : 2 * i;
        if (buttonStrip && frame < buttonStrip->frameCount())
            drawImage(buttonStrip, float(button->x + x), float(button->y + y), frame);
    }
    setAlpha(1);
}

}  // namespace qm
