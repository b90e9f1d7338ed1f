// A rectangle that reacts to the pointer, with a glow image drawn while lit.
#pragma once
#include <memory>
#include "runtime/Image.h"

namespace qm {

class MouseButton {
public:
    int x1 = 0, x2 = 0, y1 = 0, y2 = 0;
    int drawX = 0, drawY = 0;
    int glow = 0;
    ImagePtr image;
    int active = 1;

    static std::shared_ptr<MouseButton> create(int x1, int x2, int y1, int y2, int drawX, int drawY,
                                               ImagePtr image);
    void fade();
    void draw();
    void hover(int x, int y);
    void glowUp();
    bool contains(int x, int y) const;
};

}  // namespace qm
