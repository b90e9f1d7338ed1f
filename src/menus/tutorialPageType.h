// A tutorial page shown over the board the first time a level names it.
#pragma once
#include "menus/menuPageType.h"

namespace qm {

class tutorialPageType : public menuPageType {
public:
    static constexpr int kPageCount = 10;
    // "media\tutorialtext00.png" to "...09.png", one 640 x 448 cell each.
    static ImagePtr tutorialImages[kPageCount];

    static void loadTutorialImages();
    // A closed page showing tutorial image `index` (nothing for an index
    // outside 0..9).
    static std::shared_ptr<tutorialPageType> createPage(int index);
    void resetMenu() override;
    void activate(int byMouse) override;
};

}  // namespace qm
