// One button of a menu: its hit rectangle, relative to the menu's position.
// Also the base of the widgets a button can carry (yes/no box, slider).
#pragma once
#include <memory>

namespace qm {

class menuButtonType {
public:
    virtual ~menuButtonType() = default;
    int x = 0, y = 0;  // centre, relative to the menu position
    int w = 0, h = 0;
    int hasWidget = 0;      // 1: the menu draws the widget under the button frame
    int tracksPointer = 0;  // 1 for sliders

    static std::shared_ptr<menuButtonType> create(int x, int y, int w, int h);

    virtual void drawWidget(int originX, int originY) {}
    // Whether the pointer is on the widget (sliders also take its value).
    virtual int pointerOn(int originX, int originY) { return 0; }
    virtual float getValue() { return -1.0f; }
    virtual void setValue(float v) {}
};
using MenuButtonPtr = std::shared_ptr<menuButtonType>;

}  // namespace qm
