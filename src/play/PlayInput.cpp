// The play loop's input poll: keyboard, mouse and button-bar clicks turned
// into the flags of one pass.
#include "play/PlayInput.h"

#include "play/Globals.h"
#include "play/HoverButtonBar.h"
#include "play/LevelMap.h"
#include "runtime/Diagnostics.h"
#include "runtime/Input.h"

namespace qm {

int PlayInput::up = 0, PlayInput::down = 0, PlayInput::left = 0, PlayInput::right = 0;
int PlayInput::restart = 0, PlayInput::skip = 0, PlayInput::menuRequest = 0;
int PlayInput::buttonCode = -1;
int PlayInput::mouseX = 0, PlayInput::mouseY = 0, PlayInput::lastMouseX = 0, PlayInput::lastMouseY = 0;
int PlayInput::idleFrames = 0, PlayInput::mouseIdle = 0;

void PlayInput::pollInput() {
    resetInput();
    mouseX = qm::mouseX();
    mouseY = qm::mouseY();
    if (mouseX == lastMouseX && mouseY == lastMouseY) {
        idleFrames += 1;
        if (idleFrames > 200) mouseIdle = 1;
    } else {
        idleFrames = 0;
        mouseIdle = 0;
    }
    lastMouseX = mouseX;
    lastMouseY = mouseY;

    // The right button is only read when the left one brought no click.
    if (mouseHit(1) != 0 || mouseHit(2) != 0) {
        buttonCode = buttonBar ? buttonBar->hitTest(mouseX, mouseY) : -1;
    } else {
        buttonCode = -1;
    }

    if (buttonCode == 99) {
        // A click on the board moves the ball toward the clicked cell, taken
        // from the click's own point: a tap on a touch screen comes without
        // a pointer that moved there first, and a pointer left still for a
        // while has no arrow shown, yet its click is meant all the same.
        int hover = HoverButtonBar::directionFromBall(LevelMap::mouseCellX(), LevelMap::mouseCellY());
        if (hover == 1) up = 1;
        else if (hover == 2) right = 1;
        else if (hover == 3) down = 1;
        else if (hover == 4) left = 1;
        return;
    }

    bool arrow = true;
    if (keyDown(VK_UP)) up = 1;
    else if (keyDown(VK_LEFT)) left = 1;
    else if (keyDown(VK_RIGHT)) right = 1;
    else if (keyDown(VK_DOWN)) down = 1;
    else arrow = false;
    // Steering by key hides the hover arrow until the pointer moves again.
    if (arrow) idleFrames = 201;

    if (keyDown('R')) restart = 1;
    else if (keyDown('S')) skip = 1;
    else if (keyDown(VK_ESCAPE)) {
        menuRequest = 1;
        debugLog("--- escape key pressed");
    }

    if (buttonCode == 1) restart = 1;
    else if (buttonCode == 2) skip = 1;
    else if (buttonCode == 0) {
        menuRequest = 1;
        debugLog("--- Menu button pressed");
    }
}

void PlayInput::resetInput() {
    up = down = left = right = 0;
    restart = skip = menuRequest = 0;
    buttonCode = -1;
}

void PlayInput::resetInputAndFlush() {
    resetInput();
    flushKeys();
}

void PlayInput::resetAll() {
    resetInput();
    mouseX = mouseY = lastMouseX = lastMouseY = 0;
    idleFrames = mouseIdle = 0;
}

}  // namespace qm
