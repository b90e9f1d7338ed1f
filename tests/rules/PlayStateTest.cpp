// One tick of the rules over a play state: rolling, stopping, the board
// edge, the gizmos met on the way, the restart, and what each tick reports.
#include <gtest/gtest.h>

#include <algorithm>

#include "support/BoardText.h"
#include "rules/PlayState.h"

using namespace qm;

namespace {

class PlayStateTest : public ::testing::Test {
protected:
    Board board;
    PlayState state;
    RuleLog log;
    int restarts = 0;

    void use(const std::vector<std::string>& rows) {
        board = test::boardFromText(rows);
        state = PlayState::start(board);
    }
    // One tick with the player's keys as given.
    TickEvents tick(int direction = 0, int inputAllowed = 1, int restart = 0) {
        TickInput input;
        input.direction = direction;
        input.inputAllowed = inputAllowed;
        input.restart = restart;
        TickEvents events = state.tick(board, input, &log);
        restarts += events.restarted;
        return events;
    }
    void press(int direction) { tick(direction); }
    // Ticks without input until the ball rests; returns the ticks taken.
    int rollToRest(int cap = 2000) {
        int ticks = 0;
        while (state.ball.direction != 0 && ticks < cap) {
            tick();
            ++ticks;
        }
        return ticks;
    }
    int count(const std::string& line) const { return int(std::count(log.begin(), log.end(), line)); }
};

TEST_F(PlayStateTest, RestingBallDoesNotTakeARefusedDirectionNorALowerOne) {
    use({
        "..#.",
        "..S.",
    });
    TickInput both = TickInput::fromFlags(1, 0, 0, 1, 0, 1);
    EXPECT_EQ(both.direction, 1) << "up comes before right";
    state.tick(board, both);
    EXPECT_EQ(state.ball.direction, 0) << "up is refused and right is not tried";
    press(2);
    EXPECT_EQ(state.ball.direction, 2);
}

TEST_F(PlayStateTest, RollingOffColumnNineteenReachesTwentyOnTheThirdTickThenRestarts) {
    use({"", "", "...................S"});
    press(2);
    ASSERT_EQ(state.ball.direction, 2);
    tick();
    tick();
    EXPECT_EQ(state.ball.x, 19);
    EXPECT_EQ(state.ball.stepX, 2);
    tick();
    EXPECT_EQ(state.ball.x, 20);
    EXPECT_EQ(state.ball.stepX, 0);
    EXPECT_EQ(restarts, 0);
    // The fall restarts the level and the keys held then are dropped: the
    // ball stays on the start though the player still pushes right.
    TickEvents fell = tick(2);
    EXPECT_TRUE(fell.restarted);
    EXPECT_TRUE(fell.rested);
    EXPECT_FALSE(fell.startedRolling);
    EXPECT_EQ(state.ball.x, 19);
    EXPECT_EQ(state.ball.y, 2);
    EXPECT_EQ(state.ball.direction, 0);
    EXPECT_EQ(count("created gizmo states"), 1) << "the gizmos built afresh";
}

TEST_F(PlayStateTest, MoveTakesThreeTicksPerCellAndStopsInFrontOfAWall) {
    use({"S....#"});
    press(2);
    int ticks = rollToRest();
    EXPECT_EQ(state.ball.x, 4);
    EXPECT_EQ(ticks, 4 * 3 + 1) << "twelve ticks of rolling and one at the last centre";
}

TEST_F(PlayStateTest, RestartWhileRollingRestartsAtOnceButNotBehindAnOverlay) {
    use({"S.........#"});
    press(2);
    for (int i = 0; i < 7; ++i) tick();
    ASSERT_GT(state.ball.x, 1);
    tick(0, 0, 1);
    EXPECT_EQ(restarts, 0) << "inputAllowed 0 ignores the restart key";
    TickEvents restarted = tick(0, 1, 1);
    EXPECT_TRUE(restarted.restarted);
    EXPECT_FALSE(restarted.rolled) << "the tick ends with the restart";
    EXPECT_EQ(state.ball.x, 0);
}

TEST_F(PlayStateTest, TeleportCarriesTheBallToItsPartnerAndItRollsOn) {
    use({
        "S..0.......",
        "...........",
        "......1...#",
    });
    press(2);
    rollToRest();
    EXPECT_EQ(state.ball.x, 9);
    EXPECT_EQ(state.ball.y, 2);
    EXPECT_EQ(count("Teleport"), 1);
}

TEST_F(PlayStateTest, PartnerWithAClosedExitKeepsTheBallAndDoesNotSendItBack) {
    use({
        "S..0....",
        "........",
        "......1#",
    });
    press(2);
    rollToRest();
    EXPECT_EQ(state.ball.x, 6);
    EXPECT_EQ(state.ball.y, 2);
    for (int i = 0; i < 10; ++i) tick();
    EXPECT_EQ(state.ball.x, 6);
    EXPECT_EQ(state.ball.y, 2);
    EXPECT_EQ(count("Teleport"), 1);
}

TEST_F(PlayStateTest, TeleportWithoutPartnerLeavesTheBallRolling) {
    use({"S..5..#"});  // 21 with no 20 on the board
    press(2);
    rollToRest();
    EXPECT_EQ(state.ball.x, 5);
    EXPECT_EQ(count("Teleport"), 1);
}

TEST_F(PlayStateTest, BoosterUnderARestingBallStartsItAndPowersItThroughBeams) {
    use({
        ".#...",
        "...H.",
        ".....",
        "S^...",
    });
    state.ball.placeAt(1, 3);
    ASSERT_EQ(state.gizmos.cellState(1, 1), 126);
    tick();
    EXPECT_EQ(state.ball.direction, 1) << "no input needed";
    EXPECT_EQ(state.gizmos.isPowered(), 1);
    rollToRest();
    EXPECT_EQ(state.ball.x, 1);
    EXPECT_EQ(state.ball.y, 1) << "rolled onto the beam and stopped under the wall";
    EXPECT_EQ(state.gizmos.isPowered(), 0) << "power is lost on coming to rest";
}

TEST_F(PlayStateTest, BoosterWithAClosedExitHoldsTheBall) {
    use({
        ".#..",
        "S^..",
    });
    state.ball.placeAt(1, 1);
    tick();
    EXPECT_EQ(state.ball.direction, 0);
    press(2);
    EXPECT_EQ(state.ball.direction, 2) << "the player's choice is taken at rest";
    tick();
    EXPECT_EQ(state.ball.direction, 0) << "then replaced by the booster's, refused and dropped";
    EXPECT_EQ(state.ball.x, 1);
    EXPECT_EQ(state.ball.stepX, 0);
}

TEST_F(PlayStateTest, AngleBlocksTurnTheBall) {
    use({
        "S...B",
        "....#",
        "....C...#",
    });
    // Right into 120 (bottom, left): turned down; (4, 1) is a wall, so it rests on the block.
    press(2);
    rollToRest();
    EXPECT_EQ(state.ball.x, 4);
    EXPECT_EQ(state.ball.y, 0);
    board.cells[4][1] = Code::Floor;
    tick();
    EXPECT_EQ(state.ball.direction, 3) << "a resting ball on an angle block leaves by itself";
    rollToRest();
    // Down into 121 (top, right): turned right, rests before the wall at (8, 2).
    EXPECT_EQ(state.ball.x, 7);
    EXPECT_EQ(state.ball.y, 2);
}

TEST_F(PlayStateTest, ShatterBreaksOnTheThirdApproachAndWeakOnTheSecond) {
    use({
        "#S..x.#",
        "#...w.#",
    });
    auto approach = [&](int times) {
        for (int i = 0; i < times; ++i) {
            press(2);
            rollToRest();
            if (state.ball.x == 5) return i + 1;
            press(4);
            rollToRest();
        }
        return -1;
    };
    state.ball.placeAt(1, 0);
    EXPECT_EQ(approach(5), 3);
    EXPECT_EQ(state.gizmos.cellState(4, 0), 3);

    state.ball.placeAt(1, 1);
    EXPECT_EQ(approach(5), 2);
}

TEST_F(PlayStateTest, PushingAgainstAShatterBlockFromRestDoesNothing) {
    use({"S..x"});
    state.ball.placeAt(2, 0);
    press(2);
    for (int i = 0; i < 5; ++i) tick();
    EXPECT_EQ(state.gizmos.cellState(3, 0), 0);
}

TEST_F(PlayStateTest, PoweredBallBreaksAWholeShatterBlockAtOnce) {
    use({"S>..x..#"});
    press(2);
    rollToRest();
    EXPECT_EQ(state.ball.x, 6);
    EXPECT_EQ(state.gizmos.cellState(4, 0), 3);
}

TEST_F(PlayStateTest, KeyOneOpensItsLockAtOnceAndTheFadeLastsFortyTicks) {
    use({"S.k.l.#"});
    press(2);
    int ticks = 0;
    while (state.gizmos.lockStates[0] == 0 && ticks < 100) {
        tick();
        ++ticks;
    }
    ASSERT_EQ(state.gizmos.lockStates[0], 2);
    EXPECT_EQ(state.lockTimers[0], 1) << "the lock starts changing in the tick the key is taken";
    EXPECT_EQ(count("Opened 31"), 1);
    rollToRest();
    EXPECT_EQ(state.ball.x, 5) << "rolled through the opening lock";
    while (state.gizmos.lockStates[0] == 2 && ticks < 200) {
        tick();
        ++ticks;
    }
    EXPECT_EQ(state.gizmos.lockStates[0], 1);
    EXPECT_EQ(state.lockTimers[0], 40);
}

TEST_F(PlayStateTest, KeyTwoClosesItsLockAtOnce) {
    use({"S.K.m.#"});
    press(2);
    rollToRest();
    EXPECT_EQ(state.ball.x, 3) << "stopped in front of the closing lock";
    EXPECT_EQ(count("Closed 32"), 1);
    for (int i = 0; i < 60; ++i) tick();
    EXPECT_EQ(state.gizmos.lockStates[1], 0);
}

TEST_F(PlayStateTest, RecallPadWithoutAPointLetsTheBallRollOn) {
    use({"S.p..#"});
    press(2);
    rollToRest();
    EXPECT_EQ(state.ball.x, 4);
}

TEST_F(PlayStateTest, RecallPadSendsTheBallBackToThePointKeepingItsDirection) {
    use({
        "S.r..B",
        ".....p",
        "......",
        "......",
        "..#...",
    });
    press(2);
    rollToRest();
    EXPECT_EQ(state.ball.x, 2);
    EXPECT_EQ(state.ball.y, 3);
    EXPECT_EQ(count("Recall"), 1);
}

TEST_F(PlayStateTest, SwitchTurnsTheBeamsAfterTheBallHasDecidedToRollOn) {
    use({
        "S.*...#",
        ".......",
        "....V..",
    });
    ASSERT_EQ(state.gizmos.cellState(4, 0), 127);
    press(2);
    rollToRest();
    EXPECT_EQ(state.ball.x, 5) << "the beam across (4, 0) was gone when the ball got there";
    EXPECT_EQ(state.gizmos.cellState(4, 2), 2);
    EXPECT_EQ(state.gizmos.cellState(3, 2), 126);
    EXPECT_EQ(state.gizmos.cellState(4, 0), 0);
}

TEST_F(PlayStateTest, BallRestingOnASwitchDoesNotTurnTheBeamsAgain) {
    use({
        "S.*#",
        "....",
        "....V..",
    });
    press(2);
    rollToRest();
    ASSERT_EQ(state.ball.x, 2);
    ASSERT_EQ(state.gizmos.cellState(4, 2), 2);
    for (int i = 0; i < 10; ++i) tick();
    EXPECT_EQ(state.gizmos.cellState(4, 2), 2);
}

}  // namespace
