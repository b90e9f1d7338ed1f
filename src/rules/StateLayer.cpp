// The per-gizmo-state distance grids of the reachability search.
#include "rules/StateLayer.h"

namespace qm {

std::shared_ptr<StateLayer> StateLayer::create(GizmoStatesPtr state) {
    auto layer = std::make_shared<StateLayer>();
    layer->state = std::move(state);
    for (auto& column : layer->grid) {
        for (int& cell : column) cell = -1;
    }
    return layer;
}

StateLayer* StateLayer::find(const GizmoStatesPtr& wanted) {
    StateLayer* node = this;
    while (true) {
        if (node->state && wanted && node->state->equals(*wanted) == 1) return node;
        if (!node->next) {
            node->next = create(wanted);
            return node->next.get();
        }
        node = node->next.get();
    }
}

int StateLayer::length() const {
    int count = 0;
    for (const StateLayer* node = this; node; node = node->next.get()) ++count;
    return count;
}

StateLayer::~StateLayer() {
    std::shared_ptr<StateLayer> rest = std::move(next);
    while (rest && rest.use_count() == 1) {
        std::shared_ptr<StateLayer> after = std::move(rest->next);
        rest = std::move(after);
    }
}

}  // namespace qm
