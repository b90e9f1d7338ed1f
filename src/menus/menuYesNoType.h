// A yes/no box drawn beside a button (the options screen's full-screen switch).
#pragma once
#include "menus/menuButtonType.h"
#include "runtime/Image.h"

namespace qm {

class menuYesNoType : public menuButtonType {
public:
    int dx = 0, dy = 0;  // top-left of the box, from the button's centre
    int frame = 0;       // 0 no, 1 yes

    // "media\menuYesNo.png": two 30 x 30 cells, shared by every box.
    static ImagePtr boxImage;
    static bool imagesLoaded;

    static std::shared_ptr<menuYesNoType> create(int x, int y, int w, int h, int dx, int dy, int frame);
    void drawWidget(int originX, int originY) override;
    void setValue(float v) override;
};

}  // namespace qm
