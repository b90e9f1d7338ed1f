// One distinct gizmo state met during a reachability search, with its own
// distance grid; the layers of one search form a singly linked list.
#pragma once
#include <memory>

#include "rules/GizmoStates.h"

namespace qm {

// The search holds its states by reference: a shatter hit is written into the
// state in hand, which a layer and the rolls after it may share, as the
// search has always done.
using GizmoStatesPtr = std::shared_ptr<GizmoStates>;

class StateLayer {
public:
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
