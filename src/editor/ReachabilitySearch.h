// The editor's reachability search: for every cell and lock layer, the fewest
// moves after which the ball passes or rests there; and the next-board builder.
#pragma once
#include <memory>
#include "puzzle/GizmoStates.h"

namespace qm {

class StateLayer;

class ReachabilitySearch {
public:
    int moves[20][14][4];
    int trace[20][14][4];
    int farthest = 0;
    int endX = -1, endY = -1;
    int displayMode = -1;
    int depthLimit = 50;

    static std::shared_ptr<ReachabilitySearch> create();
    void recomputeReachability();
    void cycleKeyDisplayMode();
    void buildNextMap();
    void drawReachabilityOverlay(float x, float y);
    static int nearestEdge(int endX, int endY);
};

}  // namespace qm
