// Options: full screen, effects and music volume sliders, reset profile, back.
#pragma once
#include "menus/menuScreenType.h"

namespace qm {

class optionsMenuType : public menuScreenType {
public:
    enum : int { SLOT_FULLSCREEN = 0, SLOT_EFFECTS = 1, SLOT_MUSIC = 2, SLOT_RESET = 3, SLOT_BACK = 4 };

    // The volumes as whole percentages when the screen last opened or closed;
    // -1 until then.
    int effectsSnapshot = -1;
    int musicSnapshot = -1;

    static std::shared_ptr<optionsMenuType> create();
    void resetMenu() override;
    void openMenu() override;
    void closeMenu() override;
    void hideMenu() override;
    void updateMenu(int suppressInput) override;
    void activate(int byMouse) override;
    // Escape is Back.
    bool goBack() override;
    // Left and Right move a chosen slider's knob a tenth of the bar (held,
    // they repeat); Enter still steps through the volume cycle.
    void handleInput() override;
    void nudgeSlider(int direction);
    void snapshotVolumes();
    // Sends the volume changes since the last snapshot to the play log.
    void logVolumeChanges();
};

}  // namespace qm
