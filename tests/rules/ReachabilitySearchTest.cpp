// The reachability search on small drawn boards: what it records, where it
// stops, lock layers, the loop bound, and agreement with play.
#include <gtest/gtest.h>

#include <map>
#include <queue>
#include <random>
#include <utility>

#include "support/BoardText.h"
#include "rules/MoveSimulator.h"
#include "rules/ReachabilitySearch.h"

using namespace qm;
using qm::test::boardFromText;
using qm::test::walledRows;

namespace {

class ReachabilitySearchTest : public ::testing::Test {
protected:
    void searchOn(const std::vector<std::string>& rows) {
        board = boardFromText(rows);
        search.search(board);
    }
    int reachedEntries() const {
        int count = 0;
        for (auto& column : search.moves)
            for (auto& cell : column)
                for (int value : cell) count += value >= 0 ? 1 : 0;
        return count;
    }
    Board board;
    ReachabilitySearch search;
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
    EXPECT_EQ(search.moves[4][5][kStartLayer], 0);
    EXPECT_EQ(search.trace[4][5][kStartLayer], 4);
    EXPECT_EQ(reachedEntries(), 1);
    EXPECT_EQ(search.farthest, 0);
    // With the default display mode 0 the start's layer is not the one shown.
    EXPECT_EQ(search.moves[4][5][0], -1);
}

TEST_F(ReachabilitySearchTest, RollingOffTheBoardKeepsThePassedCellsAndGoesNoFurther) {
    std::vector<std::string> rows(14, std::string(20, '#'));
    rows[5] = "...S################";
    searchOn(rows);
    for (int x = 0; x <= 2; ++x) {
        EXPECT_EQ(search.moves[x][5][kStartLayer], 0) << x;
        EXPECT_EQ(search.trace[x][5][kStartLayer], 2) << x;  // passed sideways
    }
    EXPECT_EQ(search.moves[3][5][kStartLayer], 0);
    EXPECT_EQ(reachedEntries(), 4);  // no rest, so no move 1 anywhere
    EXPECT_EQ(search.lastCutRolls, 0);
}

TEST_F(ReachabilitySearchTest, MoveCountsGrowByOnePerRestAndTraceShowsHowCellsWereUsed) {
    // S at (1,1): right to (18,1), then down to (18,12), then left to (1,12).
    auto rows = walledRows();
    rows[1][1] = 'S';
    searchOn(rows);
    EXPECT_EQ(search.moves[1][1][kStartLayer], 0);
    EXPECT_EQ(search.moves[10][1][kStartLayer], 0);  // passed in the first move
    EXPECT_EQ(search.moves[18][1][kStartLayer], 1);  // where that move rests
    EXPECT_EQ(search.trace[18][1][kStartLayer], 4);
    EXPECT_EQ(search.moves[18][12][kStartLayer], 2);
    EXPECT_EQ(search.moves[10][12][kStartLayer], 1);  // passed in the second move (from (1,12))
    EXPECT_EQ(search.trace[10][12][kStartLayer], 2);
    EXPECT_EQ(search.trace[18][6][kStartLayer], 1);  // only ever crossed vertically
    EXPECT_EQ(search.trace[10][1][kStartLayer], 2);
}

TEST_F(ReachabilitySearchTest, KeysMoveTheSearchIntoAnotherLockLayer) {
    auto rows = walledRows();
    rows[1] = "#S......l...#.......";
    rows[2] = std::string(20, '#');
    searchOn(rows);
    // Without the key the ball stops in front of the shut lock.
    EXPECT_EQ(search.moves[7][1][kStartLayer], 1);
    EXPECT_EQ(search.moves[9][1][kStartLayer], -1);

    rows[1] = "#S..k...l...#.......";
    searchOn(rows);
    // Key 1 opens lock 1 at once: layer 1 + 2 x 1 = 3 from the key cell on.
    EXPECT_EQ(search.moves[3][1][kStartLayer], 0);
    EXPECT_EQ(search.moves[4][1][3], 0);
    EXPECT_EQ(search.moves[4][1][kStartLayer], -1);
    EXPECT_EQ(search.moves[8][1][3], 0);   // through the opened lock
    EXPECT_EQ(search.moves[11][1][3], 1);  // rests in front of the wall
    // Nothing reached layer 0, so the farthest count stays 0.
    EXPECT_EQ(search.farthest, 0);
}

TEST_F(ReachabilitySearchTest, BoostersFacingEachOtherEndTheRollInsteadOfLooping) {
    auto rows = walledRows();
    rows[2][5] = 'S';
    rows[5][5] = '>';
    rows[5][6] = '<';
    searchOn(rows);
    EXPECT_GE(search.lastCutRolls, 1);
    EXPECT_LT(search.lastRollCells, 1000);
    EXPECT_EQ(search.moves[5][5][kStartLayer], 0);
    EXPECT_EQ(search.moves[6][5][kStartLayer], 0);
    // The ball never rests between the boosters, so nothing is explored from there.
    EXPECT_NE(search.trace[5][5][kStartLayer], 4);
    EXPECT_NE(search.trace[6][5][kStartLayer], 4);
}

TEST_F(ReachabilitySearchTest, ALoopThatFlipsBeamsEveryLapStillEnds) {
    auto rows = walledRows();
    rows[2][5] = 'S';
    rows[5][5] = '>';
    rows[5][6] = '*';
    rows[5][7] = '<';
    rows[10][12] = 'H';  // makes every switch pass change the gizmo state
    searchOn(rows);
    EXPECT_GE(search.lastCutRolls, 1);
    EXPECT_LT(search.lastRollCells, 1000);
    EXPECT_GE(search.lastStateCount, 2);
}

TEST_F(ReachabilitySearchTest, AngleBlocksTurnTheBallAlongTheirOpenSidesInPlayAndInTheSearch) {
    // Right: D sends the ball up, B left, A down, C right into the wall. In
    // play a ball never rests on an angle block: C sends it up again, A right,
    // B down, D left, and it rests on the start after the whole round. A
    // block turning the wrong way ends the move elsewhere or sooner.
    searchOn({
        "########",
        "#A....B#",
        "#......#",
        "#C#S..D#",
        "########",
    });
    PlayState state = PlayState::start(board);
    MoveResult round = MoveSimulator::play(board, state, Dir::Right);
    ASSERT_EQ(round.outcome, MoveOutcome::Rested);
    EXPECT_EQ(std::make_pair(state.ball.x, state.ball.y), std::make_pair(3, 3));
    EXPECT_EQ(round.ticks, 75);  // the whole round, C included
    // The search's quicker walk turns by the same table (and rests on C):
    // B and A are passed in its first roll.
    EXPECT_EQ(search.moves[6][1][kStartLayer], 0);
    EXPECT_EQ(search.moves[1][1][kStartLayer], 0);
    EXPECT_EQ(search.trace[1][3][kStartLayer], 4);
}

TEST_F(ReachabilitySearchTest, RestingCellsMatchTheCellsTheBallCanRestOnInPlay) {
    std::mt19937 random(20261207);
    auto randomInt = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); };
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
        std::map<std::pair<int, int>, int> restDepth;
        std::queue<std::pair<int, int>> open;
        restDepth[{sx, sy}] = 0;
        open.push({sx, sy});
        while (!open.empty()) {
            auto [x, y] = open.front();
            open.pop();
            int depth = restDepth[{x, y}];
            if (depth >= search.depthLimit + 1) continue;
            for (int dir = 1; dir <= 4; ++dir) {
                PlayState at = PlayState::start(board);
                at.ball.placeAt(x, y);
                MoveResult result = MoveSimulator::play(board, at, dir);
                if (result.outcome != MoveOutcome::Rested) continue;
                std::pair<int, int> cell{at.ball.x, at.ball.y};
                if (restDepth.count(cell)) continue;
                restDepth[cell] = depth + 1;
                open.push(cell);
            }
        }

        for (int x = 0; x < 20; ++x) {
            for (int y = 0; y < 14; ++y) {
                bool rests = search.trace[x][y][kStartLayer] == 4;
                auto found = restDepth.find({x, y});
                EXPECT_EQ(rests, found != restDepth.end()) << "round " << round << " cell " << x << "," << y;
                if (rests && found != restDepth.end()) {
                    EXPECT_LE(search.moves[x][y][kStartLayer], found->second);
                }
            }
        }
    }
}

}  // namespace
