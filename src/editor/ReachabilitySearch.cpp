// Placeholder definitions; replaced by the real implementation.
#include "editor/ReachabilitySearch.h"

namespace qm {

std::shared_ptr<ReachabilitySearch> ReachabilitySearch::create() { return std::make_shared<ReachabilitySearch>(); }
void ReachabilitySearch::recomputeReachability() { }
void ReachabilitySearch::cycleKeyDisplayMode() { }
void ReachabilitySearch::buildNextMap() { }
void ReachabilitySearch::drawReachabilityOverlay(float x, float y) { }
int ReachabilitySearch::nearestEdge(int endX, int endY) { return {}; }

}  // namespace qm
