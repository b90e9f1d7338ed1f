// The board's step in the game, through the controller's play step and the
// level run: what the rules' events become (the end of a level, the next
// board, the restart flash, the glow).
#include <gtest/gtest.h>

#include <algorithm>

#include "app/GameController.h"
#include "play/BoardTransition.h"
#include "app/AppGlobals.h"
#include "play/GroupProgress.h"
#include "play/HoverButtonBar.h"
#include "play/LevelMap.h"
#include "support/MapText.h"
#include "play/ParticleNode.h"
#include "play/PlayInput.h"
#include "play/PlayerProfile.h"
#include "play/ScreenFlash.h"
#include "runtime/Diagnostics.h"
#include "runtime/Runtime.h"
#include "support/TempFolder.h"

using namespace qm;
using test::mapFromText;

namespace {

class LevelMapTickTest : public ::testing::Test {
protected:
    void SetUp() override {
        resetGlobals();
        PlayInput::resetAll();
        RuntimeOptions options;
        options.headless = true;
        runtimeInit(options);
        setDebugLogHook([this](const std::string& line) { log.push_back(line); });
        gameController = GameController::create();
        session = gameController;
    }
    void TearDown() override {
        setDebugLogHook(nullptr);
        PlayInput::resetAll();
        resetGlobals();
        runtimeShutdown();
    }
    // One tick with a direction held, as the play loop would give it.
    static void press(int direction) {
        PlayInput::up = direction == 1;
        PlayInput::right = direction == 2;
        PlayInput::down = direction == 3;
        PlayInput::left = direction == 4;
        step();
        PlayInput::resetInput();
    }
    static void step() { gameController->playStep(); }
    int count(const std::string& line) const { return int(std::count(log.begin(), log.end(), line)); }
    std::vector<std::string> log;
};

TEST_F(LevelMapTickTest, EndStopsTheBallAtFullSpeedAndFinishesThatTick) {
    test::TempFolder folder;
    playerProfile = PlayerProfile::create(0);
    playerProfile->currentLevel = 7;
    playerProfile->currentGroup = 1;
    auto board = mapFromText({"S...E...#"}, 7);
    currentMap = board;
    press(2);
    int ticks = 0;
    while (!nextMap && ticks < 100) {
        step();
        ++ticks;
    }
    EXPECT_EQ(board->play.ball.x, 4);
    EXPECT_EQ(ticks, 4 * 3 + 1);
    ASSERT_NE(nextMap, nullptr);
    EXPECT_EQ(nextMap->levelNumber, 8);
    ASSERT_NE(mapTransition, nullptr);
    EXPECT_EQ(mapTransition->isAdvancing(), 1);
    EXPECT_EQ(playerProfile->levelStates[7], 1);
    ASSERT_NE(particleLayer, nullptr);
    EXPECT_GE(particleLayer->count(), 30) << "the end burst";
}

TEST_F(LevelMapTickTest, LevelOneSixtyIsFollowedByItself) {
    test::TempFolder folder;
    playerProfile = PlayerProfile::create(0);
    playerProfile->currentLevel = 160;
    playerProfile->currentGroup = 32;
    auto board = mapFromText({"S.E"}, 160);
    currentMap = board;
    gameController->finishLevel(1);
    ASSERT_NE(nextMap, nullptr);
    EXPECT_EQ(nextMap->levelNumber, 160);
    EXPECT_EQ(playerProfile->levelStates[160], 1);
}

TEST_F(LevelMapTickTest, SkippingAnUnsolvedLevelMarksItsTokenSkipped) {
    test::TempFolder folder;
    playerProfile = PlayerProfile::create(0);
    playerProfile->currentLevel = 6;
    playerProfile->currentGroup = 1;
    buttonBar = std::make_shared<HoverButtonBar>();
    buttonBar->progressIndicator = GroupProgress::create();
    auto board = mapFromText({"S.E"}, 6);
    currentMap = board;
    gameController->finishLevel(0);
    EXPECT_EQ(buttonBar->progressIndicator->states[1], 2);
    EXPECT_EQ(playerProfile->levelStates[6], 2);
    ASSERT_NE(nextMap, nullptr);
    EXPECT_EQ(nextMap->levelNumber, 7);
}

TEST_F(LevelMapTickTest, GlowLightsTheNeighboursOnTheBoardOnly) {
    auto board = mapFromText({"S"});
    currentMap = board;
    step();
    // Lit this tick (25 or 10), then lowered once by the board's own tick.
    EXPECT_EQ(board->glow[1][0], 24);
    EXPECT_EQ(board->glow[0][1], 24);
    EXPECT_EQ(board->glow[1][1], 9);
    EXPECT_EQ(board->glow[2][0], 0);
}

// The restart's sights and sounds: the keys held are dropped, the controller
// flashes the screen, the level log counts nothing (the rules did it all).
TEST_F(LevelMapTickTest, RestartKeyFlushesTheKeysAndTheControllerFlashes) {
    currentMap = mapFromText({"S.........#"});
    press(2);
    for (int i = 0; i < 7; ++i) step();
    ASSERT_GT(currentMap->play.ball.x, 0) << "the ball left the start";
    PlayInput::restart = 1;
    gameController->playStep();
    EXPECT_EQ(currentMap->play.ball.x, 0);
    EXPECT_EQ(PlayInput::restart, 0) << "the restart flushes the input";
    ASSERT_NE(gameController->flash, nullptr);
    EXPECT_EQ(gameController->flash->alpha, 1.0f);
    EXPECT_EQ(gameController->flash->step, 0.06f);
}

TEST_F(LevelMapTickTest, AMoveIsLoggedOnceAsItStarts) {
    currentMap = mapFromText({"S....#"});
    press(2);
    for (int i = 0; i < 20; ++i) step();
    EXPECT_EQ(count("ball rolls 2"), 1);
}

}  // namespace
