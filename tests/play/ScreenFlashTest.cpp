// The white flash of a restart: its fade and what it puts in the frame.
#include <gtest/gtest.h>

#include "play/ScreenFlash.h"
#include "runtime/Graphics.h"
#include "runtime/Image.h"
#include "runtime/Runtime.h"

using namespace qm;

namespace {

TEST(ScreenFlashTest, RestartFlashEndsIdleAtExactlyZeroOnItsSeventeenthUpdate) {
    auto flash = ScreenFlash::create(0.06f, 1.0f);
    EXPECT_EQ(flash->fading, 1);
    EXPECT_EQ(flash->red + flash->green + flash->blue, 3 * 255);
    for (int i = 0; i < 16; ++i) flash->update();
    EXPECT_EQ(flash->fading, 1);
    EXPECT_GT(flash->alpha, 0.0f);
    flash->update();
    EXPECT_EQ(flash->fading, 0);
    EXPECT_EQ(flash->alpha, 0.0f);
    flash->update();
    EXPECT_EQ(flash->alpha, 0.0f) << "an idle flash stays idle";
}

TEST(ScreenFlashTest, FlashCoversTheFrameWhileFadingAndNothingWhenIdle) {
    RuntimeOptions options;
    options.headless = true;
    ASSERT_TRUE(runtimeInit(options));
    ASSERT_TRUE(openGraphics(800, 600, 0, 60, 0));
    setOrigin(0, 0);
    auto blackFrame = [] {
        setBlend(BLEND_SOLID);
        setColour(0, 0, 0);
        drawRect(0, 0, 800, 600);
        setColour(255, 255, 255);
        setBlend(BLEND_ALPHA);
    };
    auto red = [](int x, int y) { return int(grabFrame().at(x, y) >> 16 & 255); };
    blackFrame();
    auto flash = ScreenFlash::create(0.25f, 0.5f);
    flash->draw();
    EXPECT_NEAR(red(0, 0), 128, 2);
    EXPECT_NEAR(red(799, 599), 128, 2);
    EXPECT_EQ(getAlpha(), 1.0f) << "the drawing state is put back";
    EXPECT_EQ(colourRed(), 255);
    flash->update();
    flash->update();
    blackFrame();
    flash->draw();
    EXPECT_EQ(red(400, 300), 0);
    runtimeShutdown();
}

}  // namespace
