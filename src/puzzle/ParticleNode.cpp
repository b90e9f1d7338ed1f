// Placeholder definitions; replaced by the real implementation.
#include "puzzle/ParticleNode.h"

namespace qm {

std::shared_ptr<ParticleNode> ParticleNode::create() { return std::make_shared<ParticleNode>(); }
void ParticleNode::insertAfter(const std::shared_ptr<ParticleNode>& node) { }
void ParticleNode::update() { }
void ParticleNode::draw(float originX, float originY, int layer, float alphaScale) { }
void ParticleNode::move(int dx, int dy) { }
int ParticleNode::count() const { return {}; }
void spawnParticles(int kind, float x, float y, float count, float targetX, float targetY, ParticleLayerPtr layer) { }

}  // namespace qm
