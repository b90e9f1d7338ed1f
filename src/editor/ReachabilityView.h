// The reachability search as the editor shows it: the search of the current
// board, the move-count overlay with its lock-layer choice, and the builder
// that starts the next board from the strip holding the end.
#pragma once
#include <memory>

#include "rules/ReachabilitySearch.h"

namespace qm {

class ReachabilityView : public ReachabilitySearch {
public:
    int displayMode = -1;  // the lock layer shown; -1 all of them

    // Also loads the editor's marker strip, which the board draws with.
    static std::shared_ptr<ReachabilityView> create();
    // A whole search on the current board; without one, every cell reads unreached.
    void recomputeReachability();
    // -1 (all layers), 0, 1, 2, 3, then -1 again.
    void cycleKeyDisplayMode();
    // Copies the strip between the current board's end and its nearest edge
    // to the opposite side of the next board, which starts where the end was.
    void buildNextMap();
    void drawReachabilityOverlay(float x, float y);
};

}  // namespace qm
