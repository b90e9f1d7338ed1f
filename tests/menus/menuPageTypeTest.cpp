// Pages draw their panel and their pictures from the top-left corner, with
// no highlight.
#include "menus/menuPageType.h"

#include "menus/MenuTestRig.h"
#include "menus/tutorialPageType.h"
#include "support/TempFolder.h"

namespace qm {
namespace {

class PageDrawingTest : public test::MenuTestRig {
protected:
    void SetUp() override {
        MenuTestRig::SetUp();
        ASSERT_TRUE(openGraphics(800, 600, 0, 60, 0));
        writePicture("blank.png", 700, 500, {0xFF0000C0u});
        writePicture("tutorialtext03.png", 640, 448, {0xFFC00000u});
        setAutoMidHandle(1);  // as the game has it
        tutorialPageType::loadTutorialImages();
        blackFrame();
    }
    void TearDown() override {
        for (auto& image : tutorialPageType::tutorialImages) image = nullptr;
        MenuTestRig::TearDown();
    }
    test::TempFolder folder;
};

TEST_F(PageDrawingTest, ATutorialPageShowsItsPictureOnTheBlankPanel) {
    ASSERT_NE(tutorialPageType::tutorialImages[3], nullptr);
    EXPECT_EQ(tutorialPageType::tutorialImages[2], nullptr);
    EXPECT_EQ(autoMidHandle(), 1) << "loading leaves the setting as it was";
    auto page = tutorialPageType::createPage(3);
    page->fade = 40;
    page->drawMenu();
    EXPECT_EQ(pixel(64, 64), 0xC00000u);
    EXPECT_EQ(pixel(64 + 639, 64 + 447), 0xC00000u);
    EXPECT_EQ(pixel(64 + 645, 64 + 10), 0x0000C0u) << "the panel beyond the picture";
    EXPECT_EQ(pixel(63, 63), 0u);
}

TEST_F(PageDrawingTest, APageWithoutItsPictureShowsThePanelOnly) {
    auto page = tutorialPageType::createPage(2);
    page->fade = 40;
    page->drawMenu();
    EXPECT_EQ(pixel(64, 64), 0x0000C0u);
}

}  // namespace
}  // namespace qm
