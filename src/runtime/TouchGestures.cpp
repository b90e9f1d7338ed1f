#include "TouchGestures.h"

#include <cstdlib>

#include "Input.h"

namespace qm {

void TouchGestures::fingerDown(int64_t finger, int x, int y) {
    if (active != -1) return;
    release();
    active = finger;
    startX = x;
    startY = y;
    inputMouseMove(x, y);
}

void TouchGestures::fingerUp(int64_t finger, int x, int y) {
    if (finger != active) return;
    active = -1;
    int dx = x - startX, dy = y - startY;
    if (std::abs(dx) < kSwipeDistance && std::abs(dy) < kSwipeDistance) {
        heldButton = 1;
        inputMouseButton(1, true);
    } else {
        heldKey = std::abs(dx) > std::abs(dy) ? (dx > 0 ? VK_RIGHT : VK_LEFT) : (dy > 0 ? VK_DOWN : VK_UP);
        inputKeyEvent(heldKey, true);
    }
    pollsLeft = 2;
}

void TouchGestures::poll() {
    if (pollsLeft > 0 && --pollsLeft == 0) release();
}

void TouchGestures::release() {
    if (heldButton) inputMouseButton(heldButton, false);
    if (heldKey) inputKeyEvent(heldKey, false);
    heldButton = heldKey = 0;
    pollsLeft = 0;
}

}  // namespace qm
