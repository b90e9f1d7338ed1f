// The editor's view of the reachability search: the display mode, the next
// board built from the end's strip, and the overlay drawn in the frame.
#include <gtest/gtest.h>

#include "support/MapText.h"
#include "editor/ReachabilityView.h"
#include "app/AppGlobals.h"
#include "runtime/Graphics.h"
#include "runtime/Image.h"
#include "runtime/Runtime.h"

using namespace qm;
using qm::test::drawnMapFromText;
using qm::test::walledRows;

namespace {

class ReachabilityViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        RuntimeOptions options;
        options.headless = true;
        runtimeInit(options);
        resetGlobals();
        search = ReachabilityView::create();
    }
    void TearDown() override {
        resetGlobals();
        runtimeShutdown();
    }
    std::shared_ptr<ReachabilityView> search;
};

TEST_F(ReachabilityViewTest, DisplayModeCyclesThroughTheFourLayersBackToAll) {
    EXPECT_EQ(search->displayMode, -1);
    const int expected[5] = {0, 1, 2, 3, -1};
    for (int value : expected) {
        search->cycleKeyDisplayMode();
        EXPECT_EQ(search->displayMode, value);
    }
}

class BuildNextMapTest : public ReachabilityViewTest {
protected:
    // The current board: walls, a start and the end at (endX, endY); the next
    // board: all floor with entry (0, 0).
    void build(int endX, int endY) {
        auto rows = walledRows();
        rows[5][5] = 'S';
        rows[3][16] = 'k';
        rows[size_t(endY)][size_t(endX)] = 'E';
        currentMap = drawnMapFromText(rows, 12);
        nextMap = drawnMapFromText(std::vector<std::string>(14, std::string(20, '.')), 13);
        search->buildNextMap();
    }
};

TEST_F(BuildNextMapTest, EndOnTheTopRowCarriesThatRowToTheBottomOfTheNextBoard) {
    build(10, 0);
    EXPECT_EQ(search->endX, 10);
    EXPECT_EQ(search->endY, 0);
    for (int x = 0; x < 20; ++x) {
        int expected = x == 10 ? int(Code::Start) : currentMap->cells[x][0];
        EXPECT_EQ(nextMap->cells[x][13], expected) << x;
        EXPECT_EQ(nextMap->cells[x][12], Code::Floor) << x;
    }
    EXPECT_EQ(nextMap->startX, 10);
    EXPECT_EQ(nextMap->startY, 13);
    EXPECT_EQ(nextMap->entryX, 0);
    EXPECT_EQ(nextMap->entryY, -13);
    EXPECT_EQ(nextMap->protectedLeft, 0);
    EXPECT_EQ(nextMap->protectedRight, 19);
    EXPECT_EQ(nextMap->protectedTop, 13);
    EXPECT_EQ(nextMap->protectedBottom, 13);
}

TEST_F(BuildNextMapTest, EndOnTheRightColumnCarriesItToTheLeftColumn) {
    build(19, 7);
    EXPECT_EQ(nextMap->cells[0][7], Code::Start);
    EXPECT_EQ(nextMap->cells[0][3], currentMap->cells[19][3]);
    EXPECT_EQ(nextMap->cells[1][7], Code::Floor);
    EXPECT_EQ(nextMap->entryX, 19);
    EXPECT_EQ(nextMap->entryY, 0);
    EXPECT_EQ(nextMap->protectedLeft, 0);
    EXPECT_EQ(nextMap->protectedRight, 0);
}

TEST_F(BuildNextMapTest, TiedEdgesCarryTheLeftStripAndTheOldStartBecomesFloor) {
    build(9, 6);
    // Columns 0..9 land on columns 10..19; the start at (5,5) is inside the strip.
    EXPECT_EQ(nextMap->cells[19][6], Code::Start);
    EXPECT_EQ(nextMap->cells[15][5], Code::Floor);
    EXPECT_EQ(nextMap->cells[10][0], currentMap->cells[0][0]);
    EXPECT_EQ(nextMap->cells[9][6], Code::Floor);  // left of the strip: untouched
    EXPECT_EQ(nextMap->entryX, -10);
    EXPECT_EQ(nextMap->entryY, 0);
    EXPECT_EQ(nextMap->protectedLeft, 10);
    EXPECT_EQ(nextMap->protectedRight, 19);
}

TEST_F(BuildNextMapTest, ABoardWithoutAnEndLeavesTheNextBoardAsItWas) {
    currentMap = drawnMapFromText(walledRows(), 12);
    nextMap = drawnMapFromText(std::vector<std::string>(14, std::string(20, '.')), 13);
    // A stale end from an earlier search must not be used.
    search->endX = 10;
    search->endY = 0;
    search->buildNextMap();
    EXPECT_EQ(search->endX, -1);
    EXPECT_EQ(nextMap->protectedLeft, -1);
    EXPECT_EQ(nextMap->entryY, 0);
    EXPECT_EQ(nextMap->cells[10][13], Code::Floor);
}

// The overlay in the headless frame, with the origin of the board at (100, 100).
class ReachabilityOverlayTest : public ::testing::Test {
protected:
    void SetUp() override {
        resetGlobals();
        RuntimeOptions options;
        options.headless = true;
        ASSERT_TRUE(runtimeInit(options));
        ASSERT_TRUE(openGraphics(800, 600, 0, 60, 0));
        setOrigin(0, 0);
        search = ReachabilityView::create();
        // S at (1,1) in a walled box: rests at (18,1), (1,12) and (18,12), all in lock layer 2.
        auto rows = walledRows();
        rows[1][1] = 'S';
        currentMap = drawnMapFromText(rows);
        search->recomputeReachability();
    }
    void TearDown() override {
        resetGlobals();
        runtimeShutdown();
    }
    void drawOnBlack() {
        clearFrame();
        setColour(10, 20, 30);
        search->drawReachabilityOverlay(100, 100);
        frame = grabFrame();
    }
    uint32_t at(int x, int y) const { return frame.at(x, y) & 0xffffffu; }
    int pixelsOfColour(int cellX, int cellY, uint32_t rgb) const {
        int found = 0;
        for (int dy = -16; dy <= 20; ++dy)
            for (int dx = -16; dx <= 40; ++dx) found += at(100 + 32 * cellX + dx, 100 + 32 * cellY + dy) == rgb;
        return found;
    }
    int litPixels() const {
        int lit = 0;
        for (uint32_t p : frame.pixels) lit += (p & 0xffffffu) != 0;
        return lit;
    }
    std::shared_ptr<ReachabilityView> search;
    Pixmap frame;
};

TEST_F(ReachabilityOverlayTest, AllLayersShowCountsInTheirColoursWithCrossesForRests) {
    ASSERT_EQ(search->farthest, 0);  // nothing reached layer 0
    drawOnBlack();
    // Count 1 at (18,1): red 180, green 16, and blue 8 because 1 >= 0.9 x 0.
    EXPECT_GT(pixelsOfColour(18, 1, 0xB41008u), 0);
    // A resting cell gets both lines in grey 144, left of the text too.
    EXPECT_EQ(at(100 + 32 * 18 - 12, 100 + 32 * 1), 0x909090u);
    EXPECT_EQ(at(100 + 32 * 18, 100 + 32 * 1 - 12), 0x909090u);
    // A cell only crossed sideways (count 0) has the horizontal line alone.
    EXPECT_EQ(at(100 + 32 * 10 - 12, 100 + 32 * 1), 0x808080u);
    EXPECT_EQ(at(100 + 32 * 10, 100 + 32 * 1 - 12), 0u);
    // Unreached cells draw nothing.
    EXPECT_EQ(pixelsOfColour(10, 6, 0x808080u) + pixelsOfColour(10, 6, 0xA40000u), 0);
    EXPECT_EQ(colourRed(), 255);
    EXPECT_EQ(colourGreen(), 255);
    EXPECT_EQ(colourBlue(), 255);
}

TEST_F(ReachabilityOverlayTest, LayerZeroShowsNothingWhenTheSearchStartedInLayerTwo) {
    search->cycleKeyDisplayMode();
    ASSERT_EQ(search->displayMode, 0);
    drawOnBlack();
    EXPECT_EQ(litPixels(), 0);
    search->cycleKeyDisplayMode();
    search->cycleKeyDisplayMode();
    ASSERT_EQ(search->displayMode, 2);
    drawOnBlack();
    EXPECT_GT(pixelsOfColour(18, 1, 0xB41008u), 0);
}

TEST_F(ReachabilityOverlayTest, TheBoardsShiftMovesTheOverlay) {
    currentMap->addShift(64, 0);
    drawOnBlack();
    EXPECT_EQ(pixelsOfColour(18, 1, 0xB41008u), 0);
    EXPECT_GT(pixelsOfColour(20, 1, 0xB41008u), 0);
}

}  // namespace
