// Page-like screens: any key or click closes them once they are fully shown.
#include "menus/menuPageType.h"
#include "runtime/Graphics.h"
#include "runtime/Input.h"

namespace qm {

void menuPageType::handleInput() {
    // Held keys count too, so a key still down when the fade-in ends closes
    // the page at once.
    bool any = getChar() != 0 || keyDown(VK_DOWN) || keyDown(VK_UP) || keyDown(VK_LEFT) || keyDown(VK_RIGHT) ||
               keyDown(VK_ENTER) || keyDown(VK_SPACE) || mouseDown(1);
    if (any && state != OPENING) closeMenu();
}

void menuPageType::drawMenu() {
    setBlend(BLEND_ALPHA);
    setAlpha(float(fade) / kFadeSteps);
    if (panel) drawImage(panel, float(x), float(y), 0);
    drawExtra();
    setBlend(BLEND_ALPHA);
    for (int i = 0; i < int(buttons.size()); i++) {
        const auto& button = buttons[i];
        if (!button) continue;
        if (button->hasWidget == 1) button->drawWidget(x, y);
        if (buttonStrip && i < buttonStrip->frameCount())
            drawImage(buttonStrip, float(button->x + x), float(button->y + y), i);
    }
    setAlpha(1);
}

}  // namespace qm
