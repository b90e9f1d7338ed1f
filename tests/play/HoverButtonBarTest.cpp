// The play screen's button bar: hit rectangles and their shared edges, the
// palette switched on and off, glow timing, and the hover arrow by quadrant.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/AppGlobals.h"
#include "play/PlayInput.h"
#include "support/MapText.h"
#include "play/HoverButtonBar.h"
#include "runtime/Diagnostics.h"
#include "runtime/Graphics.h"
#include "runtime/Runtime.h"

using namespace qm;

namespace {

class HoverButtonBarTest : public ::testing::Test {
protected:
    void SetUp() override {
        RuntimeOptions options;
        options.headless = true;
        runtimeInit(options);
        resetGlobals();
        PlayInput::resetAll();
        setDebugLogHook([this](const std::string& line) { log.push_back(line); });
        bar = HoverButtonBar::create();
        currentMap = test::drawnMapFromText(test::walledRows());
    }
    void TearDown() override {
        setDebugLogHook(nullptr);
        resetGlobals();
        PlayInput::resetAll();
        runtimeShutdown();
    }
    void pointAt(int x, int y) {
        PlayInput::mouseX = x;
        PlayInput::mouseY = y;
    }
    std::vector<std::string> log;
    std::shared_ptr<HoverButtonBar> bar;
};

TEST_F(HoverButtonBarTest, CreationLogsEveryPaletteButtonAtItsCorner) {
    ASSERT_EQ(bar->buttons.size(), 29u);
    EXPECT_NE(bar->progressIndicator, nullptr);
    // (Missing pictures may add their own lines; only the bar's count here.)
    std::erase_if(log, [](const std::string& line) {
        return line != "initializeEditorButtons" && line.rfind("editor button ", 0) != 0;
    });
    ASSERT_EQ(log.size(), 27u);
    EXPECT_EQ(log[0], "initializeEditorButtons");
    EXPECT_EQ(log[1], "editor button 0 at 706,58");
    EXPECT_EQ(log[2], "editor button 1 at 738,58");
    EXPECT_EQ(log[3], "editor button 2 at 706,90");
    EXPECT_EQ(log[26], "editor button 25 at 738,442");
    const MouseButton& last = *bar->buttons[28];
    EXPECT_EQ(last.x1, 738);
    EXPECT_EQ(last.x2, 770);
    EXPECT_EQ(last.y1, 442);
    EXPECT_EQ(last.y2, 474);
    EXPECT_EQ(last.drawX, 738);
    EXPECT_EQ(last.drawY, 442);
}

TEST_F(HoverButtonBarTest, BottomButtonsHitUpToTheirInclusiveEdges) {
    log.clear();
    EXPECT_EQ(bar->hitTest(208, 590), 0);
    EXPECT_EQ(bar->hitTest(60, 525), 0);
    EXPECT_EQ(bar->hitTest(209, 590), -1);
    EXPECT_EQ(bar->hitTest(208, 591), -1);
    EXPECT_EQ(bar->hitTest(336, 599), 1);
    EXPECT_EQ(bar->hitTest(527, 525), 1);
    EXPECT_EQ(bar->hitTest(335, 560), -1);
    EXPECT_EQ(bar->hitTest(584, 523), 2);
    EXPECT_EQ(bar->hitTest(707, 594), 2);
    EXPECT_EQ(bar->hitTest(708, 594), -1);
    // A hit writes "Click!"; a miss writes nothing.
    EXPECT_EQ(std::count(log.begin(), log.end(), "Click!"), 6);
    EXPECT_EQ(log.size(), 6u);
}

TEST_F(HoverButtonBarTest, BoardClicksAndTheStripLeftOfTheBoard) {
    EXPECT_EQ(bar->hitTest(100, 100), 99);
    EXPECT_EQ(bar->hitTest(40, 100), 99);   // truncation: still column 0
    EXPECT_EQ(bar->hitTest(33, 40), 99);    // and row 0
    EXPECT_EQ(bar->hitTest(31, 100), -1);   // (31 - 64) / 32 = -1
    EXPECT_EQ(bar->hitTest(703, 100), 99);  // column 19
    EXPECT_EQ(bar->hitTest(704, 100), -1);  // column 20
    EXPECT_EQ(bar->hitTest(100, 511), 99);  // row 13
    EXPECT_EQ(bar->hitTest(100, 512), -1);
    currentMap = nullptr;
    EXPECT_EQ(bar->hitTest(100, 100), -1);
}

TEST_F(HoverButtonBarTest, PaletteIsDeadUntilTheEditorSwitchesItOn) {
    pointAt(720, 70);
    EXPECT_EQ(bar->hitTest(720, 70), -1);  // column 20: not a board cell either
    for (int i = 0; i < 5; ++i) bar->update();
    EXPECT_EQ(bar->buttons[3]->glow, 0);

    bar->setEditorButtonsActive(1);
    EXPECT_EQ(bar->hitTest(720, 70), 3);
    EXPECT_EQ(bar->hitTest(706, 90), 3);  // shared edge of entries 3 and 5: the lower entry wins
    EXPECT_EQ(bar->hitTest(738, 70), 3);  // shared edge of entries 3 and 4
    EXPECT_EQ(bar->hitTest(739, 91), 6);
    EXPECT_EQ(bar->hitTest(770, 474), 28);
    EXPECT_EQ(bar->hitTest(771, 474), -1);
    bar->update();
    EXPECT_EQ(bar->buttons[3]->glow, 3);

    bar->setEditorButtonsActive(0);
    EXPECT_EQ(bar->hitTest(720, 70), -1);
    // The bottom buttons never switch off.
    EXPECT_EQ(bar->hitTest(100, 560), 0);
}

TEST_F(HoverButtonBarTest, GlowRisesByTwoPerStepToFortyAndFadesByOne) {
    pointAt(400, 560);
    const int expected[5] = {3, 5, 7, 9, 11};
    for (int value : expected) {
        bar->update();
        EXPECT_EQ(bar->buttons[1]->glow, value);
    }
    bar->buttons[1]->draw();
    EXPECT_NEAR(getAlpha(), 0.275f, 0.003f);
    for (int step = 6; step <= 20; ++step) bar->update();
    EXPECT_EQ(bar->buttons[1]->glow, 40);
    bar->update();
    EXPECT_EQ(bar->buttons[1]->glow, 40);
    EXPECT_EQ(bar->buttons[0]->glow, 0);
    pointAt(10, 10);
    bar->update();
    EXPECT_EQ(bar->buttons[1]->glow, 39);
    for (int i = 0; i < 39; ++i) bar->update();
    EXPECT_EQ(bar->buttons[1]->glow, 0);
    // A dark button draws nothing and leaves the alpha alone.
    setAlpha(1);
    bar->buttons[1]->draw();
    EXPECT_FLOAT_EQ(getAlpha(), 1.0f);
}

class HoverDirectionTest : public HoverButtonBarTest {
protected:
    // The direction shown when the pointer is over cell (cx, cy) and the
    // ball rests on (2, 6).
    int directionFor(int cx, int cy) {
        currentMap->restart();
        currentMap->play.ball.placeAt(2, 6);
        pointAt(64 + 32 * cx + 5, 64 + 32 * cy + 5);
        bar->update();
        return currentMap->ball->hoverDirection;
    }
};

TEST_F(HoverDirectionTest, QuadrantsAndTiesGoVertical) {
    EXPECT_EQ(directionFor(5, 3), 1);  // dx 3, dy -3: tie, up
    EXPECT_EQ(directionFor(4, 3), 1);
    EXPECT_EQ(directionFor(6, 3), 2);
    EXPECT_EQ(directionFor(0, 4), 1);  // dx -2, dy -2: tie, up
    EXPECT_EQ(directionFor(0, 5), 4);
    EXPECT_EQ(directionFor(0, 8), 3);  // dx -2, dy 2: tie, down
    EXPECT_EQ(directionFor(0, 7), 4);
    EXPECT_EQ(directionFor(4, 8), 3);  // dx 2, dy 2: tie, down
    EXPECT_EQ(directionFor(5, 7), 2);
    EXPECT_EQ(directionFor(2, 13), 3);
    EXPECT_EQ(directionFor(19, 6), 2);
    EXPECT_EQ(directionFor(2, 6), 0);  // on the ball
}

TEST_F(HoverDirectionTest, NoArrowWhenIdleOrOffTheBoard) {
    currentMap->restart();
    currentMap->play.ball.placeAt(2, 6);
    pointAt(40, 100);  // column 0 by truncation, row 1: dx -2, dy -5
    bar->update();
    EXPECT_EQ(currentMap->ball->hoverDirection, 1);
    pointAt(31, 100);  // column -1
    bar->update();
    EXPECT_EQ(currentMap->ball->hoverDirection, 0);
    pointAt(720, 300);  // column 20
    bar->update();
    EXPECT_EQ(currentMap->ball->hoverDirection, 0);
    pointAt(400, 300);
    PlayInput::mouseIdle = 1;
    bar->update();
    EXPECT_EQ(currentMap->ball->hoverDirection, 0);
    PlayInput::mouseIdle = 0;
    bar->update();
    EXPECT_EQ(currentMap->ball->hoverDirection, 2);
}

}  // namespace
