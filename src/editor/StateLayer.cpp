// Placeholder definitions; replaced by the real implementation.
#include "editor/StateLayer.h"

namespace qm {

std::shared_ptr<StateLayer> StateLayer::create(GizmoStatesPtr state) { return std::make_shared<StateLayer>(); }
StateLayer* StateLayer::find(const GizmoStatesPtr& state) { return nullptr; }

}  // namespace qm
