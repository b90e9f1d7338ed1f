// A full-screen white flash whose opacity falls by a fixed step per tick.
#pragma once
#include <memory>

namespace qm {

class ScreenFlash {
public:
    int fading = 0;
    float alpha = 0;
    float step = 0;
    int red = 255, green = 255, blue = 255;

    static std::shared_ptr<ScreenFlash> create(float step, float alpha);
    void update();
    void draw();
};

}  // namespace qm
