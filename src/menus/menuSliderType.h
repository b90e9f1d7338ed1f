// A horizontal volume slider drawn under a button: a bar and a knob, value
// 0 to 100, set by the pointer while the mouse button is held.
#pragma once
#include "menus/menuButtonType.h"
#include "runtime/Image.h"

namespace qm {

class menuSliderType : public menuButtonType {
public:
    int dx = 0, dy = 0;  // the bar's left end, from the button's centre
    int length = 0;      // bar length in pixels
    int band = 0;        // the pointer band: band above the bar, 2 x band below
    int value = 0;       // 0..100

    // "media\sliderBack.png" and "media\sliderX.png", shared by every slider.
    static ImagePtr barImage;
    static ImagePtr knobImage;
    static bool imagesLoaded;

    static std::shared_ptr<menuSliderType> create(int x, int y, int w, int h, int dx, int dy, int length,
                                                  int band);
    void drawWidget(int originX, int originY) override;
    // 1 when the pointer is inside the band over the bar (the value then
    // follows it) or anywhere right of 40 pixels before the bar's left end.
    int pointerOn(int originX, int originY) override;
    float getValue() override;
    void setValue(float v) override;
};

}  // namespace qm
