// Tutorial pages: a blank panel with one of ten tutorial pictures on it,
// closed by any key or click once faded in.
#include "menus/tutorialPageType.h"
#include "runtime/TextConv.h"

namespace qm {

ImagePtr tutorialPageType::tutorialImages[kPageCount];

void tutorialPageType::loadTutorialImages() {
    int mid = autoMidHandle();
    setAutoMidHandle(0);
    for (int i = 0; i < kPageCount; i++) {
        std::string n = (i < 10 ? "0" : "") + str(i);
        tutorialImages[i] = loadAnimImage("media\\tutorialtext" + n + ".png", 640, 448, 0, 1, -1);
    }
    setAutoMidHandle(mid);
}

std::shared_ptr<tutorialPageType> tutorialPageType::createPage(int index) {
    auto page = std::make_shared<tutorialPageType>();
    page->stripMayBeAbsent = 1;
    // The strip name names no file on purpose: the page's one "button" is
    // the tutorial picture, put in its place below.
    page->setupMenu(64, 64, 1, -1, -1, 0, 0, 325, 402, 30, "blank.png", "thisIntentionallyFails.png", 1, "", 0, 0);
    page->buttonStrip = (index >= 0 && index < kPageCount) ? tutorialImages[index] : nullptr;
    page->resetMenu();
    return page;
}

void tutorialPageType::resetMenu() {
    state = CLOSED;
    fade = 0;
    pageTurnOnOpen = 0;
}

void tutorialPageType::activate(int byMouse) { closeMenu(); }

}  // namespace qm
