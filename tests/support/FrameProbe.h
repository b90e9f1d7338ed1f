// Drawing tests on the headless frame: a fixture that opens it, and reading
// it back: single pixels, the box of lit pixels, plain one-colour images.
#pragma once
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>

#include "runtime/Graphics.h"
#include "runtime/Image.h"
#include "runtime/Runtime.h"

namespace qm::probe {

struct Box {
    int x, y, w, h;
};

struct Rgb {
    int r, g, b;
};

inline Rgb rgbAt(const Pixmap& p, int x, int y) {
    uint32_t c = p.at(x, y);
    return {int(c >> 16 & 255), int(c >> 8 & 255), int(c & 255)};
}

// One pixel of the frame, read through a 1 x 1 grab.
inline Rgb framePixel(int x, int y) {
    ImagePtr dot = createImage(1, 1, 1, 0);
    grabImage(dot, x, y);
    return rgbAt(lockImage(dot), 0, 0);
}

// One image of a single ARGB colour.
inline ImagePtr solidImage(int w, int h, uint32_t argb) {
    ImagePtr image = createImage(w, h, 1, 0);
    Pixmap p = lockImage(image);
    std::fill(p.pixels.begin(), p.pixels.end(), argb);
    setImagePixels(image, p);
    return image;
}

// The bounding box of pixels that differ from black.
inline Box litBox(const Pixmap& p) {
    int x0 = p.width, y0 = p.height, x1 = -1, y1 = -1;
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x)
            if ((p.at(x, y) & 0xFFFFFF) != 0) {
                x0 = std::min(x0, x), y0 = std::min(y0, y), x1 = std::max(x1, x), y1 = std::max(y1, y);
            }
    if (x1 < 0) return {0, 0, 0, 0};
    return {x0, y0, x1 - x0 + 1, y1 - y0 + 1};
}

// An open 800 x 600 headless frame, pictures made without a mid handle.
class HeadlessFrameTest : public ::testing::Test {
protected:
    void SetUp() override {
        RuntimeOptions options;
        options.headless = true;
        ASSERT_TRUE(runtimeInit(options));
        setAutoMidHandle(0);
        ASSERT_TRUE(openGraphics(800, 600, 0, 60, 0));
    }
    void TearDown() override {
        setAutoMidHandle(0);
        runtimeShutdown();
    }
};

}  // namespace qm::probe
