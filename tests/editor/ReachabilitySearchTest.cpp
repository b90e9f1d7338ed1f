// The reachability search on small drawn boards: what it records, where it
// stops, lock layers, the loop bound, agreement with play, and the builder of
// the next board.
#include <gtest/gtest.h>

#include <map>
#include <queue>
#include <utility>

#include "play/Globals.h"
#include "editor/BoardSketch.h"
#include "editor/ReachabilityView.h"
#include "rules/MoveSimulator.h"
#include "runtime/Graphics.h"
#include "runtime/Image.h"
#include "runtime/Random.h"
#include "runtime/Runtime.h"

using namespace qm;
using qm::test::sketchBoard;
using qm::test::walledRows;

namespace {

class ReachabilitySearchTest : public ::testing::Test {
protected:
    void SetUp() override {
        RuntimeOptions options;
        options.headless = true;
        runtimeInit(options);
        resetGlobals();
        search = ReachabilitySearch::create();
    }
    void TearDown() override {
        resetGlobals();
        runtimeShutdown();
    }
    void searchOn(const std::vector<std::string>& rows) {
        currentMap = sketchBoard(rows);
        search->recomputeReachability();
    }
    int reachedEntries() const {
        int count = 0;
        for (auto& column : search->moves)
            for (auto& cell : column)
                for (int value : cell) count += value >= 0 ? 1 : 0;
        return count;
    }
    std::shared_ptr<ReachabilitySearch> search;
};

// Lock 1 starts shut (0) and lock 2 open (1): the search starts in layer 2.
constexpr int kStartLayer = 2;

TEST_F(ReachabilitySearchTest, BoxedInStartShowsOnlyItsOwnZero) {
    auto rows = walledRows();
    rows[4][4] = '#';
    rows[6][4] = '#';
    rows[5][4] = 'S';
    rows[5][3] = '#';
    rows[5][5] = '#';
    searchOn(rows);
    EXPECT_EQ(search->moves[4][5][kStartLayer], 0);
    EXPECT_EQ(search->trace[4][5][kStartLayer], 4);
    EXPECT_EQ(reachedEntries(), 1);
    EXPECT_EQ(search->farthest, 0);
    // With the default display mode 0 the start's layer is not the one shown.
    EXPECT_EQ(search->moves[4][5][0], -1);
}

TEST_F(ReachabilitySearchTest, RollingOffTheBoardKeepsThePassedCellsAndGoesNoFurther) {
    std::vector<std::string> rows(14, std::string(20, '#'));
    rows[5] = "...S################";
    searchOn(rows);
    for (int x = 0; x <= 2; ++x) {
        EXPECT_EQ(search->moves[x][5][kStartLayer], 0) << x;
        EXPECT_EQ(search->trace[x][5][kStartLayer], 2) << x;  // passed sideways
    }
    EXPECT_EQ(search->moves[3][5][kStartLayer], 0);
    EXPECT_EQ(reachedEntries(), 4);  // no rest, so no move 1 anywhere
    EXPECT_EQ(search->lastCutRolls, 0);
}

TEST_F(ReachabilitySearchTest, MoveCountsGrowByOnePerRestAndTraceShowsHowCellsWereUsed) {
    // S at (1,1): right to (18,1), then down to (18,12), then left to (1,12).
    searchOn(walledRows());
    currentMap->cells[1][1] = 1;
    currentMap->gizmos = GizmoStates::createFrom(currentMap.get());
    search->recomputeReachability();
    EXPECT_EQ(search->moves[1][1][kStartLayer], 0);
    EXPECT_EQ(search->moves[10][1][kStartLayer], 0);  // passed in the first move
    EXPECT_EQ(search->moves[18][1][kStartLayer], 1);  // where that move rests
    EXPECT_EQ(search->trace[18][1][kStartLayer], 4);
    EXPECT_EQ(search->moves[18][12][kStartLayer], 2);
    EXPECT_EQ(search->moves[10][12][kStartLayer], 1);  // passed in the second move (from (1,12))
    EXPECT_EQ(search->trace[10][12][kStartLayer], 2);
    EXPECT_EQ(search->trace[18][6][kStartLayer], 1);  // only ever crossed vertically
    EXPECT_EQ(search->trace[10][1][kStartLayer], 2);
}

TEST_F(ReachabilitySearchTest, KeysMoveTheSearchIntoAnotherLockLayer) {
    auto rows = walledRows();
    rows[1] = "#S......l...#.......";
    rows[2] = std::string(20, '#');
    searchOn(rows);
    // Without the key the ball stops in front of the shut lock.
    EXPECT_EQ(search->moves[7][1][kStartLayer], 1);
    EXPECT_EQ(search->moves[9][1][kStartLayer], -1);

    rows[1] = "#S..k...l...#.......";
    searchOn(rows);
    // Key 1 opens lock 1 at once: layer 1 + 2 x 1 = 3 from the key cell on.
    EXPECT_EQ(search->moves[3][1][kStartLayer], 0);
    EXPECT_EQ(search->moves[4][1][3], 0);
    EXPECT_EQ(search->moves[4][1][kStartLayer], -1);
    EXPECT_EQ(search->moves[8][1][3], 0);   // through the opened lock
    EXPECT_EQ(search->moves[11][1][3], 1);  // rests in front of the wall
    // Nothing reached layer 0, so the farthest count stays 0.
    EXPECT_EQ(search->farthest, 0);
}

TEST_F(ReachabilitySearchTest, BoostersFacingEachOtherEndTheRollInsteadOfLooping) {
    auto rows = walledRows();
    rows[2][5] = 'S';
    rows[5][5] = '>';
    rows[5][6] = '<';
    searchOn(rows);
    EXPECT_GE(search->lastCutRolls, 1);
    EXPECT_LT(search->lastRollCells, 1000);
    EXPECT_EQ(search->moves[5][5][kStartLayer], 0);
    EXPECT_EQ(search->moves[6][5][kStartLayer], 0);
    // The ball never rests between the boosters, so nothing is explored from there.
    EXPECT_NE(search->trace[5][5][kStartLayer], 4);
    EXPECT_NE(search->trace[6][5][kStartLayer], 4);
}

TEST_F(ReachabilitySearchTest, ALoopThatFlipsBeamsEveryLapStillEnds) {
    auto rows = walledRows();
    rows[2][5] = 'S';
    rows[5][5] = '>';
    rows[5][6] = 's';
    rows[5][7] = '<';
    rows[10][12] = 'H';  // makes every switch pass change the gizmo state
    searchOn(rows);
    EXPECT_GE(search->lastCutRolls, 1);
    EXPECT_LT(search->lastRollCells, 1000);
    EXPECT_GE(search->lastStateCount, 2);
}

TEST_F(ReachabilitySearchTest, RestingCellsMatchTheCellsTheBallCanRestOnInPlay) {
    seedRandom(20261207);
    for (int round = 0; round < 12; ++round) {
        std::vector<std::string> rows(14, std::string(20, '.'));
        for (auto& row : rows)
            for (char& c : row) c = randomInt(0, 4) == 0 ? '#' : '.';
        rows[size_t(randomInt(0, 13))][size_t(randomInt(0, 19))] = '0';
        rows[size_t(randomInt(0, 13))][size_t(randomInt(0, 19))] = '1';
        int sx = randomInt(0, 19), sy = randomInt(0, 13);
        rows[size_t(sy)][size_t(sx)] = 'S';
        searchOn(rows);

        // Breadth-first over real moves of the ball.
        LevelMap& board = *currentMap;
        board.restart();
        std::map<std::pair<int, int>, int> restDepth;
        std::queue<std::pair<int, int>> open;
        restDepth[{sx, sy}] = 0;
        open.push({sx, sy});
        while (!open.empty()) {
            auto [x, y] = open.front();
            open.pop();
            int depth = restDepth[{x, y}];
            if (depth >= search->depthLimit + 1) continue;
            for (int dir = 1; dir <= 4; ++dir) {
                RestState at;
                at.ballX = x;
                at.ballY = y;
                MoveSimulator::restore(board, at);
                MoveResult result = MoveSimulator::play(board, dir);
                if (result.outcome != MoveOutcome::Rested) continue;
                std::pair<int, int> cell{board.ball->x, board.ball->y};
                if (restDepth.count(cell)) continue;
                restDepth[cell] = depth + 1;
                open.push(cell);
            }
        }

        for (int x = 0; x < 20; ++x) {
            for (int y = 0; y < 14; ++y) {
                bool rests = search->trace[x][y][kStartLayer] == 4;
                auto found = restDepth.find({x, y});
                EXPECT_EQ(rests, found != restDepth.end()) << "round " << round << " cell " << x << "," << y;
                if (rests && found != restDepth.end()) {
                    EXPECT_LE(search->moves[x][y][kStartLayer], found->second);
                }
            }
        }
    }
}

TEST_F(ReachabilitySearchTest, DisplayModeCyclesThroughTheFourLayersBackToAll) {
    EXPECT_EQ(search->displayMode, -1);
    const int expected[5] = {0, 1, 2, 3, -1};
    for (int value : expected) {
        search->cycleKeyDisplayMode();
        EXPECT_EQ(search->displayMode, value);
    }
}

TEST_F(ReachabilitySearchTest, NearestEdgeWeighsBothBoardSidesAlikeAndTiesGoSideways) {
    EXPECT_EQ(ReachabilitySearch::nearestEdge(10, 0), 1);
    EXPECT_EQ(ReachabilitySearch::nearestEdge(10, 13), 3);
    EXPECT_EQ(ReachabilitySearch::nearestEdge(19, 7), 2);  // right 14 beats bottom 140
    EXPECT_EQ(ReachabilitySearch::nearestEdge(9, 6), 4);   // 140 = 140: left, 140 < 154
    EXPECT_EQ(ReachabilitySearch::nearestEdge(0, 0), 4);   // top 20 vs left 14
}

class BuildNextMapTest : public ReachabilitySearchTest {
protected:
    // The current board: walls, a start and the end at (endX, endY); the next
    // board: all floor with entry (0, 0).
    void build(int endX, int endY) {
        auto rows = walledRows();
        rows[5][5] = 'S';
        rows[3][16] = 'k';
        rows[size_t(endY)][size_t(endX)] = 'E';
        currentMap = sketchBoard(rows, 12);
        nextMap = sketchBoard(std::vector<std::string>(14, std::string(20, '.')), 13);
        search->buildNextMap();
    }
};

TEST_F(BuildNextMapTest, EndOnTheTopRowCarriesThatRowToTheBottomOfTheNextBoard) {
    build(10, 0);
    EXPECT_EQ(search->endX, 10);
    EXPECT_EQ(search->endY, 0);
    for (int x = 0; x < 20; ++x) {
        int expected = x == 10 ? 1 : currentMap->cells[x][0];
        EXPECT_EQ(nextMap->cells[x][13], expected) << x;
        EXPECT_EQ(nextMap->cells[x][12], 3) << x;
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
    EXPECT_EQ(nextMap->cells[0][7], 1);
    EXPECT_EQ(nextMap->cells[0][3], currentMap->cells[19][3]);
    EXPECT_EQ(nextMap->cells[1][7], 3);
    EXPECT_EQ(nextMap->entryX, 19);
    EXPECT_EQ(nextMap->entryY, 0);
    EXPECT_EQ(nextMap->protectedLeft, 0);
    EXPECT_EQ(nextMap->protectedRight, 0);
}

TEST_F(BuildNextMapTest, TiedEdgesCarryTheLeftStripAndTheOldStartBecomesFloor) {
    build(9, 6);
    // Columns 0..9 land on columns 10..19; the start at (5,5) is inside the strip.
    EXPECT_EQ(nextMap->cells[19][6], 1);
    EXPECT_EQ(nextMap->cells[15][5], 3);
    EXPECT_EQ(nextMap->cells[10][0], currentMap->cells[0][0]);
    EXPECT_EQ(nextMap->cells[9][6], 3);  // left of the strip: untouched
    EXPECT_EQ(nextMap->entryX, -10);
    EXPECT_EQ(nextMap->entryY, 0);
    EXPECT_EQ(nextMap->protectedLeft, 10);
    EXPECT_EQ(nextMap->protectedRight, 19);
}

TEST_F(BuildNextMapTest, ABoardWithoutAnEndLeavesTheNextBoardAsItWas) {
    currentMap = sketchBoard(walledRows(), 12);
    nextMap = sketchBoard(std::vector<std::string>(14, std::string(20, '.')), 13);
    // A stale end from an earlier search must not be used.
    search->endX = 10;
    search->endY = 0;
    search->buildNextMap();
    EXPECT_EQ(search->endX, -1);
    EXPECT_EQ(nextMap->protectedLeft, -1);
    EXPECT_EQ(nextMap->entryY, 0);
    EXPECT_EQ(nextMap->cells[10][13], 3);
}

}  // namespace

namespace qm_overlay {

using namespace qm;

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
        search = ReachabilitySearch::create();
        // S at (1,1) in a walled box: rests at (18,1), (1,12) and (18,12), all in lock layer 2.
        auto rows = walledRows();
        rows[1][1] = 'S';
        currentMap = sketchBoard(rows);
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
    std::shared_ptr<ReachabilitySearch> search;
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

}  // namespace qm_overlay
