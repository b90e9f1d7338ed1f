// Tutorial pages: shown once per page for a profile, deaf while fading in,
// closed by any key or click once fully shown.
#include "menus/tutorialPageType.h"

#include "play/PlayerProfile.h"
#include "audio/AudioManager.h"
#include "menus/MenuTestRig.h"
#include "play/LevelMap.h"
#include "runtime/Files.h"
#include "support/TempFolder.h"

namespace qm {
namespace {

class TutorialPageTest : public test::MenuTestRig {
protected:
    void SetUp() override {
        MenuTestRig::SetUp();
        playerProfile = PlayerProfile::create(0);
    }
    // An empty board file: enough for the loader to start the level.
    void writeLevel(int level) {
        createDir("levels");
        test::writeBinary("levels/" + std::to_string(level) + ".lvl", std::string(1140, '\0'));
    }
    test::TempFolder folder;
};

TEST_F(TutorialPageTest, LoadingALevelShowsItsPageOnlyTheFirstTime) {
    writeLevel(3);  // level 3 names page 1
    gameController->startAtLevel(3);
    auto page = std::dynamic_pointer_cast<tutorialPageType>(gameController->activeMenu);
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->state, menuScreenType::OPENING);
    EXPECT_EQ(gameController->getCurrentScreen(), 1);
    EXPECT_EQ(logged("hint shown"), 1);
    EXPECT_EQ(playerProfile->onceFlags[1], 1);

    gameController->startAtLevel(3);
    EXPECT_EQ(gameController->activeMenu, nullptr);
    EXPECT_EQ(logged("hint shown"), 1);
}

TEST_F(TutorialPageTest, NoPageForLevelsWithoutOneOrInTheEditor) {
    writeLevel(1);
    writeLevel(0);
    gameController->startAtLevel(1);
    EXPECT_EQ(gameController->activeMenu, nullptr);
    editorOn = 1;
    gameController->startAtLevel(0);
    EXPECT_EQ(gameController->activeMenu, nullptr);
    EXPECT_EQ(playerProfile->onceFlags[0], 0) << "the editor does not use up the page";
    editorOn = 0;
    gameController->startAtLevel(0);
    EXPECT_NE(gameController->activeMenu, nullptr);
}

TEST_F(TutorialPageTest, APageIgnoresKeysWhileFadingInThenClosesOnAnyKey) {
    audioManager = AudioManager::create();
    audioManager->pageTurnSound = testSound();
    auto page = tutorialPageType::createPage(2);
    EXPECT_EQ(page->x, 64);
    EXPECT_EQ(page->y, 64);
    EXPECT_EQ(page->state, menuScreenType::CLOSED);
    page->openMenu();
    EXPECT_EQ(audioManager->effectChannels[0]->sound(), nullptr) << "pages open without the page-turn sound";

    inputKeyEvent('A', true);
    inputChar('a');
    step(39, page);
    EXPECT_EQ(page->state, menuScreenType::OPENING);
    inputKeyEvent('A', false);
    step(1, page);
    EXPECT_EQ(page->state, menuScreenType::OPEN);
    step(5, page);
    EXPECT_EQ(page->state, menuScreenType::OPEN) << "the character typed while fading in is gone";
    inputChar('x');
    step(1, page);
    EXPECT_EQ(page->state, menuScreenType::CLOSING);
}

TEST_F(TutorialPageTest, AKeyHeldWhenTheFadeInEndsClosesThePageAtOnce) {
    auto page = tutorialPageType::createPage(0);
    page->openMenu();
    inputKeyEvent(VK_LEFT, true);
    step(40, page);
    EXPECT_EQ(page->state, menuScreenType::CLOSING);
}

TEST_F(TutorialPageTest, AClickClosesAShownPage) {
    auto page = tutorialPageType::createPage(9);
    page->openMenu();
    step(40, page);
    click(700, 500, page);
    EXPECT_EQ(page->state, menuScreenType::CLOSING);
}

TEST_F(TutorialPageTest, PagesCarryTheirTutorialPictureAsTheStrip) {
    // Pictures made here stand in for the media files.
    for (auto& image : tutorialPageType::tutorialImages) image = std::make_shared<TImage>();
    EXPECT_EQ(tutorialPageType::createPage(4)->buttonStrip, tutorialPageType::tutorialImages[4]);
    EXPECT_EQ(tutorialPageType::createPage(10)->buttonStrip, nullptr);
    EXPECT_EQ(tutorialPageType::createPage(-1)->buttonStrip, nullptr);
    for (auto& image : tutorialPageType::tutorialImages) image = nullptr;
}

}  // namespace
}  // namespace qm
