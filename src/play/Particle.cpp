// One particle's motion (free, homing, flying to a target, spinning), its
// perspective projection, fading and drawing, and its share of the board scroll.
#include "play/Particle.h"

#include <algorithm>
#include <cmath>

#include "play/Globals.h"
#include "play/LevelMap.h"
#include "runtime/Diagnostics.h"
#include "runtime/Graphics.h"
#include "runtime/Random.h"

namespace qm {

namespace {

struct Style {
    float size;
    int image;      // index into effectImages
    int fadeRate;   // thousandths of alpha per tick
    int placement;  // 0 moved in world space, 1 drawn with its board shift, 2 fixed to the screen
};

Style gStyles[6];
bool gStylesReady = false;

const Style& styleOf(int style) {
    if (!gStylesReady) Particle::initStyles();
    return gStyles[std::clamp(style, 0, 5)];
}

constexpr float kPi = 3.14159265358979f;
float radians(float degrees) { return degrees * kPi / 180.0f; }

}  // namespace

void Particle::initStyles() {
    gStyles[0] = {4.0f, 0, 3, 0};
    gStyles[1] = {3.0f, 0, 0, 1};
    gStyles[2] = {2.0f, 2, 10, 1};
    gStyles[3] = {0.7f, 2, 5, 2};
    gStyles[4] = {1.75f, 2, 10, 2};
    // The teleports' glow: as style 1, with the soft sprite, which fifteen
    // stacked copies do not burn into a flat disc.
    gStyles[5] = {3.0f, 3, 0, 1};
    gStylesReady = true;
}

float Particle::toWorldX(float px) { return px / 4.0f - 100.0f; }
float Particle::toWorldY(float py) { return py / 3.0f - 100.0f; }
float Particle::toScreenX(float wx, float wz) { return 800.0f * wx / wz + 400.0f; }
float Particle::toScreenY(float wy, float wz) { return 600.0f * wy / wz + 300.0f; }

std::shared_ptr<Particle> Particle::create(float px, float py, float pz, float accX, float accY, float accZ,
                                           float pitch, float yaw, float speed, float r, float g, float b, float a,
                                           int motionArg, float tx, float ty, int styleIndex) {
    auto p = std::make_shared<Particle>();
    p->x = toWorldX(px);
    p->y = toWorldY(py);
    p->z = pz;
    p->ax = accX;
    p->ay = accY;
    p->az = accZ;
    if (currentMap) {
        p->shiftX = float(currentMap->shiftX());
        p->shiftY = float(currentMap->shiftY());
    }
    p->vx = std::cos(radians(pitch)) * std::cos(radians(yaw)) * speed;
    p->vy = std::cos(radians(pitch)) * std::sin(radians(yaw)) * speed;
    p->vz = std::sin(radians(pitch)) * speed;
    p->red = r;
    p->green = g;
    p->blue = b;
    p->alpha = a;
    if (motionArg == 1) {
        p->motion = 1;
    } else if (motionArg == 3) {
        p->motion = 2;
    } else if (motionArg == 2) {
        p->spinning = 1;
        p->angle = int(std::lround(pitch));
        p->spin = int(std::lround(randomFloat(-1, 1)));
    }
    p->targetX = toWorldX(tx);
    p->targetY = toWorldY(ty);
    p->style = std::clamp(styleIndex, 0, 5);
    p->fadeRate = styleOf(p->style).fadeRate;
    return p;
}

void Particle::update() {
    // The oldest particles, further down the list, move first.
    ParticleNode::update();
    if (delay >= 1) {
        delay -= 1;
        return;
    }
    if (spinning) {
        angle += spin;
        if (angle > 360) angle -= 360;
        if (angle < 0) angle += 360;
        spin = int(std::lround(randomFloat(2, -2)));
    }
    vx += ax / 1000.0f;
    vy += ay / 1000.0f;
    vz += az / 1000.0f;
    x += 10.0f * vx;
    y += 10.0f * vy;
    z += 10.0f * vz;
    if (motion == 1) {
        ax = -std::clamp(x - targetX, -5.0f, 5.0f);
        ay = -std::clamp(y - targetY, -5.0f, 5.0f);
        az = 0;
        vz = 0;
    } else if (motion == 2) {
        float d = std::hypot(x - targetX, y - targetY);
        vx *= 0.97f;
        vy *= 0.97f;
        vz *= 0.97f;
        // On the target itself there is no way to point: stop pulling rather
        // than divide by zero.
        ax = d > 0 ? -8.0f * (x - targetX) / d : 0.0f;
        ay = d > 0 ? -8.0f * (y - targetY) / d : 0.0f;
        az = 0;
        vz = 0;
    }
    // Alpha is kept on a grid of thousandths: float steps of 0.01 would leave
    // a trail spark a hair above zero after its 100 ticks.
    alpha = std::round(alpha * 1000.0f - float(fadeRate)) / 1000.0f;
}

void Particle::draw(float originX, float originY, int layer, float alphaScale) {
    // Newest particles, nearer the head, draw last and so end up on top.
    ParticleNode::draw(originX, originY, layer, alphaScale);
    if (delay >= 1) return;
    if (alpha <= 0) {
        // Keep this particle alive until its draw returns: unlinking drops the
        // reference that its previous node held.
        auto self = shared_from_this();
        if (!prev) {
            notify(next ? "impossible: this particle has no previous"
                        : "impossible: this particle has no next or previous",
                   0);
            return;
        }
        if (next) next->prev = prev;
        prev->next = next;
        prev = nullptr;
        next = nullptr;
        return;
    }
    if (layer == -1 && z >= 200) return;
    if (layer == 1 && z < 200) return;
    const Style& s = styleOf(style);
    float sx = toScreenX(x, z);
    float sy = toScreenY(y, z);
    setColour(int(std::lround(red)), int(std::lround(green)), int(std::lround(blue)));
    setBlend(BLEND_LIGHT);
    setAlpha(alpha * alphaScale);
    float scale = s.size * 60.0f / z;
    setScale(scale, scale);
    float rotation;
    if (spinning) {
        rotation = float(angle);
    } else {
        rotation = std::atan(-vx / vy) * 180.0f / kPi;
        if (std::isnan(rotation)) rotation = 0;  // a particle at rest points nowhere in particular
        if (vy >= 0) rotation += 180.0f;
    }
    setRotation(rotation);
    const ImagePtr& image = effectImages[s.image];
    float px = originX + sx;
    float py = originY + sy;
    if (s.placement != 2) {
        px += shiftX;
        py += shiftY;
    }
    if (image) drawImage(image, px, py, 0);
    setRotation(0);
    setScale(1, 1);
    setColour(255, 255, 255);
    setAlpha(1);
    setBlend(BLEND_ALPHA);
}

void Particle::move(int dx, int dy) {
    ParticleNode::move(dx, dy);
    const Style& s = styleOf(style);
    if (s.placement == 0) {
        x += float((dx * 200) / 800);
        y += float((dy * 200) / 600);
    } else if (s.placement == 1) {
        shiftX += float(dx);
        shiftY += float(dy);
        if (fadeRate == 0) fadeRate = int(std::lround(randomFloat(100, 40)));
    }
}

}  // namespace qm
