// The yes/no box widget.
#include "menus/menuYesNoType.h"
#include <cmath>
#include "runtime/Graphics.h"

namespace qm {

ImagePtr menuYesNoType::boxImage;
bool menuYesNoType::imagesLoaded = false;

std::shared_ptr<menuYesNoType> menuYesNoType::create(int x, int y, int w, int h, int dx, int dy, int frame) {
    if (!imagesLoaded) {
        // Loaded once per program, top-left anchored like the panels.
        int mid = autoMidHandle();
        setAutoMidHandle(0);
        boxImage = loadAnimImage("media\\menuYesNo.png", 30, 30, 0, 2, -1);
        setAutoMidHandle(mid);
        imagesLoaded = true;
    }
    auto box = std::make_shared<menuYesNoType>();
    box->x = x;
    box->y = y;
    box->w = w;
    box->h = h;
    box->dx = dx;
    box->dy = dy;
    box->frame = frame;
    box->hasWidget = 1;
    return box;
}

void menuYesNoType::drawWidget(int originX, int originY) {
    if (!boxImage || frame < 0 || frame >= boxImage->frameCount()) return;
    drawImage(boxImage, float(x + dx + originX), float(y + dy + originY), frame);
}

void menuYesNoType::setValue(float v) { frame = int(std::lround(v)); }

}  // namespace qm
