// The world map shown between groups of five levels, with the route that grows
// with the player's progress.
#pragma once
#include <vector>
#include "menus/SplineType.h"
#include "menus/menuPageType.h"
#include "play/ParticleNode.h"

namespace qm {

class worldMapType : public menuPageType {
public:
    static constexpr int kSegmentCount = 28;

    ParticleLayerPtr particles;  // the dots and the head glow; a new layer at every open
    int headX = -1, headY = -1;  // where the ball is drawn; -1, -1 while none
    float drawnLength = 0;       // pixels of route drawn so far
    int stepDivider = 0;         // the route moves on every second update
    float phase = 0;             // 0..1: how far the dots have crept between two stands
    std::vector<SplinePtr> route;
    int lengthPerLevel = 54;

    static std::shared_ptr<worldMapType> create();
    void resetMenu() override;
    void openMenu() override;
    // Holds the map opaque a while longer (fade x 1.5), then fades it out and
    // lets the level transition go on.
    void closeMenu() override;
    void updateMenu(int suppressInput) override;
    void activate(int byMouse) override;
    void drawMenu() override;
    // Grows the drawn route towards the player's progress and lays its dots
    // and head glow; runs while opening or open.
    void animatePath();

    // Pixels of route the profile's progress earns: lengthPerLevel for every
    // solved or skipped level after level 0.
    float targetLength() const;
};

}  // namespace qm
