// Options: full screen, effects and music volume sliders, reset profile, back.
#pragma once
#include "menus/menuScreenType.h"

namespace qm {

class optionsMenuType : public menuScreenType {
public:
    int effectsSnapshot = -1;
    int musicSnapshot = -1;

    static std::shared_ptr<optionsMenuType> create();
    void resetMenu() override;
    void openMenu() override;
    void closeMenu() override;
    void hideMenu() override;
    void activate(int byMouse) override;
    void snapshotVolumes();
    void logVolumeChanges();
};

}  // namespace qm
