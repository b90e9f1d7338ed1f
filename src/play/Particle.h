// One particle: a small image moving in a simple 3-D space, projected with
// perspective, fading out.
#pragma once
#include "play/ParticleNode.h"

namespace qm {

class Particle : public ParticleNode {
public:
    float x = 0, y = 0, z = 200;
    float ax = 0, ay = 0, az = 0;
    float vx = 0, vy = 0, vz = 0;
    float red = 255, green = 255, blue = 255;
    float alpha = 1;
    int motion = 0;
    int spinning = 0;
    float targetX = 0, targetY = 0;
    int fadeRate = 0;
    int style = 0;
    int delay = 0;
    int angle = 0;
    int spin = 0;
    float shiftX = 0, shiftY = 0;

    void update() override;
    void draw(float originX, float originY, int layer, float alphaScale) override;
    void move(int dx, int dy) override;
    static void initStyles();
    void addDelay(int n) { delay += n; }
    static float toWorldX(float px);
    static float toWorldY(float py);
    static float toScreenX(float x, float z);
    static float toScreenY(float y, float z);
    static std::shared_ptr<Particle> create(float x, float y, float z, float ax, float ay, float az, float pitch,
                                            float yaw, float speed, float red, float green, float blue,
                                            float alpha, int motion, float targetX, float targetY, int style);
};

}  // namespace qm
