// Particles: kinds, life spans, the burst's target, scrolling by placement,
// unlinking, and what the two layer draws put in the headless frame.
#include <gtest/gtest.h>

#include <cmath>

#include "app/AppGlobals.h"
#include "play/PlayerProfile.h"
#include "play/LevelMap.h"
#include "play/Particle.h"
#include "play/ParticleNode.h"
#include "runtime/Graphics.h"
#include "runtime/Image.h"
#include "runtime/Runtime.h"
#include "support/TempFolder.h"

using namespace qm;

namespace {

class ParticleTest : public ::testing::Test {
protected:
    void SetUp() override {
        resetGlobals();
        RuntimeOptions options;
        options.headless = true;
        ASSERT_TRUE(runtimeInit(options));
        Particle::initStyles();
    }
    void TearDown() override {
        resetGlobals();
        setAutoMidHandle(0);
        runtimeShutdown();
    }
    static std::shared_ptr<Particle> newest(const ParticleLayerPtr& layer) {
        return std::static_pointer_cast<Particle>(layer->next);
    }
};

TEST_F(ParticleTest, TrailSparkLivesOneHundredTicksAndGoesAtTheNextDraw) {
    auto layer = ParticleNode::create();
    spawnParticles(3, 100, 100, 1, 0, 0, layer);
    ASSERT_EQ(layer->count(), 1);
    auto spark = newest(layer);
    for (int i = 0; i < 99; ++i) layer->update();
    EXPECT_GT(spark->alpha, 0.0f);
    layer->draw(47, 47, 1, 1.0f);
    EXPECT_EQ(layer->count(), 1);
    layer->update();
    EXPECT_LE(spark->alpha, 0.0f);
    EXPECT_EQ(layer->count(), 1) << "updating never unlinks";
    layer->draw(47, 47, -1, 1.0f);
    EXPECT_EQ(layer->count(), 0);
}

TEST_F(ParticleTest, BurstSparkLivesAboutAThirdOfAThousandTicks) {
    auto layer = ParticleNode::create();
    spawnParticles(0, 100, 100, 1, 0, 0, layer);
    auto spark = newest(layer);
    for (int i = 0; i < 333; ++i) layer->update();
    EXPECT_GT(spark->alpha, 0.0f);
    layer->update();
    EXPECT_LE(spark->alpha, 0.0f);
}

TEST_F(ParticleTest, TeleportGlowStaysUntilItsBoardScrollsThenFades) {
    auto layer = ParticleNode::create();
    spawnParticles(1, 64, 64, 15, 0, 0, layer);
    EXPECT_EQ(layer->count(), 15);
    for (int i = 0; i < 1000; ++i) layer->update();
    layer->draw(0, 0, 1, 1.0f);
    EXPECT_EQ(layer->count(), 15);
    auto glow = newest(layer);
    EXPECT_EQ(glow->spinning, 1);
    layer->move(8, -8);
    EXPECT_EQ(glow->shiftX, 8.0f);
    EXPECT_EQ(glow->shiftY, -8.0f);
    EXPECT_GE(glow->fadeRate, 40);
    EXPECT_LE(glow->fadeRate, 100);
    for (int i = 0; i < 25; ++i) layer->update();
    layer->draw(0, 0, 1, 1.0f);
    EXPECT_EQ(layer->count(), 0);
}

TEST_F(ParticleTest, EndBurstWithoutTargetFliesToTheLevelsToken) {
    test::TempFolder folder;
    playerProfile = PlayerProfile::create(0);
    playerProfile->currentLevel = 8;
    playerProfile->currentGroup = 1;  // position 3 in its group
    auto layer = ParticleNode::create();
    spawnParticles(4, 320, 240, 30, 0, 0, layer);
    ASSERT_EQ(layer->count(), 30);
    auto spark = newest(layer);
    EXPECT_FLOAT_EQ(spark->targetX, Particle::toWorldX(676));
    EXPECT_FLOAT_EQ(spark->targetY, Particle::toWorldY(42 + 64 * 3));
    EXPECT_EQ(spark->motion, 2);
    EXPECT_EQ(spark->z, 201.0f);
    float startDistance = std::hypot(spark->x - spark->targetX, spark->y - spark->targetY);
    for (int i = 0; i < 60; ++i) layer->update();
    EXPECT_LT(std::hypot(spark->x - spark->targetX, spark->y - spark->targetY), startDistance / 2);

    spawnParticles(4, 320, 240, 1, 100, 50, layer);
    EXPECT_FLOAT_EQ(newest(layer)->targetX, Particle::toWorldX(100)) << "a given target is kept";
}

TEST_F(ParticleTest, EndSparklesWaitUpToFiftyTicksThenDriftToTheEnd) {
    auto layer = ParticleNode::create();
    spawnParticles(2, 300, 210, 21, 288, 192, layer);
    int waiting = 0;
    for (auto n = layer->next; n; n = n->next) {
        auto p = std::static_pointer_cast<Particle>(n);
        EXPECT_GE(p->delay, 0);
        EXPECT_LE(p->delay, 50);
        waiting += p->delay > 0;
        EXPECT_EQ(p->motion, 1);
    }
    EXPECT_GT(waiting, 10);
    auto p = newest(layer);
    p->delay = 5;
    float x0 = p->x;
    for (int i = 0; i < 5; ++i) layer->update();
    EXPECT_EQ(p->x, x0) << "a waiting sparkle does not move";
    for (int i = 0; i < 60; ++i) layer->update();
    EXPECT_LT(std::fabs(p->x - p->targetX), std::fabs(x0 - p->targetX));
}

TEST_F(ParticleTest, ScrollMovesEachStyleByItsPlacement) {
    auto layer = ParticleNode::create();
    auto world = Particle::create(100, 100, 200, 0, 0, 0, 0, 0, 0, 255, 255, 255, 1, 0, 0, 0, 0);
    auto withBoard = Particle::create(100, 100, 200, 0, 0, 0, 0, 0, 0, 255, 255, 255, 1, 0, 0, 0, 2);
    auto screen = Particle::create(100, 100, 200, 0, 0, 0, 0, 0, 0, 255, 255, 255, 1, 0, 0, 0, 3);
    layer->insertAfter(world);
    layer->insertAfter(withBoard);
    layer->insertAfter(screen);
    float wx = world->x, wy = world->y, sx = screen->x;
    layer->move(30, -30);
    EXPECT_EQ(world->x, wx + 7.0f) << "6000 / 800 truncated";
    EXPECT_EQ(world->y, wy - 10.0f);
    EXPECT_EQ(world->shiftX, 0.0f);
    EXPECT_EQ(withBoard->shiftX, 30.0f);
    EXPECT_EQ(withBoard->shiftY, -30.0f);
    EXPECT_EQ(withBoard->fadeRate, 10) << "only a glow that never faded gets a fade";
    EXPECT_EQ(screen->x, sx);
    EXPECT_EQ(screen->shiftX, 0.0f);
}

TEST_F(ParticleTest, DeadParticlesAreUnlinkedWhereverTheyAreInTheList) {
    auto layer = ParticleNode::create();
    std::shared_ptr<Particle> p[4];
    for (auto& particle : p) {
        particle = Particle::create(100, 100, 200, 0, 0, 0, 0, 0, 0, 255, 255, 255, 1, 0, 0, 0, 2);
        layer->insertAfter(particle);
    }
    // List order: p3 p2 p1 p0. Kill the oldest (last) and one in the middle.
    p[0]->alpha = 0;
    p[2]->alpha = -0.5f;
    layer->draw(0, 0, 1, 1.0f);
    ASSERT_EQ(layer->count(), 2);
    EXPECT_EQ(layer->next, p[3]);
    EXPECT_EQ(p[3]->next, p[1]);
    EXPECT_EQ(p[1]->prev, p[3].get());
    EXPECT_EQ(p[1]->next, nullptr);
    p[3]->alpha = 0;
    layer->draw(0, 0, 1, 1.0f);
    EXPECT_EQ(layer->next, p[1]);
    EXPECT_EQ(p[1]->prev, layer.get());
}

TEST_F(ParticleTest, SpawningWithoutALayerMakesTheGameLayer) {
    EXPECT_EQ(particleLayer, nullptr);
    spawnParticles(3, 10, 10, 2.4f, 0, 0, nullptr);
    ASSERT_NE(particleLayer, nullptr);
    EXPECT_EQ(particleLayer->count(), 2);
    spawnParticles(3, 10, 10, 2.5f, 0, 0, nullptr);
    EXPECT_EQ(particleLayer->count(), 5);
}

// ---- in the frame ----

class ParticleDrawTest : public ParticleTest {
protected:
    void SetUp() override {
        ParticleTest::SetUp();
        ASSERT_TRUE(openGraphics(800, 600, 0, 60, 0));
        setAutoMidHandle(1);
        ImagePtr dot = createImage(20, 20, 1, 0);
        Pixmap pixels = lockImage(dot);
        std::fill(pixels.pixels.begin(), pixels.pixels.end(), 0xffffffffu);
        setImagePixels(dot, pixels);
        effectImages[0] = dot;
        effectImages[2] = dot;
        setOrigin(0, 0);
        setBlend(BLEND_SOLID);
        setColour(0, 0, 0);
        drawRect(0, 0, 800, 600);
        setColour(255, 255, 255);
    }
    // Sum of red over a square around (x, y), and the centre of the lit pixels.
    struct Spot {
        long red = 0;
        float cx = 0, cy = 0;
    };
    static Spot spotAround(int x, int y, int half = 20) {
        Pixmap frame = grabFrame();
        Spot s;
        long lit = 0;
        for (int py = y - half; py <= y + half; ++py)
            for (int px = x - half; px <= x + half; ++px) {
                int r = int(frame.at(px, py) >> 16 & 255);
                s.red += r;
                if (r > 0) {
                    s.cx += float(px);
                    s.cy += float(py);
                    ++lit;
                }
            }
        if (lit) {
            s.cx /= float(lit);
            s.cy /= float(lit);
        }
        return s;
    }
};

TEST_F(ParticleDrawTest, ParticleAtRestIsDrawnWhereItWasMadePlusItsBoardShift) {
    currentMap = LevelMap::createEmpty(0);
    currentMap->addShift(16, -8);
    auto layer = ParticleNode::create();
    layer->insertAfter(Particle::create(320, 240, 200, 0, 0, 0, 0, 0, 0, 255, 255, 255, 1, 0, 0, 0, 2));
    layer->draw(47, 47, 1, 1.0f);
    Spot s = spotAround(47 + 320 + 16, 47 + 240 - 8);
    EXPECT_GT(s.red, 0);
    EXPECT_NEAR(s.cx, 47 + 320 + 16, 1.0f);
    EXPECT_NEAR(s.cy, 47 + 240 - 8, 1.0f);
}

TEST_F(ParticleDrawTest, BackAndFrontLayersTogetherShowEachParticleOnce) {
    auto layer = ParticleNode::create();
    auto near = Particle::create(200, 200, 150, 0, 0, 0, 0, 0, 0, 60, 60, 60, 1, 0, 0, 0, 2);
    auto far = Particle::create(500, 300, 200, 0, 0, 0, 0, 0, 0, 60, 60, 60, 1, 0, 0, 0, 2);
    layer->insertAfter(near);
    layer->insertAfter(far);
    int nearX = int(Particle::toScreenX(near->x, near->z)), nearY = int(Particle::toScreenY(near->y, near->z));
    layer->draw(0, 0, -1, 1.0f);
    Spot nearOnce = spotAround(nearX, nearY);
    EXPECT_GT(nearOnce.red, 0);
    EXPECT_EQ(spotAround(500, 300).red, 0) << "z = 200 belongs to the front layer";
    layer->draw(0, 0, 1, 1.0f);
    Spot farOnce = spotAround(500, 300);
    EXPECT_GT(farOnce.red, 0);
    EXPECT_EQ(spotAround(nearX, nearY).red, nearOnce.red) << "the front layer does not draw it again";
}

TEST_F(ParticleDrawTest, WaitingParticleIsNotDrawn) {
    auto layer = ParticleNode::create();
    auto p = Particle::create(320, 240, 200, 0, 0, 0, 0, 0, 0, 255, 255, 255, 1, 0, 0, 0, 2);
    p->addDelay(3);
    layer->insertAfter(p);
    layer->draw(0, 0, 1, 1.0f);
    EXPECT_EQ(spotAround(320, 240).red, 0);
}

}  // namespace
