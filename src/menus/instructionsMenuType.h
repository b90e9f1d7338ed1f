// The how-to-play panel beside the main menu.
#pragma once
#include "menus/menuScreenType.h"

namespace qm {

class instructionsMenuType : public menuScreenType {
public:
    static std::shared_ptr<instructionsMenuType> create();
    void resetMenu() override;
    void activate(int byMouse) override;
    bool goBack() override;
};

}  // namespace qm
