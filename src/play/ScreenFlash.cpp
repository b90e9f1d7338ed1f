// The full-screen flash: white that fades by a fixed step per tick, then idles.
#include "play/ScreenFlash.h"

#include "runtime/Graphics.h"

namespace qm {

std::shared_ptr<ScreenFlash> ScreenFlash::create(float step, float alpha) {
    auto flash = std::make_shared<ScreenFlash>();
    flash->fading = 1;
    flash->alpha = alpha;
    flash->step = step;
    flash->red = flash->green = flash->blue = 255;
    return flash;
}

void ScreenFlash::update() {
    if (fading != 1) return;
    alpha -= step;
    if (!(alpha > 0)) {
        alpha = 0;
        fading = 0;
    }
}

void ScreenFlash::draw() {
    if (fading != 1) return;
    setAlpha(alpha);
    setColour(red, green, blue);
    drawRect(0, 0, 800, 600);
    setAlpha(1);
    setColour(255, 255, 255);
}

}  // namespace qm
