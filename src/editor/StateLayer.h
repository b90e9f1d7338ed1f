// One distinct gizmo state met during a reachability search, with its own
// distance grid.
#pragma once
#include <memory>
#include "puzzle/GizmoStates.h"

namespace qm {

class StateLayer {
public:
    GizmoStatesPtr state;
    int grid[20][14];
    std::shared_ptr<StateLayer> next;

    static std::shared_ptr<StateLayer> create(GizmoStatesPtr state);
    StateLayer* find(const GizmoStatesPtr& state);
};

}  // namespace qm
