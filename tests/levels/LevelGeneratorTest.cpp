// The generator on the first shatter level: the board it keeps has every
// must (the shatter blocks essential, no inert piece, open floor), joins the
// level before it as the next-board builder would, and comes out the same
// for the same seed, judged on one thread or on two.
#include <gtest/gtest.h>

#include "BoardJoin.h"
#include "LevelGenerator.h"
#include "support/PlayRig.h"

using namespace qm;

namespace {

class LevelGeneratorTest : public test::PlayRig {};

TEST_F(LevelGeneratorTest, TheFirstShatterLevelIsKeptJoinedAndTheSameOnAnyThreads) {
    auto generator = LevelGenerator::create(1);
    GenerationReport before, report;
    BoardPtr previous = generator->generate(Curriculum::plan(2), &before);
    BoardPtr board = generator->generate(Curriculum::plan(3), &report);
    ASSERT_TRUE(previous && board);

    EXPECT_TRUE(report.result.kept);
    EXPECT_GT(report.evaluations, 1);
    LevelMeasures m = LevelStats::measure(*board);
    ASSERT_TRUE(m.solvable);
    EXPECT_EQ(m.kinds, FEATURE_SHATTER);
    EXPECT_EQ(m.essential, FEATURE_SHATTER);
    EXPECT_EQ(m.inert, 0);
    EXPECT_GE(m.openFloor(), CandidateScore::kLeastLooks);
    EXPECT_EQ(m.deadStates, 0);  // the first group forgives
    std::string problem;
    EXPECT_TRUE(BoardJoin::check(*previous, *board, &problem)) << problem;

    auto twoThreads = LevelGenerator::create(1);
    twoThreads->threads = 2;
    BoardPtr again = twoThreads->generate(Curriculum::plan(3), nullptr);
    for (int x = 0; x < kBoardWidth; ++x)
        for (int y = 0; y < kBoardHeight; ++y) ASSERT_EQ(again->cells[x][y], board->cells[x][y]) << x << ", " << y;
}

}  // namespace
