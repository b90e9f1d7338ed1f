// Plain menu buttons.
#include "menus/menuButtonType.h"

namespace qm {

std::shared_ptr<menuButtonType> menuButtonType::create(int x, int y, int w, int h) {
    auto button = std::make_shared<menuButtonType>();
    button->x = x;
    button->y = y;
    button->w = w;
    button->h = h;
    return button;
}

}  // namespace qm
