// The ball's tick in the game: rolling, stopping, the board edge, gizmos met
// on the way, restart, and what solving a level sets going.
#include <gtest/gtest.h>

#include "app/GameController.h"
#include "play/Globals.h"
#include "play/GroupProgress.h"
#include "play/PlayInput.h"
#include "play/PlayerProfile.h"
#include "play/BoardTransition.h"
#include "play/HoverButtonBar.h"
#include "play/ScreenFlash.h"
#include "puzzle/BoardText.h"
#include "play/LevelMap.h"
#include "play/ParticleNode.h"
#include "runtime/Diagnostics.h"
#include "runtime/Runtime.h"
#include "support/TempFolder.h"

using namespace qm;
using test::boardFromText;

namespace {

class BallTest : public ::testing::Test {
protected:
    void SetUp() override {
        resetGlobals();
        PlayInput::resetAll();
        RuntimeOptions options;
        options.headless = true;
        runtimeInit(options);
        setDebugLogHook([this](const std::string& line) { log.push_back(line); });
    }
    void TearDown() override {
        setDebugLogHook(nullptr);
        PlayInput::resetAll();
        resetGlobals();
        runtimeShutdown();
    }
    // One tick with a direction held, as the play loop would give it.
    static void press(LevelMap& board, int direction, int inputAllowed = 1) {
        PlayInput::up = direction == 1;
        PlayInput::right = direction == 2;
        PlayInput::down = direction == 3;
        PlayInput::left = direction == 4;
        board.update(inputAllowed);
        PlayInput::resetInput();
    }
    // Ticks without input until the ball rests; returns the ticks taken.
    static int rollToRest(LevelMap& board, int cap = 2000) {
        int ticks = 0;
        while (board.ball->direction != 0 && ticks < cap) {
            board.update(1);
            ++ticks;
        }
        return ticks;
    }
    int count(const std::string& line) const {
        int n = 0;
        for (const auto& l : log) n += l == line;
        return n;
    }
    std::vector<std::string> log;
};

TEST_F(BallTest, RestingBallDoesNotTakeARefusedDirectionNorALowerOne) {
    auto board = boardFromText({
        "..#.",
        "..S.",
    });
    PlayInput::up = 1;
    PlayInput::right = 1;
    board->update(1);
    EXPECT_EQ(board->ball->direction, 0) << "up is refused and right is not tried";
    PlayInput::resetInput();
    press(*board, 2);
    EXPECT_EQ(board->ball->direction, 2);
}

TEST_F(BallTest, RollingOffColumnNineteenReachesTwentyOnTheThirdTickThenRestarts) {
    gameController = GameController::create();
    auto board = boardFromText({"", "", "...................S"});
    press(*board, 2);
    ASSERT_EQ(board->ball->direction, 2);
    board->update(1);
    board->update(1);
    EXPECT_EQ(board->ball->x, 19);
    EXPECT_EQ(board->ball->stepX, 2);
    board->update(1);
    EXPECT_EQ(board->ball->x, 20);
    EXPECT_EQ(board->ball->stepX, 0);
    EXPECT_EQ(board->restartCount, 1) << "only the level start so far";
    EXPECT_EQ(gameController->flash, nullptr);
    board->update(1);
    EXPECT_EQ(board->restartCount, 2);
    EXPECT_EQ(board->ball->x, 19);
    EXPECT_EQ(board->ball->y, 2);
    EXPECT_EQ(board->ball->direction, 0);
    ASSERT_NE(gameController->flash, nullptr);
    EXPECT_EQ(gameController->flash->alpha, 1.0f);
    EXPECT_EQ(gameController->flash->step, 0.06f);
}

TEST_F(BallTest, MoveTakesThreeTicksPerCellAndStopsInFrontOfAWall) {
    auto board = boardFromText({"S....#"});
    press(*board, 2);
    int ticks = rollToRest(*board);
    EXPECT_EQ(board->ball->x, 4);
    EXPECT_EQ(ticks, 4 * 3 + 1) << "twelve ticks of rolling and one at the last centre";
}

TEST_F(BallTest, RestartWhileRollingRestartsAtOnceButNotBehindAnOverlay) {
    gameController = GameController::create();
    auto board = boardFromText({"S.........#"});
    press(*board, 2);
    for (int i = 0; i < 7; ++i) board->update(1);
    ASSERT_GT(board->ball->x, 1);
    PlayInput::restart = 1;
    board->update(0);
    EXPECT_EQ(board->restartCount, 1) << "inputAllowed 0 ignores the restart flag";
    board->update(1);
    EXPECT_EQ(board->restartCount, 2);
    EXPECT_EQ(board->ball->x, 0);
    EXPECT_EQ(PlayInput::restart, 0) << "the restart flushes the input";
    EXPECT_NE(gameController->flash, nullptr);
}

TEST_F(BallTest, TeleportCarriesTheBallToItsPartnerAndItRollsOn) {
    auto board = boardFromText({
        "S..0.......",
        "...........",
        "......1...#",
    });
    press(*board, 2);
    rollToRest(*board);
    EXPECT_EQ(board->ball->x, 9);
    EXPECT_EQ(board->ball->y, 2);
    EXPECT_EQ(count("Teleport"), 1);
}

TEST_F(BallTest, PartnerWithAClosedExitKeepsTheBallAndDoesNotSendItBack) {
    auto board = boardFromText({
        "S..0....",
        "........",
        "......1#",
    });
    press(*board, 2);
    rollToRest(*board);
    EXPECT_EQ(board->ball->x, 6);
    EXPECT_EQ(board->ball->y, 2);
    for (int i = 0; i < 10; ++i) board->update(1);
    EXPECT_EQ(board->ball->x, 6);
    EXPECT_EQ(board->ball->y, 2);
    EXPECT_EQ(count("Teleport"), 1);
}

TEST_F(BallTest, TeleportWithoutPartnerLeavesTheBallRolling) {
    auto board = boardFromText({"S..5..#"});  // 21 with no 20 on the board
    press(*board, 2);
    rollToRest(*board);
    EXPECT_EQ(board->ball->x, 5);
    EXPECT_EQ(count("Teleport"), 1);
}

TEST_F(BallTest, BoosterUnderARestingBallStartsItAndPowersItThroughBeams) {
    auto board = boardFromText({
        ".#...",
        "...H.",
        ".....",
        "S^...",
    });
    board->ball->placeAt(1, 3);
    ASSERT_EQ(board->gizmos->cellState(1, 1), 126);
    board->update(1);
    EXPECT_EQ(board->ball->direction, 1) << "no input needed";
    EXPECT_EQ(board->isPowered(), 1);
    rollToRest(*board);
    EXPECT_EQ(board->ball->x, 1);
    EXPECT_EQ(board->ball->y, 1) << "rolled onto the beam and stopped under the wall";
    EXPECT_EQ(board->isPowered(), 0) << "power is lost on coming to rest";
}

TEST_F(BallTest, BoosterWithAClosedExitHoldsTheBall) {
    auto board = boardFromText({
        ".#..",
        "S^..",
    });
    board->ball->placeAt(1, 1);
    board->update(1);
    EXPECT_EQ(board->ball->direction, 0);
    press(*board, 2);
    EXPECT_EQ(board->ball->direction, 2) << "the player's choice is taken at rest";
    board->update(1);
    EXPECT_EQ(board->ball->direction, 0) << "then replaced by the booster's, refused and dropped";
    EXPECT_EQ(board->ball->x, 1);
    EXPECT_EQ(board->ball->stepX, 0);
}

TEST_F(BallTest, AngleBlocksTurnTheBall) {
    auto board = boardFromText({
        "S...B",
        "....#",
        "....C...#",
    });
    // Right into 120 (bottom, left): turned down; (4, 1) is a wall, so it rests on the block.
    press(*board, 2);
    rollToRest(*board);
    EXPECT_EQ(board->ball->x, 4);
    EXPECT_EQ(board->ball->y, 0);
    board->cells[4][1] = 3;
    board->update(1);
    EXPECT_EQ(board->ball->direction, 3) << "a resting ball on an angle block leaves by itself";
    rollToRest(*board);
    // Down into 121 (top, right): turned right, rests before the wall at (8, 2).
    EXPECT_EQ(board->ball->x, 7);
    EXPECT_EQ(board->ball->y, 2);
}

TEST_F(BallTest, ShatterBreaksOnTheThirdApproachAndWeakOnTheSecond) {
    auto board = boardFromText({
        "#S..x.#",
        "#...w.#",
    });
    auto approach = [&](int times) {
        for (int i = 0; i < times; ++i) {
            press(*board, 2);
            rollToRest(*board);
            if (board->ball->x == 5) return i + 1;
            press(*board, 4);
            rollToRest(*board);
        }
        return -1;
    };
    board->ball->placeAt(1, 0);
    EXPECT_EQ(approach(5), 3);
    EXPECT_EQ(board->gizmos->cellState(4, 0), 3);

    board->ball->placeAt(1, 1);
    EXPECT_EQ(approach(5), 2);
}

TEST_F(BallTest, PushingAgainstAShatterBlockFromRestDoesNothing) {
    auto board = boardFromText({"S..x"});
    board->ball->placeAt(2, 0);
    press(*board, 2);
    for (int i = 0; i < 5; ++i) board->update(1);
    EXPECT_EQ(board->gizmos->cellState(3, 0), 0);
}

TEST_F(BallTest, PoweredBallBreaksAWholeShatterBlockAtOnce) {
    auto board = boardFromText({"S>..x..#"});
    press(*board, 2);
    rollToRest(*board);
    EXPECT_EQ(board->ball->x, 6);
    EXPECT_EQ(board->gizmos->cellState(4, 0), 3);
}

TEST_F(BallTest, KeyOneOpensItsLockAtOnceAndTheFadeLastsFortyTicks) {
    auto board = boardFromText({"S.k.l.#"});
    press(*board, 2);
    int ticks = 0;
    while (board->gizmos->lockStates[0] == 0 && ticks < 100) {
        board->update(1);
        ++ticks;
    }
    ASSERT_EQ(board->gizmos->lockStates[0], 2);
    EXPECT_EQ(board->lockTimers[0], 1) << "the lock starts changing in the tick the key is taken";
    EXPECT_EQ(count("Opened 31"), 1);
    rollToRest(*board);
    EXPECT_EQ(board->ball->x, 5) << "rolled through the opening lock";
    while (board->gizmos->lockStates[0] == 2 && ticks < 200) {
        board->update(1);
        ++ticks;
    }
    EXPECT_EQ(board->gizmos->lockStates[0], 1);
    EXPECT_EQ(board->lockTimers[0], 40);
}

TEST_F(BallTest, KeyTwoClosesItsLockAtOnce) {
    auto board = boardFromText({"S.K.m.#"});
    press(*board, 2);
    rollToRest(*board);
    EXPECT_EQ(board->ball->x, 3) << "stopped in front of the closing lock";
    EXPECT_EQ(count("Closed 32"), 1);
    for (int i = 0; i < 60; ++i) board->update(1);
    EXPECT_EQ(board->gizmos->lockStates[1], 0);
}

TEST_F(BallTest, RecallPadWithoutAPointLetsTheBallRollOn) {
    auto board = boardFromText({"S.p..#"});
    press(*board, 2);
    rollToRest(*board);
    EXPECT_EQ(board->ball->x, 4);
}

TEST_F(BallTest, RecallPadSendsTheBallBackToThePointKeepingItsDirection) {
    auto board = boardFromText({
        "S.r..B",
        ".....p",
        "......",
        "......",
        "..#...",
    });
    press(*board, 2);
    rollToRest(*board);
    EXPECT_EQ(board->ball->x, 2);
    EXPECT_EQ(board->ball->y, 3);
    EXPECT_EQ(count("Recall"), 1);
}

TEST_F(BallTest, SwitchTurnsTheBeamsAfterTheBallHasDecidedToRollOn) {
    auto board = boardFromText({
        "S.*...#",
        ".......",
        "....V..",
    });
    ASSERT_EQ(board->gizmos->cellState(4, 0), 127);
    press(*board, 2);
    rollToRest(*board);
    EXPECT_EQ(board->ball->x, 5) << "the beam across (4, 0) was gone when the ball got there";
    EXPECT_EQ(board->gizmos->cellState(4, 2), 2);
    EXPECT_EQ(board->gizmos->cellState(3, 2), 126);
    EXPECT_EQ(board->gizmos->cellState(4, 0), 0);
}

TEST_F(BallTest, BallRestingOnASwitchDoesNotTurnTheBeamsAgain) {
    auto board = boardFromText({
        "S.*#",
        "....",
        "....V..",
    });
    press(*board, 2);
    rollToRest(*board);
    ASSERT_EQ(board->ball->x, 2);
    ASSERT_EQ(board->gizmos->cellState(4, 2), 2);
    for (int i = 0; i < 10; ++i) board->update(1);
    EXPECT_EQ(board->gizmos->cellState(4, 2), 2);
}

TEST_F(BallTest, EndStopsTheBallAtFullSpeedAndFinishesThatTick) {
    test::TempFolder folder;
    playerProfile = PlayerProfile::create(0);
    playerProfile->currentLevel = 7;
    playerProfile->currentGroup = 1;
    auto board = boardFromText({"S...E...#"}, 7);
    currentMap = board;
    press(*board, 2);
    int ticks = 0;
    while (!nextMap && ticks < 100) {
        board->update(1);
        ++ticks;
    }
    EXPECT_EQ(board->ball->x, 4);
    EXPECT_EQ(ticks, 4 * 3 + 1);
    ASSERT_NE(nextMap, nullptr);
    EXPECT_EQ(nextMap->levelNumber, 8);
    ASSERT_NE(mapTransition, nullptr);
    EXPECT_EQ(mapTransition->isAdvancing(), 1);
    EXPECT_EQ(playerProfile->levelStates[7], 1);
    ASSERT_NE(particleLayer, nullptr);
    EXPECT_GE(particleLayer->count(), 30) << "the end burst";
}

TEST_F(BallTest, LevelOneSixtyIsFollowedByItself) {
    test::TempFolder folder;
    playerProfile = PlayerProfile::create(0);
    playerProfile->currentLevel = 160;
    playerProfile->currentGroup = 32;
    auto board = boardFromText({"S.E"}, 160);
    currentMap = board;
    board->finishLevel(1);
    ASSERT_NE(nextMap, nullptr);
    EXPECT_EQ(nextMap->levelNumber, 160);
    EXPECT_EQ(playerProfile->levelStates[160], 1);
}

TEST_F(BallTest, SkippingAnUnsolvedLevelMarksItsTokenSkipped) {
    test::TempFolder folder;
    playerProfile = PlayerProfile::create(0);
    playerProfile->currentLevel = 6;
    playerProfile->currentGroup = 1;
    buttonBar = std::make_shared<HoverButtonBar>();
    buttonBar->progressIndicator = GroupProgress::create();
    auto board = boardFromText({"S.E"}, 6);
    currentMap = board;
    board->finishLevel(0);
    EXPECT_EQ(buttonBar->progressIndicator->states[1], 2);
    EXPECT_EQ(playerProfile->levelStates[6], 2);
    ASSERT_NE(nextMap, nullptr);
    EXPECT_EQ(nextMap->levelNumber, 7);
}

TEST_F(BallTest, GlowLightsTheNeighboursOnTheBoardOnly) {
    auto board = boardFromText({"S"});
    board->update(1);
    // Lit this tick (25 or 10), then lowered once by the board's own tick.
    EXPECT_EQ(board->glow[1][0], 24);
    EXPECT_EQ(board->glow[0][1], 24);
    EXPECT_EQ(board->glow[1][1], 9);
    EXPECT_EQ(board->glow[2][0], 0);
}

}  // namespace
