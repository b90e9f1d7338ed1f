// The harness the solver and the hint use: boards built in code, moves played
// through the board's own update, outcomes and resting cells checked.
#include <gtest/gtest.h>

#include "app/GameController.h"
#include "app/Globals.h"
#include "app/PlayInput.h"
#include "app/PlayerProfile.h"
#include "puzzle/BoardText.h"
#include "puzzle/MoveSimulator.h"
#include "puzzle/ParticleNode.h"
#include "runtime/Runtime.h"
#include "support/TempFolder.h"

using namespace qm;
using test::boardFromText;

namespace {

class MoveSimulatorTest : public ::testing::Test {
protected:
    void SetUp() override {
        resetGlobals();
        PlayInput::resetAll();
        RuntimeOptions options;
        options.headless = true;
        runtimeInit(options);
    }
    void TearDown() override {
        PlayInput::resetAll();
        resetGlobals();
        runtimeShutdown();
    }
};

struct Cell {
    int x, y;
};

void expectAt(const LevelMap& board, Cell c) {
    EXPECT_EQ(board.ball->x, c.x);
    EXPECT_EQ(board.ball->y, c.y);
    EXPECT_EQ(board.ball->direction, 0);
    EXPECT_EQ(board.ball->stepX, 0);
    EXPECT_EQ(board.ball->stepY, 0);
}

TEST_F(MoveSimulatorTest, EachOutcomeOfAMove) {
    auto board = boardFromText({
        "#S...#",
        "......",
        ".E....",
    });
    MoveResult blocked = MoveSimulator::play(*board, 4);
    EXPECT_EQ(blocked.outcome, MoveOutcome::Blocked);
    expectAt(*board, {1, 0});

    MoveResult rested = MoveSimulator::play(*board, 2);
    EXPECT_EQ(rested.outcome, MoveOutcome::Rested);
    EXPECT_EQ(rested.ticks, 1 + 3 * 3 + 1);
    expectAt(*board, {4, 0});

    MoveResult offBoard = MoveSimulator::play(*board, 3);
    EXPECT_EQ(offBoard.outcome, MoveOutcome::Restarted);
    expectAt(*board, {1, 0});

    MoveResult solved = MoveSimulator::play(*board, 3);
    EXPECT_EQ(solved.outcome, MoveOutcome::Solved);
    EXPECT_EQ(board->ball->x, 1);
    EXPECT_EQ(board->ball->y, 2);
}

TEST_F(MoveSimulatorTest, BallThatNeverRestsEndsAtTheTickCap) {
    // The recall pad sends the ball back to the point on its own row forever.
    auto board = boardFromText({"S.r..p..#"});
    MoveResult r = MoveSimulator::play(*board, 2, 500);
    EXPECT_EQ(r.outcome, MoveOutcome::TickCap);
    EXPECT_EQ(r.ticks, 500);
}

TEST_F(MoveSimulatorTest, SmallPuzzleSolvedMoveByMoveThroughALock) {
    auto board = boardFromText({
        "########",
        "#S..k.##",
        "#.###l##",
        "#.#E...#",
        "########",
    });
    struct Step {
        int direction;
        MoveOutcome outcome;
        Cell at;
    };
    const Step steps[] = {
        {3, MoveOutcome::Rested, {1, 3}},
        {2, MoveOutcome::Blocked, {1, 3}},
        {1, MoveOutcome::Rested, {1, 1}},
        {2, MoveOutcome::Rested, {5, 1}},  // over the key, in front of the wall
        {3, MoveOutcome::Rested, {5, 3}},  // through the opened lock
    };
    for (const Step& step : steps) {
        MoveResult r = MoveSimulator::play(*board, step.direction);
        EXPECT_EQ(r.outcome, step.outcome) << "direction " << step.direction;
        expectAt(*board, step.at);
    }
    EXPECT_EQ(board->gizmos->lockStates[0], 2) << "went through while the lock was still fading out";
    EXPECT_EQ(MoveSimulator::play(*board, 4).outcome, MoveOutcome::Solved);
    EXPECT_EQ(board->ball->x, 3);
}

TEST_F(MoveSimulatorTest, SimulatedSolveTouchesNothingOutsideTheBoard) {
    test::TempFolder folder;
    playerProfile = PlayerProfile::create(0);
    gameController = GameController::create();
    auto board = boardFromText({"S..E"}, 3);
    currentMap = board;
    int particlesBefore = particleLayer ? particleLayer->count() : 0;
    PlayInput::left = 1;  // the player's own flags survive a hint
    MoveResult r = MoveSimulator::play(*board, 2);
    EXPECT_EQ(r.outcome, MoveOutcome::Solved);
    EXPECT_EQ(nextMap, nullptr);
    EXPECT_EQ(mapTransition, nullptr);
    EXPECT_EQ(playerProfile->levelStates[3], 0);
    EXPECT_EQ(particleLayer ? particleLayer->count() : 0, particlesBefore);
    EXPECT_EQ(gameController->flash, nullptr);
    EXPECT_EQ(board->simulation, 0);
    EXPECT_EQ(PlayInput::left, 1);
    EXPECT_EQ(PlayInput::right, 0);

    MoveSimulator::play(*board, 4);  // rolls off the left edge: no flash either
    EXPECT_EQ(gameController->flash, nullptr);
}

TEST_F(MoveSimulatorTest, RestoringASavedStateReplaysTheSameMove) {
    auto board = boardFromText({
        "S...*..#",
        "........",
        "......V.",
        "....x...",
    });
    RestState start = MoveSimulator::save(*board);
    MoveSimulator::play(*board, 2);
    Cell first{board->ball->x, board->ball->y};
    auto afterFirst = board->gizmos->copy();
    MoveSimulator::play(*board, 3);
    ASSERT_FALSE(board->gizmos->equals(*afterFirst) && board->ball->x == first.x && board->ball->y == first.y);

    MoveSimulator::restore(*board, start);
    expectAt(*board, {0, 0});
    EXPECT_EQ(board->gizmos->cellState(6, 0), 127) << "the switch is undone";
    MoveSimulator::play(*board, 2);
    EXPECT_EQ(board->ball->x, first.x);
    EXPECT_EQ(board->ball->y, first.y);
    EXPECT_EQ(board->gizmos->equals(*afterFirst), 1);

    // The saved state is a copy: playing on does not change it.
    RestState saved = MoveSimulator::save(*board);
    MoveSimulator::play(*board, 3);
    EXPECT_EQ(saved.gizmos->equals(*afterFirst), 1);
}

TEST_F(MoveSimulatorTest, SettleStartsABallRestingOnABooster) {
    auto board = boardFromText({
        ".#",
        "..",
        "S>...#",
    });
    board->ball->placeAt(1, 2);
    MoveResult r = MoveSimulator::settle(*board);
    EXPECT_EQ(r.outcome, MoveOutcome::Rested);
    expectAt(*board, {4, 2});
    r = MoveSimulator::settle(*board);
    EXPECT_EQ(r.outcome, MoveOutcome::Rested);
    EXPECT_EQ(r.ticks, 1);
}

}  // namespace
