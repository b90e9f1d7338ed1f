// The particle layer's list links and spawnParticles, which turns a kind of
// effect (trail, end sparkle, burst...) into particles on a layer.
#include "play/ParticleNode.h"

#include <cmath>

#include "play/AssetCatalogue.h"
#include "play/Globals.h"
#include "play/PlayerProfile.h"
#include "play/Particle.h"
#include "runtime/Random.h"

namespace qm {

std::shared_ptr<ParticleNode> ParticleNode::create() { return std::make_shared<ParticleNode>(); }

void ParticleNode::insertAfter(const std::shared_ptr<ParticleNode>& node) {
    if (!node) return;
    node->next = next;
    if (next) next->prev = node.get();
    node->prev = this;
    next = node;
}

// Each walk holds its own reference to the next node: a particle may unlink
// itself during draw, which drops the reference its neighbour held.
void ParticleNode::update() {
    if (auto n = next) n->update();
}

void ParticleNode::draw(float originX, float originY, int layer, float alphaScale) {
    if (auto n = next) n->draw(originX, originY, layer, alphaScale);
}

void ParticleNode::move(int dx, int dy) {
    if (auto n = next) n->move(dx, dy);
}

int ParticleNode::count() const {
    int n = 0;
    for (const ParticleNode* p = next.get(); p; p = p->next.get()) ++n;
    return n;
}

namespace {

struct KindParameters {
    float z, ay, speed;
    int style;
    int motion;  // as Particle::create takes it: 0 free, 1 homing, 2 spinning, 3 flying to target
};

constexpr KindParameters kKinds[7] = {
    {200, 2.0f, 0.1f, 0, 0},      // spare burst
    {200, 0.0f, 1.0e-7f, 5, 2},   // teleport glow
    {200, 2.0f, 0.04f, 1, 1},     // end sparkle
    {200, 0.0f, 0.01f, 2, 0},     // ball trail
    {201, 2.0f, 0.1f, 0, 3},      // end burst
    {200, 0.0f, 0.0025f, 3, 0},   // world map
    {200, 0.0f, 0.005f, 4, 0},    // world map
};

}  // namespace

void spawnParticles(int kind, float x, float y, float count, float targetX, float targetY, ParticleLayerPtr layer) {
    if (kind < 0 || kind > 6) return;
    if (!layer) {
        if (!particleLayer) particleLayer = ParticleNode::create();
        layer = particleLayer;
    }
    long n = std::lround(count);
    const KindParameters& p = kKinds[kind];
    if (kind == 4 && targetX == 0 && targetY == 0) {
        int k = playerProfile ? playerProfile->indexInGroup(-1) : 0;
        targetX = 676;
        targetY = float(42 + 64 * k);
    }
    for (long i = 1; i <= n; ++i) {
        float pitch, yaw;
        if (kind == 1) {
            pitch = float(i) * randomFloat(60, 80);
            yaw = randomFloat(0, 360);
        } else if (kind == 2) {
            pitch = 0;
            yaw = 90;
        } else {
            pitch = randomFloat(0, 360);
            yaw = randomFloat(0, 360);
        }
        auto particle = Particle::create(x, y, p.z, 0, p.ay, 0, pitch, yaw, p.speed,
                                         float(AssetCatalogue::particleRed()), float(AssetCatalogue::particleGreen()),
                                         float(AssetCatalogue::particleBlue()), 1.0f, p.motion, targetX, targetY,
                                         p.style);
        layer->insertAfter(particle);
        if (kind == 2) particle->addDelay(int(std::lround(randomFloat(50, 0))));
    }
}

}  // namespace qm
