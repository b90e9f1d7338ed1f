// A particle layer is a bare ParticleNode used as the head of a doubly linked
// list of particles: its next is the newest particle.
#pragma once
#include <memory>

namespace qm {

class ParticleNode : public std::enable_shared_from_this<ParticleNode> {
public:
    virtual ~ParticleNode() = default;
    std::shared_ptr<ParticleNode> next;
    ParticleNode* prev = nullptr;

    static std::shared_ptr<ParticleNode> create();
    void insertAfter(const std::shared_ptr<ParticleNode>& node);
    virtual void update();
    virtual void draw(float originX, float originY, int layer, float alphaScale);
    virtual void move(int dx, int dy);
    // Number of particles after this node (tests and benchmarks).
    int count() const;
};
using ParticleLayerPtr = std::shared_ptr<ParticleNode>;

// Spawns `count` (rounded) particles of a kind at pixel (x, y); layer null
// means the controller's layer, made when there is none.
void spawnParticles(int kind, float x, float y, float count, float targetX, float targetY,
                    ParticleLayerPtr layer);

}  // namespace qm
