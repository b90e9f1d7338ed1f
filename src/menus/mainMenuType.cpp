// The main menu: Play, Instructions, Options and Quit over the loaded level.
#include "menus/mainMenuType.h"
#include "play/Session.h"
#include "menus/MenuGlobals.h"
#include "play/Globals.h"
#include "play/TextFace.h"
#include "runtime/Clock.h"
#include "runtime/Graphics.h"
#include "runtime/Input.h"
#include "menus/instructionsMenuType.h"
#include "menus/levelSelectType.h"
#include "menus/optionsMenuType.h"
#include "menus/resetProfileMenuType.h"

namespace qm {

std::shared_ptr<mainMenuType> mainMenuType::create() {
    auto menu = std::make_shared<mainMenuType>();
    menu->setupMenu(0, 0, 5, SLOT_QUIT, 5, 226, 242, 256, 50, 0, "postcard.jpg", "mainMenu.png", 0, "", 0, 0);
    menu->resetMenu();
    return menu;
}

void mainMenuType::resetMenu() {
    // Shown at once when the program starts, without a fade-in.
    state = OPEN;
    fade = kFadeSteps;
    // Quit sits below the column; slot 3 is an unused gap moved off screen.
    if (buttons.size() > SLOT_QUIT && buttons[SLOT_QUIT]) {
        buttons[SLOT_QUIT]->x = 146;
        buttons[SLOT_QUIT]->y = 559;
    }
    if (buttons.size() > SLOT_UNUSED && buttons[SLOT_UNUSED]) buttons[SLOT_UNUSED]->y = -200;
}

void mainMenuType::selectButton(int index) {
    // Step over the unused slot in whichever direction the selection moves.
    if (index == SLOT_UNUSED) {
        if (selected == SLOT_OPTIONS)
            index = SLOT_QUIT;
        else if (selected == SLOT_QUIT)
            index = SLOT_OPTIONS;
    }
    menuScreenType::selectButton(index);
}

void mainMenuType::closeSubmenus(int immediate) {
    MenuPtr submenus[] = {instructionsMenu, optionsMenu, resetProfileMenu};
    for (const auto& submenu : submenus) {
        if (!submenu) continue;
        if (immediate == 1)
            submenu->hideMenu();
        else
            submenu->closeMenu();
    }
}

void mainMenuType::activate(int byMouse) {
    switch (selected) {
        case SLOT_PLAY:
            closeSubmenus(1);
            if (session) session->resumePlay();
            break;
        case SLOT_INSTRUCTIONS:
            closeSubmenus(0);
            if (instructionsMenu) instructionsMenu->openMenu();
            break;
        case SLOT_OPTIONS:
            closeSubmenus(0);
            if (optionsMenu) optionsMenu->openMenu();
            break;
        case SLOT_QUIT:
            closeSubmenus(0);
            if (session) session->quit();
            break;
        default:
            break;
    }
}

bool mainMenuType::onPostcard(int px, int py) {
    // The tilted card on the title picture, a little inside its edges.
    if (px < 415 || px >= 765 || py < 185 || py >= 470) return false;
    // The options and instructions open over the card: then it is theirs.
    MenuPtr submenus[] = {instructionsMenu, optionsMenu, resetProfileMenu};
    for (const auto& submenu : submenus)
        if (submenu && submenu->state != CLOSED) return false;
    return true;
}

void mainMenuType::handleInput() {
    bool keyboard = session && session->getCurrentScreen() == screenNumber;
    bool byKey = keyboard && keyHit('L');
    bool byClick = onPostcard(mouseX(), mouseY()) && mouseDown(1) && activationAllowed();
    if ((byKey || byClick) && levelMenu) {
        lastActivationTime = millisecs();
        levelMenu->openMenu();
        return;
    }
    menuScreenType::handleInput();
}

void mainMenuType::drawExtra() {
    // Pointing at the postcard says what a click does there.
    if (blocked == 1 || !levelMenu || !onPostcard(mouseX(), mouseY())) return;
    const std::string caption = "Choose a level (L)";
    int w = TextFace::width(TextFace::LABEL, caption) + 20;
    setColour(16, 12, 20);
    setAlpha(0.7f * float(fade) / kFadeSteps);
    drawRect(float(590 - w / 2), 474, float(w), 24);
    setColour(255, 231, 160);
    setAlpha(float(fade) / kFadeSteps);
    TextFace::draw(TextFace::LABEL, caption, 590, 491, TextFace::CENTRE);
    setColour(255, 255, 255);
    setAlpha(float(fade) / kFadeSteps);
}

}  // namespace qm
