// Placeholder definitions; replaced by the real implementation.
#include "puzzle/Particle.h"

namespace qm {

void Particle::update() { }
void Particle::draw(float originX, float originY, int layer, float alphaScale) { }
void Particle::move(int dx, int dy) { }
void Particle::initStyles() { }
float Particle::toWorldX(float px) { return {}; }
float Particle::toWorldY(float py) { return {}; }
float Particle::toScreenX(float x, float z) { return {}; }
float Particle::toScreenY(float y, float z) { return {}; }
std::shared_ptr<Particle> Particle::create(float x, float y, float z, float ax, float ay, float az, float pitch, float yaw, float speed, float red, float green, float blue, float alpha, int motion, float targetX, float targetY, int style) { return std::make_shared<Particle>(); }

}  // namespace qm
