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

// A move ends only where the player must press a key: a ball that halts on a
// booster or angle block and rolls on by itself is still in the same move.
TEST_F(MoveSimulatorTest, HaltsThatGoOnByThemselvesAreNoRest) {
    // Down into the angle block: it turns the ball right into the wall, the
    // ball halts a tick, is turned up and rolls back to where it began.
    auto bounce = boardFromText({
        "######",
        "#S...#",
        "####.#",
        "####C#",
        "######",
    });
    ASSERT_EQ(MoveSimulator::play(*bounce, 2).outcome, MoveOutcome::Rested);
    expectAt(*bounce, {4, 1});
    MoveResult r = MoveSimulator::play(*bounce, 3);
    EXPECT_EQ(r.outcome, MoveOutcome::Rested);
    expectAt(*bounce, {4, 1});
    EXPECT_EQ(r.ticks, 1 + 2 * 3 + 1 + 2 * 3 + 1);  // down two cells, the halt, up two, the stop
    // Put in the halt by hand, the ball is not at rest for good.
    bounce->ball->placeAt(4, 3);
    EXPECT_FALSE(MoveSimulator::restsForGood(*bounce));
    expectAt(*bounce, {4, 3});  // and the probe left it there
    bounce->ball->placeAt(1, 1);
    EXPECT_TRUE(MoveSimulator::restsForGood(*bounce));

    // A booster facing a shatter block hits it once a tick until it breaks,
    // then the ball rolls through: one move, with the block gone.
    auto crack = boardFromText({"S..>x..#"});
    r = MoveSimulator::play(*crack, 2);
    EXPECT_EQ(r.outcome, MoveOutcome::Rested);
    expectAt(*crack, {6, 0});
    EXPECT_EQ(crack->gizmos->cellState(4, 0), 3);
    // A booster facing a wall is a rest: the ball stays however long it waits.
    auto wall = boardFromText({"S.>#"});
    EXPECT_EQ(MoveSimulator::play(*wall, 2).outcome, MoveOutcome::Rested);
    expectAt(*wall, {2, 0});
    EXPECT_TRUE(MoveSimulator::restsForGood(*wall));
}

}  // namespace
