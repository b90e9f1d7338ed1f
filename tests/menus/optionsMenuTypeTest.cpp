// The options screen and the reset-profile box: the sliders under the mouse
// and the keyboard, the full-screen box, the volume changes sent to the play
// log when the screen closes, and the profile reset.
#include "menus/optionsMenuType.h"

#include "play/AssetCatalogue.h"
#include "play/PlayerProfile.h"
#include "audio/AudioManager.h"
#include "menus/MenuTestRig.h"
#include "menus/mainMenuType.h"
#include "menus/menuSliderType.h"
#include "menus/menuYesNoType.h"
#include "menus/resetProfileMenuType.h"
#include "playlog/GameLog.h"
#include "playlog/OptionLogRecord.h"
#include "support/TempFolder.h"

namespace qm {
namespace {

struct Change {
    int option, oldValue, newValue;
    bool operator==(const Change&) const = default;
};

class OptionsMenuTest : public test::MenuTestRig {
protected:
    void SetUp() override {
        MenuTestRig::SetUp();
        AssetCatalogue::resetAll();  // windowed
        audioManager = AudioManager::create();
        audioManager->chimesSound = testSound();
        audioManager->setSoundVolume(1.0f);
        audioManager->setMusicVolume(1.0f, 0);
        playLog = GameLog::create();
        playerProfile = PlayerProfile::create(0);
        mainMenu = mainMenuType::create();
        optionsMenu = optionsMenuType::create();
        resetProfileMenu = resetProfileMenuType::create();
        options = optionsMenu;
        options->openMenu();
        stepAll(40);
        delayMs(700);
    }
    void TearDown() override {
        MenuTestRig::TearDown();
        AssetCatalogue::resetAll();
    }
    void stepAll(int n) { step(n, mainMenu, optionsMenu, resetProfileMenu); }
    void pressKey(int key) { press(key, mainMenu, optionsMenu, resetProfileMenu); }
    std::vector<Change> changes() const {
        std::vector<Change> out;
        for (auto r = playLog->options; r; r = r->next) out.push_back({r->option, r->oldValue, r->newValue});
        return out;
    }
    menuSliderType& slider(int slot) { return static_cast<menuSliderType&>(*options->buttons[slot]); }
    // Screen x of a slider's bar at a percentage of its length; its y.
    int barX(int percent) const { return 430 + 100 + 30 + percent; }
    int barY(int slot) const { return 145 + 90 + slot * 60 - 10; }

    test::TempFolder folder;  // the log's and the profile's files land here
    std::shared_ptr<optionsMenuType> options;
};

TEST_F(OptionsMenuTest, SlidersAndTheBoxStartFromTheLiveSettings) {
    EXPECT_EQ(slider(optionsMenuType::SLOT_EFFECTS).value, 50);
    EXPECT_EQ(slider(optionsMenuType::SLOT_MUSIC).value, 50);
    EXPECT_EQ(static_cast<menuYesNoType&>(*options->buttons[0]).frame, 0);
    EXPECT_EQ(options->buttonAt(barX(75), barY(2)), optionsMenuType::SLOT_MUSIC);
    EXPECT_EQ(options->buttonAt(430 + 100, 145 + 90 + 3 * 60), optionsMenuType::SLOT_RESET);
}

TEST_F(OptionsMenuTest, MusicSliderFrom50To75PercentLogsOption2From100To150OnClose) {
    inputMouseMove(barX(75), barY(2));
    inputMouseButton(1, true);
    stepAll(1);
    inputMouseButton(1, false);
    EXPECT_EQ(slider(optionsMenuType::SLOT_MUSIC).value, 75);
    EXPECT_FLOAT_EQ(audioManager->musicVolume, 1.5f);
    EXPECT_EQ(lastActivationTime, 0) << "a slider lifts the activation guard";
    EXPECT_TRUE(changes().empty()) << "nothing is logged before the screen closes";

    inputMouseMove(430 + 100, 145 + 90 + 4 * 60);  // Back
    delayMs(20);
    click(430 + 100, 145 + 90 + 4 * 60, mainMenu, optionsMenu, resetProfileMenu);
    EXPECT_EQ(options->state, menuScreenType::CLOSING);
    EXPECT_EQ(changes(), (std::vector<Change>{{2, 100, 150}}));
    // Closing again logs nothing more.
    options->hideMenu();
    EXPECT_EQ(changes().size(), 1u);
}

TEST_F(OptionsMenuTest, OpeningAndClosingWithoutTouchingTheSlidersLogsNothing) {
    options->closeMenu();
    options->openMenu();
    options->hideMenu();
    EXPECT_TRUE(changes().empty());
}

TEST_F(OptionsMenuTest, AHeldButtonDragsTheSliderOnEveryUpdate) {
    inputMouseMove(barX(20), barY(1));
    inputMouseButton(1, true);
    for (int percent : {20, 30, 45, 60}) {
        inputMouseMove(barX(percent), barY(1));
        stepAll(1);
        EXPECT_EQ(slider(optionsMenuType::SLOT_EFFECTS).value, percent);
        EXPECT_FLOAT_EQ(audioManager->soundVolume, percent / 50.0f);
    }
    // Dragged past the left end, the slider stays held at its last value.
    inputMouseMove(barX(-20), barY(1));
    stepAll(1);
    EXPECT_EQ(slider(optionsMenuType::SLOT_EFFECTS).value, 60);
    inputMouseButton(1, false);
    options->closeMenu();
    EXPECT_EQ(changes(), (std::vector<Change>{{1, 100, 120}}));
}

TEST_F(OptionsMenuTest, EnterOnASliderStepsItsVolumeCycle) {
    options->selectButton(optionsMenuType::SLOT_MUSIC);
    pressKey(VK_ENTER);
    EXPECT_FLOAT_EQ(audioManager->musicVolume, 1.5f);
    EXPECT_EQ(slider(optionsMenuType::SLOT_MUSIC).value, 75);
    EXPECT_EQ(audioManager->lastChimesTime, 0) << "music plays no sample";

    delayMs(700);
    options->selectButton(optionsMenuType::SLOT_EFFECTS);
    pressKey(VK_ENTER);
    EXPECT_FLOAT_EQ(audioManager->soundVolume, 1.5f);
    EXPECT_EQ(slider(optionsMenuType::SLOT_EFFECTS).value, 75);
    EXPECT_EQ(audioManager->lastChimesTime, millisecs() - 17) << "the chimes sample the new loudness";
    EXPECT_NE(lastActivationTime, 0) << "the keyboard keeps the guard";
}

TEST_F(OptionsMenuTest, LeavingFullScreenLogsOption0From1To0) {
    AssetCatalogue::fullscreen = 1;
    options->selectButton(optionsMenuType::SLOT_FULLSCREEN);
    pressKey(VK_ENTER);
    EXPECT_EQ(AssetCatalogue::fullscreen, 0);
    EXPECT_EQ(static_cast<menuYesNoType&>(*options->buttons[0]).frame, 0);
    delayMs(700);
    pressKey(VK_SPACE);
    EXPECT_EQ(static_cast<menuYesNoType&>(*options->buttons[0]).frame, 1);
    EXPECT_EQ(changes(), (std::vector<Change>{{0, 1, 0}, {0, 0, 1}}));
}

TEST_F(OptionsMenuTest, ChangesAreStampedWithSecondsSinceProgramStart) {
    programStartSeconds = millisecs() / 1000 - 70000;
    options->selectButton(optionsMenuType::SLOT_MUSIC);
    pressKey(VK_ENTER);
    options->closeMenu();
    ASSERT_TRUE(playLog->options);
    EXPECT_EQ(playLog->options->time, 70000 - 65536);
}

class ResetProfileTest : public OptionsMenuTest {
protected:
    void SetUp() override {
        OptionsMenuTest::SetUp();
        for (int level = 0; level < 7; level++) playerProfile->setLevelResult(level, 1);
        ASSERT_EQ(playerProfile->currentLevel, 7);
        options->selectButton(optionsMenuType::SLOT_RESET);
        pressKey(VK_ENTER);
        stepAll(40);
        delayMs(700);
    }
};

TEST_F(ResetProfileTest, TheBoxTakesTheKeyboardAndBlocksTheScreensUnderIt) {
    EXPECT_EQ(resetProfileMenu->state, menuScreenType::OPEN);
    EXPECT_EQ(gameController->getCurrentScreen(), 5);
    EXPECT_EQ(options->blocked, 1);
    EXPECT_EQ(mainMenu->blocked, 1);
    // A click on Play under the box does nothing.
    click(226, 242, mainMenu, optionsMenu, resetProfileMenu);
    EXPECT_EQ(gameController->getMode(), Session::Mode::Menus);
}

TEST_F(ResetProfileTest, NoChangesNothingAndGivesTheKeyboardBackToOptions) {
    pressKey(VK_DOWN);
    pressKey(VK_ENTER);
    EXPECT_EQ(resetProfileMenu->state, menuScreenType::CLOSING);
    EXPECT_EQ(gameController->getCurrentScreen(), 2);
    EXPECT_EQ(options->blocked, 0);
    EXPECT_EQ(mainMenu->blocked, 0);
    EXPECT_EQ(playerProfile->currentLevel, 7);
    EXPECT_TRUE(changes().empty());
}

TEST_F(ResetProfileTest, YesResetsTheProfileStartsLevel0AndLogsIt) {
    folder.linkGameData();
    pressKey(VK_ENTER);
    EXPECT_EQ(playerProfile->levelStates[3], 0);
    EXPECT_EQ(playerProfile->currentLevel, 0);
    EXPECT_EQ(test::readBinary("save0.dat").substr(0, 2), std::string("\3\0", 2));
    EXPECT_EQ(logged("start at level 0"), 1);
    EXPECT_EQ(changes(), (std::vector<Change>{{3, 0, 1}}));
    EXPECT_EQ(gameController->getCurrentScreen(), 2);
    EXPECT_EQ(options->blocked, 0);
    EXPECT_EQ(mainMenu->blocked, 0);
}

TEST_F(ResetProfileTest, VolumeChangesBeforeTheBoxAreStillLoggedWhenOptionsClose) {
    // Answer No, move the music slider, ask again and answer No again: the
    // change made between the two boxes must reach the log at the close.
    resetProfileMenu->selectButton(resetProfileMenuType::SLOT_NO);
    pressKey(VK_ENTER);
    stepAll(40);
    delayMs(700);
    options->selectButton(optionsMenuType::SLOT_MUSIC);
    pressKey(VK_ENTER);
    delayMs(700);
    options->selectButton(optionsMenuType::SLOT_RESET);
    pressKey(VK_ENTER);
    stepAll(40);
    delayMs(700);
    resetProfileMenu->selectButton(resetProfileMenuType::SLOT_NO);
    pressKey(VK_ENTER);
    options->closeMenu();
    EXPECT_EQ(changes(), (std::vector<Change>{{2, 100, 150}}));
}

}  // namespace
}  // namespace qm
