// A tutorial page shown over the board the first time a level names it.
#pragma once
#include "menus/menuScreenType.h"

namespace qm {

class tutorialPageType : public menuScreenType {
public:
    static void loadTutorialImages();
    static std::shared_ptr<tutorialPageType> createPage(int index);
    void resetMenu() override;
    void activate(int byMouse) override;
};

}  // namespace qm
