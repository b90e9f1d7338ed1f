// The world map shown between groups of five levels, with the route that grows
// with the player's progress.
#pragma once
#include "menus/menuScreenType.h"
#include "puzzle/ParticleNode.h"

namespace qm {

class worldMapType : public menuScreenType {
public:
    ParticleLayerPtr particles;
    int headX = -1, headY = -1;
    float drawnLength = 0;
    int stepDivider = 0;
    float phase = 0;
    int lengthPerLevel = 54;

    static std::shared_ptr<worldMapType> create();
    void resetMenu() override;
    void openMenu() override;
    void closeMenu() override;
    void updateMenu(int suppressInput) override;
    void activate(int byMouse) override;
    void drawMenu() override;
    void animatePath();
};

}  // namespace qm
