// The main menu: its column with the unused slot, the Left and Right jumps,
// and what Play, Instructions, Options and Quit do to the other screens.
#include "menus/mainMenuType.h"

#include "menus/MenuTestRig.h"
#include "menus/instructionsMenuType.h"
#include "menus/optionsMenuType.h"
#include "menus/resetProfileMenuType.h"

namespace qm {
namespace {

class MainMenuTest : public test::MenuTestRig {
protected:
    void SetUp() override {
        MenuTestRig::SetUp();
        mainMenu = mainMenuType::create();
        instructionsMenu = instructionsMenuType::create();
        optionsMenu = optionsMenuType::create();
        resetProfileMenu = resetProfileMenuType::create();
        gameController->setCurrentScreen(0);
    }
    void stepAll(int n) { step(n, mainMenu, optionsMenu, instructionsMenu, resetProfileMenu); }
    void pressKey(int key) { press(key, mainMenu, optionsMenu, instructionsMenu, resetProfileMenu); }
};

TEST_F(MainMenuTest, StartsOpenAtFullOpacityWithQuitBelowTheColumn) {
    EXPECT_EQ(mainMenu->state, menuScreenType::OPEN);
    EXPECT_EQ(mainMenu->fade, 40);
    EXPECT_EQ(mainMenu->buttonAt(226, 242), mainMenuType::SLOT_PLAY);
    EXPECT_EQ(mainMenu->buttonAt(226, 292), mainMenuType::SLOT_INSTRUCTIONS);
    EXPECT_EQ(mainMenu->buttonAt(226, 342), mainMenuType::SLOT_OPTIONS);
    EXPECT_EQ(mainMenu->buttonAt(226, 392), -2) << "slot 3 is off the screen";
    EXPECT_EQ(mainMenu->buttonAt(146, 559), mainMenuType::SLOT_QUIT);
    // The submenus start closed and invisible, side by side at (430, 145).
    for (MenuPtr m : {MenuPtr(instructionsMenu), MenuPtr(optionsMenu), MenuPtr(resetProfileMenu)}) {
        EXPECT_EQ(m->state, menuScreenType::CLOSED);
        EXPECT_EQ(m->fade, 0);
    }
    EXPECT_EQ(instructionsMenu->x, 430);
    EXPECT_EQ(optionsMenu->x, 430);
    EXPECT_EQ(instructionsMenu->y, 145);
    EXPECT_EQ(optionsMenu->y, 145);
}

TEST_F(MainMenuTest, UpAndDownStepOverTheUnusedSlotAndWrapAround) {
    EXPECT_EQ(mainMenu->selected, mainMenuType::SLOT_PLAY);
    pressKey(VK_UP);
    EXPECT_EQ(mainMenu->selected, mainMenuType::SLOT_QUIT) << "Up on Play";
    pressKey(VK_UP);
    EXPECT_EQ(mainMenu->selected, mainMenuType::SLOT_OPTIONS) << "Up on Quit";
    pressKey(VK_DOWN);
    EXPECT_EQ(mainMenu->selected, mainMenuType::SLOT_QUIT) << "Down on Options";
    pressKey(VK_DOWN);
    EXPECT_EQ(mainMenu->selected, mainMenuType::SLOT_PLAY) << "Down on Quit";
    pressKey(VK_DOWN);
    EXPECT_EQ(mainMenu->selected, mainMenuType::SLOT_INSTRUCTIONS);
}

TEST_F(MainMenuTest, LeftSelectsQuitAndRightJumpsToPlay) {
    mainMenu->selectButton(mainMenuType::SLOT_OPTIONS);
    pressKey(VK_LEFT);
    EXPECT_EQ(mainMenu->selected, mainMenuType::SLOT_QUIT);
    pressKey(VK_RIGHT);
    EXPECT_EQ(mainMenu->selected, mainMenuType::SLOT_PLAY);
}

TEST_F(MainMenuTest, OptionsAndInstructionsTakeTurnsBesideTheMenu) {
    mainMenu->selectButton(mainMenuType::SLOT_OPTIONS);
    pressKey(VK_ENTER);
    EXPECT_EQ(optionsMenu->state, menuScreenType::OPENING);
    EXPECT_EQ(gameController->getCurrentScreen(), 2);
    stepAll(40);
    EXPECT_EQ(optionsMenu->state, menuScreenType::OPEN);
    EXPECT_EQ(mainMenu->state, menuScreenType::OPEN) << "the main menu stays beside it";

    // A click on Instructions reaches the main menu although Options holds the keyboard.
    click(226, 292, mainMenu, optionsMenu, instructionsMenu, resetProfileMenu);
    EXPECT_EQ(optionsMenu->state, menuScreenType::CLOSING);
    EXPECT_EQ(instructionsMenu->state, menuScreenType::OPENING);
    EXPECT_EQ(gameController->getCurrentScreen(), 1);
    stepAll(40);
    EXPECT_EQ(optionsMenu->state, menuScreenType::CLOSED);
    EXPECT_EQ(instructionsMenu->state, menuScreenType::OPEN);

    // Enter on the picture closes the instructions and the keyboard returns
    // to the main menu.
    inputMouseMove(600, 400);
    stepAll(1);
    delayMs(700);
    pressKey(VK_ENTER);
    EXPECT_EQ(instructionsMenu->state, menuScreenType::CLOSING);
    EXPECT_EQ(gameController->getCurrentScreen(), 0);
    EXPECT_EQ(gameController->getMode(), Session::Mode::Menus);
}

TEST_F(MainMenuTest, PlayHidesTheSubmenusAtOnceAndStartsPlay) {
    optionsMenu->openMenu();
    stepAll(10);
    gameController->setCurrentScreen(0);
    delayMs(700);
    mainMenu->selectButton(mainMenuType::SLOT_PLAY);
    pressKey(VK_ENTER);
    EXPECT_EQ(optionsMenu->state, menuScreenType::CLOSED);
    EXPECT_EQ(optionsMenu->fade, 0);
    EXPECT_EQ(gameController->getMode(), Session::Mode::Play);
    EXPECT_EQ(mainMenu->state, menuScreenType::OPEN) << "ready for the next visit";
}

TEST_F(MainMenuTest, QuitFadesTheSubmenusAndEndsTheProgram) {
    instructionsMenu->openMenu();
    stepAll(40);
    gameController->setCurrentScreen(0);
    delayMs(700);
    click(146, 559, mainMenu, optionsMenu, instructionsMenu, resetProfileMenu);
    EXPECT_EQ(gameController->getMode(), Session::Mode::Quit);
    EXPECT_EQ(instructionsMenu->state, menuScreenType::CLOSING);
}

TEST_F(MainMenuTest, WorksWithoutSubmenusOrController) {
    instructionsMenu = nullptr;
    optionsMenu = nullptr;
    resetProfileMenu = nullptr;
    gameController = nullptr;
    for (int slot : {0, 1, 2, 4}) {
        mainMenu->selected = slot;
        mainMenu->activate(0);
    }
    EXPECT_EQ(mainMenu->state, menuScreenType::OPEN);
}

}  // namespace
}  // namespace qm
