// A rectangle of the play screen that lights up while the pointer rests on it
// and reports clicks; its glow picture fades in over 20 steps and out over 40.
#include "play/MouseButton.h"

#include <algorithm>
#include "runtime/Graphics.h"

namespace qm {

std::shared_ptr<MouseButton> MouseButton::create(int x1, int x2, int y1, int y2, int drawX, int drawY,
                                                 ImagePtr image) {
    auto button = std::make_shared<MouseButton>();
    button->x1 = x1;
    button->x2 = x2;
    button->y1 = y1;
    button->y2 = y2;
    button->drawX = drawX;
    button->drawY = drawY;
    button->image = std::move(image);
    button->glow = 0;
    button->active = 1;
    return button;
}

void MouseButton::fade() {
    if (glow > 0) glow -= 1;
}

// The caller chooses the blend mode (the bar draws all its buttons additively).
void MouseButton::draw() {
    if (glow <= 0) return;
    setAlpha(float(glow) / 40.0f);
    if (image) drawImage(image, float(drawX), float(drawY), 0);
}

void MouseButton::hover(int x, int y) {
    if (contains(x, y)) glowUp();
}

void MouseButton::glowUp() { glow = std::min(glow + 3, 40); }

// Both edges are inclusive, so neighbouring buttons share their edge pixels.
bool MouseButton::contains(int x, int y) const {
    return active != 0 && x >= x1 && x <= x2 && y >= y1 && y <= y2;
}

}  // namespace qm
