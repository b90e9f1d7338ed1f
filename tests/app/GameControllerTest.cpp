// The session controller's loops: skip during the board slide, closing a
// minimised window, and what a suspension stops, starts and holds back.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "play/AssetCatalogue.h"
#include "app/GameController.h"
#include "app/SplashScreen.h"
#include "audio/AudioManager.h"
#include "play/ScreenFlash.h"
#include "runtime/Clock.h"
#include "runtime/Input.h"
#include "runtime/Script.h"
#include "support/GameRun.h"
#include "support/PlayRig.h"

using namespace qm;

namespace {

// S pressed while the solved board slides away is ignored: the solved level
// stays solved, the next one loads once and plays as usual.
TEST(GameControllerScenarioTest, SkipWaitsForTheSlide) {
    test::TempFolder folder;
    test::prepareGameFolder();
    test::writeBinary("levels/0.lvl", test::levelFile(test::kOpenLevel));
    test::writeBinary("levels/1.lvl", test::levelFile(test::kOpenLevel, 10, 0));  // a slide of 40 steps
    test::writeBinary("save0.dat", test::profileBytes(0));
    test::GameRun run = test::runGame(
        "60 key 13 down\n61 key 13 up\n"
        "80 key 39 down\n81 key 39 up\n140 key 40 down\n141 key 40 up\n200 key 39 down\n201 key 39 up\n"
        "225 key 83 down\n226 key 83 up\n"  // skip, mid-slide
        "300 key 39 down\n301 key 39 up\n360 key 40 down\n361 key 40 up\n420 key 39 down\n421 key 39 up\n"
        "520 close\n",
        1000);
    ASSERT_EQ(run.status, 0);
    std::string profile = test::readBinary("save0.dat");
    ASSERT_EQ(profile.size(), 175u);
    EXPECT_EQ(profile[0], 1) << "the solved level was recorded as skipped";
    EXPECT_EQ(profile[1], 1) << "level 1 was not played through";
    EXPECT_EQ(profile[2], 3);
    EXPECT_EQ(test::countLines(run.log, "Loading map 1.lvl"), 1);
    EXPECT_TRUE(test::hasLine(run.log, "Loading map 2.lvl"));
}

// A close request reaches a minimised window in either loop, and a headless
// frame cap ends a run that stays minimised.
TEST(GameControllerScenarioTest, MinimisedWindowStillClosesAndStaysBounded) {
    test::TempFolder folder;
    test::prepareGameFolder();
    test::writeBinary("levels/0.lvl", test::levelFile(test::kOpenLevel));
    test::writeBinary("save0.dat", test::profileBytes(0));
    test::GameRun inPlay = test::runGame(
        "60 key 13 down\n61 key 13 up\n80 key 39 down\n81 key 39 up\n"
        "100 focus lost\n130 close\n",
        100000);
    ASSERT_EQ(inPlay.status, 0) << "the run did not end";
    EXPECT_TRUE(test::hasLine(inPlay.log, "normal: Saving options"));
    EXPECT_TRUE(test::hasLine(inPlay.log, "Minimize button clicked. App suspended."));
    // Levels end with type 0 when the window closes in play.
    EXPECT_EQ(test::countLines(inPlay.log, "game log: uploading 1 level logs"), 1);

    test::GameRun inMenu = test::runGame("30 focus lost\n", 200);
    ASSERT_EQ(inMenu.status, 0) << "the frame cap did not end a minimised run";
    EXPECT_TRUE(test::hasLine(inMenu.log, "-- End of program --"));
    EXPECT_TRUE(test::hasLine(inMenu.log, "Minimize button clicked. App suspended."));
}

class SuspensionTest : public test::PlayRig {
protected:
    void SetUp() override {
        PlayRig::SetUp();
        folder.linkGameData();
        audioManager = AudioManager::create();
        audioManager->setMusicVolume(1.0f, 0);
        audioManager->setSoundVolume(1.0f);
    }
    test::TempFolder folder;
};

// Minimised in play, the music and the ball's loop stop; back, both start.
// In a menu only the music follows the window.
TEST_F(SuspensionTest, SoundsFollowTheWindow) {
    audioManager->startMusic();
    audioManager->startBallLoop();
    inputFocus(false);
    AssetCatalogue::checkSuspended(1);
    EXPECT_EQ(AssetCatalogue::suspended, 1);
    EXPECT_EQ(audioManager->musicChannel, nullptr);
    EXPECT_EQ(audioManager->ballChannel, nullptr);
    inputFocus(true);
    AssetCatalogue::checkSuspended(1);
    EXPECT_EQ(AssetCatalogue::suspended, 0);
    EXPECT_NE(audioManager->musicChannel, nullptr);
    EXPECT_NE(audioManager->ballChannel, nullptr);

    audioManager->stopBallLoop();
    inputFocus(false);
    AssetCatalogue::checkSuspended(0);
    inputFocus(true);
    AssetCatalogue::checkSuspended(0);
    EXPECT_NE(audioManager->musicChannel, nullptr);
    EXPECT_EQ(audioManager->ballChannel, nullptr);
}

// The flash falls by a tiny step each logic step, so it counts them: none
// run while minimised, and coming back catches up 333 ms, not the 8 s away.
TEST_F(SuspensionTest, NoStepsWhileMinimisedAndAClampedCatchUp) {
    gameController = GameController::create();
    session = gameController;
    gameController->resumePlay();
    gameController->flash = ScreenFlash::create(0.0001f, 1.0f);
    std::vector<ScriptEvent> events;
    std::string error;
    ASSERT_TRUE(parseScript("30 focus lost\n230 focus gained\n240 close\n", events, error)) << error;
    loadInputScript(events);
    gameController->playLoop();
    EXPECT_EQ(gameController->getMode(), Session::Mode::Quit);
    int steps = int(std::lround((1.0f - gameController->flash->alpha) / 0.0001f));
    // About 30 steps before, at most 20 for the 8 s away, about 10 after.
    EXPECT_GE(steps, 55);
    EXPECT_LE(steps, 62);
}

// The logo waits its full time unless a key or the mouse button ends it.
TEST_F(SuspensionTest, SplashEndsEarlyOnAKeyOrAClick) {
    auto wait = [](auto press) {
        auto splash = SplashScreen::create("media\\logo.png", 2000);
        splash->show();
        int32_t shown = millisecs();
        press();
        splash->waitDone();
        resetInputState();
        return millisecs() - shown;
    };
    EXPECT_GE(wait([] {}), 2000);
    EXPECT_LT(wait([] { inputKeyEvent(VK_SPACE, true); }), 50);
    EXPECT_LT(wait([] { inputMouseButton(1, true); }), 50);
}

}  // namespace
