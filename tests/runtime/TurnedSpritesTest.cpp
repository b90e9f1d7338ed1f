// The software renderer's short cuts must not show: turned sprites taken from
// the cache match the renderer's own turning, tints and pieces give the same
// pixels as plain blending, and changed pixels or a new renderer are seen.
#include <gtest/gtest.h>

#include <cmath>

#include "runtime/Graphics.h"
#include "runtime/Image.h"
#include "runtime/Runtime.h"
#include "support/FrameProbe.h"

namespace qm {
namespace {

using namespace probe;

// A soft disc like the game's sparks, centred in a square of side `side`
// (a side over 64 is too big for the cache, so it is turned on every draw).
ImagePtr disc(int side, uint32_t rgb) {
    ImagePtr image = createImage(side, side, 1, 0);
    Pixmap p = lockImage(image);
    double c = (side - 1) / 2.0;
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x) {
            double d = std::hypot(x - c, y - c) / 16.0;
            uint32_t a = uint32_t(std::max(0.0, 1.0 - d) * 255.0);
            p.pixels[size_t(y) * size_t(side) + size_t(x)] = a << 24 | rgb;
        }
    setImagePixels(image, p);
    setImageHandle(image, float(side) / 2, float(side) / 2);
    return image;
}

// A bar with a red end, padded with see-through columns on its right.
ImagePtr bar(int width) {
    ImagePtr image = createImage(width, 4, 1, 0);
    Pixmap p = lockImage(image);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 10; ++x) p.pixels[size_t(y) * size_t(width) + size_t(x)] = 0xFF00FF00u;
    p.pixels[0] = 0xFFFF0000u;
    setImagePixels(image, p);
    setImageHandle(image, 5, 2);
    return image;
}

struct Glow {
    double sum = 0, cx = 0, cy = 0;  // red total and its centre
};

Glow glowIn(const Pixmap& frame, Box area) {
    Glow g;
    for (int y = area.y; y < area.y + area.h; ++y)
        for (int x = area.x; x < area.x + area.w; ++x) {
            double r = double(frame.at(x, y) >> 16 & 255);
            g.sum += r;
            g.cx += r * (x - area.x);
            g.cy += r * (y - area.y);
        }
    if (g.sum > 0) g.cx /= g.sum, g.cy /= g.sum;
    return g;
}

class TurnedSpritesTest : public HeadlessFrameTest {
protected:
    void turnedLight(float angle, float scale) {
        setBlend(BLEND_LIGHT);
        setAlpha(0.7f);
        setColour(255, 100, 0);
        setRotation(angle);
        setScale(scale, scale);
    }
};

TEST_F(TurnedSpritesTest, CachedSparksLookLikeTheRenderersOwnTurning) {
    ImagePtr small = disc(32, 0xFFE0A0), large = disc(66, 0xFFE0A0);  // the same disc, cached and not
    for (float angle : {0.0f, 37.0f, 90.0f, 211.0f})
        for (float scale : {0.6f, 1.0f, 1.75f}) {
            if (angle == 0.0f && scale == 1.0f) continue;
            clearFrame();
            turnedLight(angle, scale);
            drawImage(small, 200, 200);
            drawImage(large, 500, 200);
            Pixmap frame = grabFrame();
            Glow cached = glowIn(frame, {100, 100, 200, 200}), turned = glowIn(frame, {400, 100, 200, 200});
            ASSERT_GT(turned.sum, 0.0);
            EXPECT_NEAR(cached.sum / turned.sum, 1.0, 0.03) << "brightness at " << angle << " degrees, scale " << scale;
            // Within a pixel: the two sizes round their corners differently.
            EXPECT_NEAR(cached.cx, turned.cx, 1.1) << angle << ", " << scale;
            EXPECT_NEAR(cached.cy, turned.cy, 1.1) << angle << ", " << scale;
        }
}

TEST_F(TurnedSpritesTest, TurnedPicturesKeepTheirHandleAndDirection) {
    ImagePtr small = bar(10), large = bar(70);
    for (float angle : {30.0f, 90.0f, 180.0f, 300.0f}) {
        clearFrame();
        setBlend(BLEND_ALPHA);
        setRotation(angle);
        setScale(2, 1.5f);
        drawImage(small, 200, 300);
        drawImage(large, 500, 300);
        Pixmap frame = grabFrame();
        Pixmap left = frame, right = frame;
        for (int y = 0; y < 600; ++y)
            for (int x = 0; x < 800; ++x) (x < 350 ? right : left).pixels[size_t(y) * 800 + size_t(x)] = 0xFF000000u;
        Box a = litBox(left), b = litBox(right);
        EXPECT_NEAR(a.x - 200, b.x - 500, 1) << angle;
        EXPECT_NEAR(a.y, b.y, 1) << angle;
        EXPECT_NEAR(a.w, b.w, 1) << angle;
        EXPECT_NEAR(a.h, b.h, 1) << angle;
        Glow redA = glowIn(frame, {100, 200, 200, 200}), redB = glowIn(frame, {400, 200, 200, 200});
        double ra = 0, rb = 0;  // where the pure red end lies
        for (int y = 200; y < 400; ++y)
            for (int x = 100; x < 600; ++x)
                if (frame.at(x, y) == 0xFFFF0000u) (x < 350 ? ra : rb) += 1;
        EXPECT_GT(ra, 0) << "the red end is drawn, " << angle;
        EXPECT_GT(rb, 0);
        EXPECT_NEAR(redA.cx, redB.cx, 1.0) << angle;
        EXPECT_NEAR(redA.cy, redB.cy, 1.0) << angle;
    }
}

TEST_F(TurnedSpritesTest, ManyAnglesAndNewPixelsAreNeverServedStale) {
    ImagePtr spark = disc(32, 0xFFE0A0);
    // More angle and size pairs than the cache holds: the oldest are dropped
    // and made again when wanted.
    for (int round = 0; round < 2; ++round)
        for (int angle = 0; angle < 360; angle += 1)
            for (float scale : {0.5f, 0.75f, 1.25f}) {
                turnedLight(float(angle), scale);
                drawImage(spark, 300, 300);
            }
    clearFrame();
    turnedLight(45, 0.5f);
    drawImage(spark, 300, 300);
    double before = glowIn(grabFrame(), {250, 250, 100, 100}).sum;
    EXPECT_GT(before, 0.0);

    // The picture changes: the next draw at the same angle shows the new pixels.
    Pixmap blue = lockImage(spark);
    for (uint32_t& p : blue.pixels) p = (p & 0xFF000000u) | 0x0000FFu;
    setImagePixels(spark, blue);
    clearFrame();
    drawImage(spark, 300, 300);
    EXPECT_EQ(glowIn(grabFrame(), {250, 250, 100, 100}).sum, 0.0) << "no red left: the old turned copy is gone";

    // A new renderer (the switch to full screen) starts its own copies.
    ASSERT_TRUE(openGraphics(800, 600, 32, 60, 0));
    turnedLight(45, 0.5f);
    setColour(255, 255, 255);
    drawImage(spark, 300, 300);
    Pixmap frame = grabFrame();
    EXPECT_GT(frame.at(300, 300) & 255, 0u) << "drawn blue by the new renderer";
    EXPECT_EQ(frame.at(300, 300) >> 16 & 255, 0u);
}

TEST_F(TurnedSpritesTest, TintsStayRightBeyondTheFewKeptReady) {
    ImagePtr tile = solidImage(32, 32, 0xFFC8C8C8);  // (200, 200, 200)
    setBlend(BLEND_ALPHA);
    for (int round = 0; round < 2; ++round)
        for (int k = 0; k < 9; ++k) {
            int r = 255 - 20 * k, g = 30 * k, b = 128;
            setColour(r, g, b);
            drawImage(tile, 40, 40);
            Rgb got = framePixel(50, 50);
            EXPECT_NEAR(got.r, 200 * r / 255, 1) << "tint " << k;
            EXPECT_NEAR(got.g, 200 * g / 255, 1) << "tint " << k;
            EXPECT_NEAR(got.b, 200 * b / 255, 1) << "tint " << k;
        }
    setColour(128, 128, 128);
    drawImage(tile, 40, 40);
    setImagePixels(tile, lockImage(solidImage(32, 32, 0xFF646464)));  // now (100, 100, 100)
    drawImage(tile, 40, 40);
    EXPECT_NEAR(framePixel(50, 50).r, 50, 1) << "a tinted copy of the old pixels is not reused";

    // An opaque picture blended at part alpha is still blended, not copied.
    setColour(255, 255, 255);
    setAlpha(0.5f);
    drawImage(solidImage(32, 32, 0xFFFF0000), 40, 40);
    EXPECT_NEAR(framePixel(50, 50).r, 152, 1);  // 255 * 0.5 + 50 * 0.5
    EXPECT_NEAR(framePixel(50, 50).g, 25, 1);
}

TEST_F(TurnedSpritesTest, LargeFramesDrawOnlyWhatShowsButDrawItAll) {
    // A 200 x 150 frame: an opaque red border 10 wide, a see-through middle,
    // and a half see-through green patch on the top edge.
    ImagePtr frameImage = createImage(200, 150, 1, 0);
    Pixmap p = lockImage(frameImage);
    for (int y = 0; y < 150; ++y)
        for (int x = 0; x < 200; ++x) {
            bool edge = x < 10 || y < 10 || x >= 190 || y >= 140;
            p.pixels[size_t(y) * 200 + size_t(x)] = edge ? 0xFFFF0000u : 0x00000000u;
        }
    for (int y = 0; y < 5; ++y)
        for (int x = 100; x < 110; ++x) p.pixels[size_t(y) * 200 + size_t(x)] = 0x8000FF00u;
    setImagePixels(frameImage, p);

    struct Case {
        int blend;
        float alpha, scale;
        Rgb edge, middle;
    } cases[] = {
        {BLEND_ALPHA, 1.0f, 1.0f, {255, 0, 0}, {100, 100, 100}},
        {BLEND_ALPHA, 0.5f, 1.0f, {178, 50, 50}, {100, 100, 100}},
        {BLEND_LIGHT, 1.0f, 1.0f, {255, 100, 100}, {100, 100, 100}},
        {BLEND_SOLID, 1.0f, 1.0f, {255, 0, 0}, {0, 0, 0}},
        {BLEND_ALPHA, 1.0f, 2.0f, {255, 0, 0}, {100, 100, 100}},
    };
    for (const Case& c : cases) {
        setBlend(BLEND_SOLID);
        setAlpha(1);
        setScale(1, 1);
        setColour(100, 100, 100);
        drawRect(0, 0, 800, 600);
        setColour(255, 255, 255);
        setBlend(c.blend);
        setAlpha(c.alpha);
        setScale(c.scale, c.scale);
        drawImage(frameImage, 100, 100);
        auto at = [&](int x, int y) { return framePixel(100 + int(float(x) * c.scale), 100 + int(float(y) * c.scale)); };
        for (auto [x, y] : {std::pair{3, 70}, {195, 70}, {50, 145}, {150, 2}}) {
            Rgb got = at(x, y);
            EXPECT_NEAR(got.r, c.edge.r, 1) << "edge " << x << "," << y << " blend " << c.blend << " alpha " << c.alpha;
            EXPECT_NEAR(got.g, c.edge.g, 1);
        }
        for (auto [x, y] : {std::pair{100, 75}, {20, 20}, {180, 130}}) {
            Rgb got = at(x, y);
            EXPECT_NEAR(got.r, c.middle.r, 1) << "middle " << x << "," << y << " blend " << c.blend;
            EXPECT_NEAR(got.b, c.middle.b, 1);
        }
        if (c.blend == BLEND_ALPHA && c.alpha == 1.0f) {
            Rgb patch = at(104, 2);
            EXPECT_NEAR(patch.g, 178, 2) << "the half see-through patch is blended";  // 255 * 0.5 + 100 * 0.5
            EXPECT_NEAR(patch.r, 50, 2);
        }
    }
}

TEST_F(TurnedSpritesTest, NothingIsDrawnAtAlphaZeroExceptWhereAlphaDoesNotCount) {
    ImagePtr red = solidImage(8, 8, 0xFFFF0000);
    for (int blend : {BLEND_ALPHA, BLEND_LIGHT, BLEND_SOLID, BLEND_SHADE}) {
        setBlend(BLEND_SOLID);
        setAlpha(1);
        setColour(100, 100, 100);
        drawRect(0, 0, 50, 50);
        setColour(255, 255, 255);
        setBlend(blend);
        setAlpha(0);
        drawImage(red, 10, 10);
        Rgb got = framePixel(12, 12);
        if (blend == BLEND_SOLID) {
            EXPECT_EQ(got.r, 255) << "solid ignores alpha";
        } else if (blend == BLEND_SHADE) {
            EXPECT_NEAR(got.r, 100, 1) << "shade multiplies whatever the alpha";
        } else {
            EXPECT_EQ(got.r, 100) << "blend " << blend;
        }
        if (blend == BLEND_SHADE) {
            EXPECT_EQ(got.g, 0);
        }
    }
}

TEST_F(TurnedSpritesTest, OddAnglesAndScalesStayOffTheCacheAndDrawSafely) {
    ImagePtr spark = disc(32, 0xFFE0A0);
    struct Case {
        float angle, scale;
        bool lit;  // whether anything should show
    } cases[] = {
        {std::nanf(""), 0.5f, false},  // nowhere to turn to: not drawn (SDL crashed on it)
        {INFINITY, 0.5f, false},
        {1e30f, 0.5f, true},
        {-725.0f, 0.5f, true},
        {30.0f, 100.0f, true},   // too large to keep ready, turned on the spot
        {30.0f, 1e6f, false},    // larger than any frame: not drawn (SDL would build it whole)
        {30.0f, std::nanf(""), false},
        {30.0f, 0.001f, false},  // too small to keep or to see
        {0.0f, std::nanf(""), false},
        {0.0f, 1e6f, false},  // unturned but larger than any frame: not drawn either
    };
    for (const Case& c : cases) {
        clearFrame();
        turnedLight(c.angle, c.scale);
        drawImage(spark, 400, 300);
        if (c.lit) {
            EXPECT_GT(glowIn(grabFrame(), {0, 0, 800, 600}).sum, 0.0) << c.angle << ", " << c.scale;
        }
    }
}

}  // namespace
}  // namespace qm
