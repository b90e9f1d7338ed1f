// Frames composed from their kept drawing calls: whatever is reused or
// resumed, every flipped frame has the pixels that drawing each call as it
// is made gives; and a large picture kept as its file's bytes draws, locks
// and survives a new renderer like any other.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runtime/FrameComposer.h"
#include "support/FrameProbe.h"
#include "support/TempFolder.h"

namespace qm {
namespace {

using namespace probe;

class FrameComposerTest : public HeadlessFrameTest {
protected:
    void TearDown() override {
        FrameComposer::setReuse(true);
        HeadlessFrameTest::TearDown();
    }
};

// A play screen in miniature, frame by frame: a background, a board of
// tinted cells, a ball, and turned sparks added on top.
struct Scene {
    ImagePtr background = solidImage(64, 48, 0xFF203040);
    ImagePtr cell = solidImage(32, 32, 0xFFC0C0C0);
    ImagePtr spark = solidImage(6, 2, 0x80FFFFFF);
    ImagePtr ball = solidImage(16, 16, 0xFF00FF00);

    void draw(int step) {
        // From step 8 on the frames draw over what is there: no clear, so
        // they are never reused.
        if (step < 8) clearFrame();
        setBlend(BLEND_SOLID);
        tileImage(background, float(step >= 10 ? step : 0), 0);
        setBlend(BLEND_ALPHA);
        for (int i = 0; i < 12; ++i) {
            setColour(255, 40 + 10 * i, 255);
            drawImage(cell, float(32 * i), 100);
        }
        setColour(255, 255, 255);
        // The ball rests for frames 0 to 3 and rolls after.
        drawImage(ball, float(100 + (step > 3 ? 5 * step : 0)), 110);
        setBlend(BLEND_LIGHT);
        setAlpha(0.7f);
        for (int k = 0; k <= step % 3; ++k) {
            setRotation(float(17 * k + 3 * step));
            drawImage(spark, float(200 + 9 * k), 140);
        }
        setRotation(0);
        setAlpha(1);
        drawText("moves " + std::to_string(step / 2), 10, 10);
    }
};

std::vector<Pixmap> flipScene(bool reuse, FrameComposer::Counts& counts) {
    FrameComposer::setReuse(reuse);
    Scene scene;
    std::vector<Pixmap> shots;
    // Steps 0, 1 and 5 come twice alike; the second step 6 comes after the
    // ball's pixels were written.
    const int steps[] = {0, 0, 1, 1, 2, 3, 5, 5, 6, 6, 8, 10, 11, 11};
    for (size_t i = 0; i < std::size(steps); ++i) {
        if (i == 9) {
            Pixmap p = lockImage(scene.ball);
            for (uint32_t& c : p.pixels) c = 0xFFFF0000;
            setImagePixels(scene.ball, p);
        }
        scene.draw(steps[i]);
        flipFrame(1);
        shots.push_back(grabFrame());
    }
    counts = FrameComposer::counts();
    return shots;
}

TEST_F(FrameComposerTest, ReusedAndResumedFramesHaveTheFullDrawingsPixels) {
    FrameComposer::Counts every{}, kept{};
    std::vector<Pixmap> reference = flipScene(false, every);
    FrameComposer::reset();
    std::vector<Pixmap> composed = flipScene(true, kept);
    ASSERT_EQ(reference.size(), composed.size());
    for (size_t i = 0; i < reference.size(); ++i)
        EXPECT_TRUE(reference[i].pixels == composed[i].pixels) << "frame " << i;
    EXPECT_EQ(rgbAt(composed[9], 135, 115).r, 255) << "new pixels of a picture are drawn, not an old copy";
    EXPECT_EQ(kept.reused, 3) << "the frames drawn twice alike, and only they, come again for nothing";
    EXPECT_GE(kept.resumed, 3) << "frames that begin like the last start from the kept board";
    EXPECT_EQ(kept.whole + kept.resumed + kept.reused, int64_t(reference.size()));
}

TEST_F(FrameComposerTest, LargePicturesKeptAsTheirFileDrawLockAndOutliveTheRenderer) {
    test::TempFolder folder;
    Pixmap original;
    original.width = 300, original.height = 260;  // over the size kept as bytes
    for (int y = 0; y < original.height; ++y)
        for (int x = 0; x < original.width; ++x) original.pixels.push_back(0xFF000000u | uint32_t(x * 7 << 8 | y));
    ASSERT_TRUE(savePng(original, "large.png", 5));
    ImagePtr large = loadImage("large.png", 0);
    ASSERT_TRUE(large);
    for (int round = 0; round < 2; ++round) {
        clearFrame();
        drawImage(large, 10, 20);
        flipFrame(1);
        Pixmap shot = grabFrame();
        EXPECT_EQ(shot.at(10 + 299, 20 + 259), original.at(299, 259)) << "round " << round;
        EXPECT_EQ(shot.at(10 + 123, 20 + 45), original.at(123, 45)) << "round " << round;
        // A new renderer (full screen) needs the pixels again.
        ASSERT_TRUE(openGraphics(800, 600, round == 0 ? 32 : 0, 60, 0));
    }
    EXPECT_TRUE(lockImage(large).pixels == original.pixels);
}

}  // namespace
}  // namespace qm
