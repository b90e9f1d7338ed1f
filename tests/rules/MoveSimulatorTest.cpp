// The harness the solver and the hint use: boards built in code, moves played
// through the game's own tick, outcomes and resting cells checked.
#include <gtest/gtest.h>

#include "support/BoardText.h"
#include "rules/MoveSimulator.h"

using namespace qm;
using test::boardFromText;

namespace {

struct Cell {
    int x, y;
};

void expectAt(const PlayState& state, Cell c) {
    EXPECT_EQ(state.ball.x, c.x);
    EXPECT_EQ(state.ball.y, c.y);
    EXPECT_EQ(state.ball.direction, 0);
    EXPECT_EQ(state.ball.stepX, 0);
    EXPECT_EQ(state.ball.stepY, 0);
}

// A board and the play on it, from its start.
struct Played {
    Board board;
    PlayState state;
    explicit Played(const std::vector<std::string>& rows) : board(boardFromText(rows)), state(PlayState::start(board)) {}
    MoveResult play(int direction, int tickCap = MoveSimulator::kDefaultTickCap) {
        return MoveSimulator::play(board, state, direction, tickCap);
    }
};

TEST(MoveSimulatorTest, EachOutcomeOfAMove) {
    Played board({
        "#S...#",
        "......",
        ".E....",
    });
    MoveResult blocked = board.play(4);
    EXPECT_EQ(blocked.outcome, MoveOutcome::Blocked);
    expectAt(board.state, {1, 0});

    MoveResult rested = board.play(2);
    EXPECT_EQ(rested.outcome, MoveOutcome::Rested);
    EXPECT_EQ(rested.ticks, 1 + 3 * 3 + 1);
    expectAt(board.state, {4, 0});

    MoveResult offBoard = board.play(3);
    EXPECT_EQ(offBoard.outcome, MoveOutcome::Restarted);
    expectAt(board.state, {1, 0});

    MoveResult solved = board.play(3);
    EXPECT_EQ(solved.outcome, MoveOutcome::Solved);
    EXPECT_EQ(board.state.ball.x, 1);
    EXPECT_EQ(board.state.ball.y, 2);
}

TEST(MoveSimulatorTest, BallThatNeverRestsEndsAtTheTickCap) {
    // The recall pad sends the ball back to the point on its own row forever.
    Played board({"S.r..p..#"});
    MoveResult r = board.play(2, 500);
    EXPECT_EQ(r.outcome, MoveOutcome::TickCap);
    EXPECT_EQ(r.ticks, 500);
}

TEST(MoveSimulatorTest, SmallPuzzleSolvedMoveByMoveThroughALock) {
    Played board({
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
        MoveResult r = board.play(step.direction);
        EXPECT_EQ(r.outcome, step.outcome) << "direction " << step.direction;
        expectAt(board.state, step.at);
    }
    EXPECT_EQ(board.state.gizmos.lockStates[0], 2) << "went through while the lock was still fading out";
    EXPECT_EQ(board.play(4).outcome, MoveOutcome::Solved);
    EXPECT_EQ(board.state.ball.x, 3);
}

TEST(MoveSimulatorTest, AKeptStateReplaysTheSameMove) {
    Played board({
        "S...*..#",
        "........",
        "......V.",
        "....x...",
    });
    const PlayState start = board.state;
    board.play(2);
    Cell first{board.state.ball.x, board.state.ball.y};
    GizmoStates afterFirst = board.state.gizmos.copy();
    board.play(3);
    ASSERT_FALSE(board.state.gizmos.equals(afterFirst) && board.state.ball.x == first.x && board.state.ball.y == first.y);

    board.state = start;
    expectAt(board.state, {0, 0});
    EXPECT_EQ(board.state.gizmos.cellState(6, 0), 127) << "the switch is undone";
    board.play(2);
    EXPECT_EQ(board.state.ball.x, first.x);
    EXPECT_EQ(board.state.ball.y, first.y);
    EXPECT_EQ(board.state.gizmos.equals(afterFirst), 1);

    // A kept state is a copy: playing on does not change it.
    const PlayState kept = board.state;
    board.play(3);
    EXPECT_EQ(kept.gizmos.equals(afterFirst), 1);
}

// A move ends only where the player must press a key: a ball that halts on a
// booster or angle block and rolls on by itself is still in the same move.
TEST(MoveSimulatorTest, HaltsThatGoOnByThemselvesAreNoRest) {
    // Down into the angle block: it turns the ball right into the wall, the
    // ball halts a tick, is turned up and rolls back to where it began.
    Played bounce({
        "######",
        "#S...#",
        "####.#",
        "####C#",
        "######",
    });
    ASSERT_EQ(bounce.play(2).outcome, MoveOutcome::Rested);
    expectAt(bounce.state, {4, 1});
    MoveResult r = bounce.play(3);
    EXPECT_EQ(r.outcome, MoveOutcome::Rested);
    expectAt(bounce.state, {4, 1});
    EXPECT_EQ(r.ticks, 1 + 2 * 3 + 1 + 2 * 3 + 1);  // down two cells, the halt, up two, the stop
    // Put in the halt by hand, the ball is not at rest for good.
    bounce.state.ball.placeAt(4, 3);
    EXPECT_FALSE(MoveSimulator::restsForGood(bounce.board, bounce.state));
    expectAt(bounce.state, {4, 3});  // and the probe left it there
    bounce.state.ball.placeAt(1, 1);
    EXPECT_TRUE(MoveSimulator::restsForGood(bounce.board, bounce.state));

    // A booster facing a shatter block hits it once a tick until it breaks,
    // then the ball rolls through: one move, with the block gone.
    Played crack({"S..>x..#"});
    r = crack.play(2);
    EXPECT_EQ(r.outcome, MoveOutcome::Rested);
    expectAt(crack.state, {6, 0});
    EXPECT_EQ(crack.state.gizmos.cellState(4, 0), 3);
    // A booster facing a wall is a rest: the ball stays however long it waits.
    Played wall({"S.>#"});
    EXPECT_EQ(wall.play(2).outcome, MoveOutcome::Rested);
    expectAt(wall.state, {2, 0});
    EXPECT_TRUE(MoveSimulator::restsForGood(wall.board, wall.state));
}

}  // namespace
