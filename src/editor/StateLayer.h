// One distinct gizmo state met during a reachability search, with its own
// distance grid; the layers of one search form a singly linked list.
#pragma once
#include <memory>
#include "puzzle/GizmoStates.h"

namespace qm {

class StateLayer {
public:
    // Held, not copied: a shatter hit written into the search's state object
    // in hand shows here too, as it does in play.
    GizmoStatesPtr state;
    int grid[20][14];
    std::shared_ptr<StateLayer> next;

    static std::shared_ptr<StateLayer> create(GizmoStatesPtr state);
    // The node whose state equals the given one, searched from this node on;
    // when none does, a new node for it is linked at the end and returned.
    StateLayer* find(const GizmoStatesPtr& state);
    // How many nodes the list holds from this one on.
    int length() const;
    // Unlinks the tail one node at a time, so a long list cannot exhaust the stack.
    ~StateLayer();
};

}  // namespace qm
