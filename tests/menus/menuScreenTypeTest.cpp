// The menu framework driven through the runtime's input feed and virtual
// clock: selection, keyboard ownership, the activation guard, auto-repeat,
// the pointer, and fades.
#include "menus/menuScreenType.h"

#include "audio/AudioManager.h"
#include "menus/MenuTestRig.h"
#include "support/TempFolder.h"

namespace qm {
namespace {

// A five-button menu at (100, 100) that counts its activations. Button i
// covers x 100..199 and y 105 + 40i .. 134 + 40i on screen.
class CountingMenu : public menuScreenType {
public:
    int activations = 0;
    int lastByMouse = -1;
    void activate(int byMouse) override {
        activations++;
        lastByMouse = byMouse;
    }
    static std::shared_ptr<CountingMenu> create(int screenNumber, const std::string& panel = "nopanel.png",
                                                const std::string& strip = "nostrip.png",
                                                const std::string& fore = "") {
        auto menu = std::make_shared<CountingMenu>();
        menu->setupMenu(100, 100, 5, -1, -1, 50, 20, 100, 30, 10, panel, strip, screenNumber, fore, 200, 10);
        menu->state = OPEN;
        menu->fade = kFadeSteps;
        return menu;
    }
};

class MenuScreenTest : public test::MenuTestRig {
protected:
    void SetUp() override {
        MenuTestRig::SetUp();
        menu = CountingMenu::create(3);
        gameController->setCurrentScreen(3);
    }
    std::shared_ptr<CountingMenu> menu;
};

TEST_F(MenuScreenTest, SetupLaysTheButtonsOutInAColumnAndSelectsTheFirst) {
    ASSERT_EQ(menu->buttons.size(), 5u);
    EXPECT_EQ(menu->buttons[3]->x, 50);
    EXPECT_EQ(menu->buttons[3]->y, 20 + 3 * 40);
    EXPECT_EQ(menu->selected, 0);
    EXPECT_EQ(menu->noHighlight, 0);
    // Missing pictures stay null rather than failing the menu.
    EXPECT_EQ(menu->panel, nullptr);
    EXPECT_EQ(menu->buttonStrip, nullptr);
}

TEST_F(MenuScreenTest, UpAndDownWrapAroundTheColumn) {
    press(VK_UP, menu);
    EXPECT_EQ(menu->selected, 4);
    press(VK_DOWN, menu);
    EXPECT_EQ(menu->selected, 0);
    menu->selectButton(5);
    EXPECT_EQ(menu->selected, 0);
    menu->selectButton(-1);
    EXPECT_EQ(menu->selected, 4);
}

TEST_F(MenuScreenTest, KeysReachOnlyTheMenuHoldingTheScreenNumber) {
    auto other = CountingMenu::create(4);
    press(VK_DOWN, menu, other);
    EXPECT_EQ(menu->selected, 1);
    EXPECT_EQ(other->selected, 0);

    // Opening a menu hands it the keyboard.
    other->state = menuScreenType::CLOSED;
    other->openMenu();
    EXPECT_EQ(gameController->getCurrentScreen(), 4);
    press(VK_DOWN, menu, other);
    EXPECT_EQ(menu->selected, 1);
    EXPECT_EQ(other->selected, 1);

    // Closing gives the keyboard to screen 0.
    other->closeMenu();
    EXPECT_EQ(gameController->getCurrentScreen(), 0);
}

TEST_F(MenuScreenTest, LeftAndRightJumpOnlyWhenTheyHaveATarget) {
    press(VK_LEFT, menu);
    press(VK_RIGHT, menu);
    EXPECT_EQ(menu->selected, 0);
    menu->leftTarget = 3;
    menu->rightTarget = 5;  // one past the end: the first button
    press(VK_LEFT, menu);
    EXPECT_EQ(menu->selected, 3);
    EXPECT_EQ(logged("Left to 3"), 1);
    press(VK_RIGHT, menu);
    EXPECT_EQ(menu->selected, 0);
    EXPECT_EQ(logged("Right to 5"), 1);
}

TEST_F(MenuScreenTest, HeldDownMovesAtOnceThenAfterEvery250Ms) {
    inputKeyEvent(VK_DOWN, true);
    menu->updateMenu(0);
    EXPECT_EQ(menu->selected, 1);
    delayMs(250);
    menu->updateMenu(0);
    EXPECT_EQ(menu->selected, 1) << "exactly 250 ms is not yet a repeat";
    delayMs(1);
    menu->updateMenu(0);
    EXPECT_EQ(menu->selected, 2);
    menu->updateMenu(0);
    EXPECT_EQ(menu->selected, 2);
    delayMs(251);
    menu->updateMenu(0);
    EXPECT_EQ(menu->selected, 3);
    inputKeyEvent(VK_DOWN, false);
    delayMs(300);
    menu->updateMenu(0);
    EXPECT_EQ(menu->selected, 3);
}

TEST_F(MenuScreenTest, EnterTwiceWithin600MsActivatesOnce) {
    press(VK_ENTER, menu);
    EXPECT_EQ(menu->activations, 1);
    EXPECT_EQ(menu->lastByMouse, 0);
    delayMs(300);
    press(VK_SPACE, menu);
    EXPECT_EQ(menu->activations, 1);
    delayMs(300);
    press(VK_ENTER, menu);
    EXPECT_EQ(menu->activations, 2);
}

TEST_F(MenuScreenTest, TheGuardIsSharedByEveryMenu) {
    auto other = CountingMenu::create(4);
    press(VK_ENTER, menu);
    gameController->setCurrentScreen(4);
    delayMs(100);
    press(VK_ENTER, other);
    EXPECT_EQ(menu->activations, 1);
    EXPECT_EQ(other->activations, 0);
}

TEST_F(MenuScreenTest, HeldMouseButtonActivatesAgainEachTimeMoreThan600MsPassed) {
    // The mouse works whatever screen holds the keyboard.
    gameController->setCurrentScreen(0);
    inputMouseMove(150, 150);  // button 1
    inputMouseButton(1, true);
    int64_t start = millisecs();
    std::vector<int64_t> times;
    for (int i = 0; i < 90; i++) {  // about 1.5 s
        int before = menu->activations;
        menu->updateMenu(0);
        if (menu->activations != before) times.push_back(millisecs() - start);
        delayMs(17);
    }
    ASSERT_EQ(times.size(), 3u);
    EXPECT_EQ(menu->selected, 1);
    EXPECT_EQ(menu->lastByMouse, 1);
    EXPECT_GT(times[1] - times[0], 600);
    EXPECT_LE(times[1] - times[0], 600 + 17);
    EXPECT_GT(times[2] - times[1], 600);
}

TEST_F(MenuScreenTest, PointerOffTheButtonsRemovesTheHighlightUntilAKeySelects) {
    inputMouseMove(150, 190);  // button 2
    step(1, menu);
    EXPECT_EQ(menu->selected, 2);
    inputMouseMove(500, 500);
    step(1, menu);
    EXPECT_EQ(menu->noHighlight, 1);
    EXPECT_EQ(menu->selected, 2);
    press(VK_ENTER, menu);
    click(500, 500, menu);
    EXPECT_EQ(menu->activations, 0);
    press(VK_DOWN, menu);
    EXPECT_EQ(menu->noHighlight, 0);
    EXPECT_EQ(menu->selected, 3);
    press(VK_ENTER, menu);
    EXPECT_EQ(menu->activations, 1);
}

TEST_F(MenuScreenTest, ATremblingPointerLeavesTheKeyboardSelectionAlone) {
    inputMouseMove(150, 110);  // button 0
    step(1, menu);
    press(VK_DOWN, menu);
    press(VK_DOWN, menu);
    EXPECT_EQ(menu->selected, 2);
    inputMouseMove(151, 111);
    step(1, menu);
    EXPECT_EQ(menu->selected, 2);
    inputMouseMove(153, 111);
    step(1, menu);
    EXPECT_EQ(menu->selected, 0);
}

TEST_F(MenuScreenTest, ButtonAtIncludesTheTopLeftEdgeButNotTheBottomRight) {
    EXPECT_EQ(menu->buttonAt(100, 105), 0);
    EXPECT_EQ(menu->buttonAt(199, 134), 0);
    EXPECT_EQ(menu->buttonAt(200, 120), -2);
    EXPECT_EQ(menu->buttonAt(150, 135), -2);  // the gap between buttons
    EXPECT_EQ(menu->buttonAt(150, 145), 1);
    EXPECT_EQ(menu->buttonAt(99, 120), -2);
    menu->buttons[0] = nullptr;  // missing entries are skipped
    EXPECT_EQ(menu->buttonAt(150, 120), -2);
    EXPECT_EQ(menu->buttonAt(150, 265), 4);
}

TEST_F(MenuScreenTest, FadesTake40UpdatesEachWay) {
    menu->hideMenu();
    EXPECT_EQ(menu->fade, 0);
    menu->openMenu();
    EXPECT_EQ(menu->state, menuScreenType::OPENING);
    step(39, menu);
    EXPECT_EQ(menu->state, menuScreenType::OPENING);
    step(1, menu);
    EXPECT_EQ(menu->state, menuScreenType::OPEN);
    EXPECT_EQ(menu->fade, 40);
    menu->closeMenu();
    step(39, menu);
    EXPECT_EQ(menu->state, menuScreenType::CLOSING);
    EXPECT_EQ(menu->fade, 1);
    step(1, menu);
    EXPECT_EQ(menu->state, menuScreenType::CLOSED);
    EXPECT_EQ(menu->fade, 0);
}

TEST_F(MenuScreenTest, ClosedBlockedOrSuppressedMenusTakeNoInput) {
    menu->blocked = 1;
    press(VK_ENTER, menu);
    press(VK_DOWN, menu);
    EXPECT_EQ(menu->activations, 0);
    EXPECT_EQ(menu->selected, 0);
    menu->blocked = 0;
    inputKeyEvent(VK_ENTER, true);
    menu->updateMenu(1);
    inputKeyEvent(VK_ENTER, false);
    EXPECT_EQ(menu->activations, 0);
    menu->hideMenu();
    gameController->setCurrentScreen(3);
    press(VK_ENTER, menu);
    EXPECT_EQ(menu->activations, 0);
}

TEST_F(MenuScreenTest, OpeningRefusesActivationsForTheNext600Ms) {
    menu->hideMenu();
    menu->openMenu();
    delayMs(400);
    press(VK_ENTER, menu);
    EXPECT_EQ(menu->activations, 0);
    delayMs(250);
    press(VK_ENTER, menu);
    EXPECT_EQ(menu->activations, 1);
}

TEST_F(MenuScreenTest, ReopeningAClosingMenuFadesInFromWhereItWasAndTurnsThePageAgain) {
    audioManager = AudioManager::create();
    audioManager->pageTurnSound = testSound();
    menu->hideMenu();
    menu->openMenu();
    EXPECT_EQ(audioManager->effectChannels[0]->sound(), audioManager->pageTurnSound);
    step(40, menu);
    menu->closeMenu();
    step(15, menu);
    ASSERT_EQ(menu->fade, 25);
    menu->openMenu();
    EXPECT_EQ(menu->state, menuScreenType::OPENING);
    EXPECT_EQ(menu->fade, 25);
    EXPECT_EQ(audioManager->effectChannels[1]->sound(), audioManager->pageTurnSound);
    step(15, menu);
    EXPECT_EQ(menu->state, menuScreenType::OPEN);

    // Opening an open menu only takes the keyboard: no sound, no restart.
    audioManager->effectChannels[0]->stop();
    menu->openMenu();
    EXPECT_EQ(menu->state, menuScreenType::OPEN);
    EXPECT_EQ(audioManager->effectChannels[0]->sound(), nullptr);
}

// Drawing, checked in the headless frame with pictures written to disk.
class MenuDrawingTest : public test::MenuTestRig {
protected:
    static uint32_t frameColour(int frame) { return 0xFF000000u | uint32_t(20 + 20 * frame) << 16 | 0x40u; }
    void SetUp() override {
        MenuTestRig::SetUp();
        ASSERT_TRUE(openGraphics(800, 600, 0, 60, 0));
        std::vector<uint32_t> frames;
        for (int f = 0; f < 10; f++) frames.push_back(frameColour(f));
        writePicture("strip.png", 100, 30, frames);
        writePicture("panel.png", 300, 300, {0xFF203040u});
        writePicture("fore.png", 10, 10, {0xFF00FF00u});
        menu = CountingMenu::create(3, "panel.png", "strip.png", "fore.png");
        blackFrame();
    }
    test::TempFolder folder;
    std::shared_ptr<CountingMenu> menu;
};

TEST_F(MenuDrawingTest, TheSelectedButtonShowsItsHighlightFrame) {
    ASSERT_NE(menu->buttonStrip, nullptr);
    ASSERT_EQ(menu->buttonStrip->frameCount(), 10);
    menu->selectButton(2);
    menu->drawMenu();
    EXPECT_EQ(pixel(150, 120), frameColour(0) & 0xFFFFFFu);
    EXPECT_EQ(pixel(150, 200), frameColour(5) & 0xFFFFFFu) << "button 2, highlighted";
    EXPECT_EQ(pixel(150, 280), frameColour(8) & 0xFFFFFFu);
    // Frames are centred on the buttons; the panel shows between them.
    EXPECT_EQ(pixel(150, 138), 0x203040u);
    EXPECT_EQ(pixel(100, 100), 0x203040u) << "the panel hangs from its top-left corner";
    EXPECT_EQ(pixel(99, 99), 0u);
    EXPECT_EQ(pixel(300, 110), 0x00FF00u) << "the fore picture at its offset";
    EXPECT_EQ(pixel(310, 120), 0x203040u);
    EXPECT_EQ(getAlpha(), 1.0f);
}

TEST_F(MenuDrawingTest, NoHighlightShowsEveryButtonPlain) {
    menu->selectButton(2);
    menu->selectButton(-2);
    menu->drawMenu();
    EXPECT_EQ(pixel(150, 200), frameColour(4) & 0xFFFFFFu);
}

TEST_F(MenuDrawingTest, TheFadeSetsTheOpacity) {
    menu->fade = 20;
    menu->drawMenu();
    uint32_t c = pixel(100, 100);  // half of (0x20, 0x30, 0x40) over black
    EXPECT_NEAR(int(c >> 16 & 255), 0x10, 1);
    EXPECT_NEAR(int(c >> 8 & 255), 0x18, 1);
    EXPECT_NEAR(int(c & 255), 0x20, 1);
    blackFrame();
    menu->fade = 0;
    menu->drawMenu();
    EXPECT_EQ(pixel(150, 120), 0u) << "a closed menu draws at alpha 0";
}

TEST_F(MenuDrawingTest, MissingPicturesAreLeftOut) {
    auto bare = CountingMenu::create(4);
    bare->drawMenu();
    EXPECT_EQ(pixel(150, 120), 0u);
    EXPECT_EQ(pixel(100, 100), 0u);
}

}  // namespace
}  // namespace qm
