// The main menu over the loaded level: Play, Instructions, Options, Quit.
#pragma once
#include "menus/menuScreenType.h"

namespace qm {

class mainMenuType : public menuScreenType {
public:
    static std::shared_ptr<mainMenuType> create();
    void resetMenu() override;
    void selectButton(int index) override;
    void activate(int byMouse) override;
    void closeSubmenus(int immediate);
};

}  // namespace qm
