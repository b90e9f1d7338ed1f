// The volume slider widget.
#include "menus/menuSliderType.h"
#include <cmath>
#include "runtime/Diagnostics.h"
#include "runtime/Graphics.h"
#include "runtime/Input.h"
#include "runtime/TextConv.h"

namespace qm {

ImagePtr menuSliderType::barImage;
ImagePtr menuSliderType::knobImage;
bool menuSliderType::imagesLoaded = false;

std::shared_ptr<menuSliderType> menuSliderType::create(int x, int y, int w, int h, int dx, int dy, int length,
                                                       int band) {
    if (!imagesLoaded) {
        int mid = autoMidHandle();
        setAutoMidHandle(0);
        barImage = loadImage("media\\sliderBack.png", -1);
        knobImage = loadImage("media\\sliderX.png", -1);
        setAutoMidHandle(mid);
        imagesLoaded = true;
    }
    auto slider = std::make_shared<menuSliderType>();
    slider->x = x;
    slider->y = y;
    slider->w = w;
    slider->h = h;
    slider->dx = dx;
    slider->dy = dy;
    slider->length = length;
    slider->band = band;
    slider->hasWidget = 1;
    slider->tracksPointer = 1;
    return slider;
}

void menuSliderType::drawWidget(int originX, int originY) {
    int left = x + dx + originX;
    int top = y + dy + originY;
    if (barImage) drawImage(barImage, float(left), float(top), 0);
    // The knob is 20 pixels wide; its centre marks the value.
    if (knobImage) drawImage(knobImage, float(left + value * length / 100 - 10), float(top), 0);
}

int menuSliderType::pointerOn(int originX, int originY) {
    int left = x + dx + originX;
    int barY = y + dy + originY;
    int px = mouseX();
    int py = mouseY();
    if (left < px && px < left + length && barY - band < py && py < barY + 2 * band) {
        value = (px - left) * 100 / length;
        return 1;
    }
    // Just left of the bar still counts as on it, so a quick drag past the
    // left end keeps the slider held (the value stays where it was).
    return px > left - 40 ? 1 : 0;
}

float menuSliderType::getValue() { return float(value); }

void menuSliderType::setValue(float v) {
    debugLog("Slider value set to " + floatText(v));
    value = int(std::lround(v));
}

}  // namespace qm
