// The editor's tick driven step by step: palette selection, painting and
// clearing, the protected strip, the key table's order and pending hits,
// level jumps, the tile-set key and the developer toggle.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "play/AssetCatalogue.h"
#include "app/GameController.h"
#include "app/AppGlobals.h"
#include "play/PlayInput.h"
#include "support/MapText.h"
#include "editor/EditorState.h"
#include "play/HoverButtonBar.h"
#include "editor/ReachabilityView.h"
#include "runtime/Diagnostics.h"
#include "runtime/Files.h"
#include "runtime/Input.h"
#include "runtime/Runtime.h"
#include "support/PlayRig.h"
#include "support/TempFolder.h"

using namespace qm;

namespace {

class EditorStateTest : public test::PlayRig {
protected:
    void SetUp() override {
        PlayRig::SetUp();
        setDebugLogHook([this](const std::string& line) { log.push_back(line); });
        developerMode = 1;
        editorState = EditorState::create();
        buttonBar = HoverButtonBar::create();
        reachabilityView = ReachabilityView::create();
        currentMap = test::drawnMapFromText(test::walledRows(), 12);
        editor = editorState.get();
        press(69);  // E
        tick();
        ASSERT_EQ(editorOn, 1);
        log.clear();
    }
    void TearDown() override {
        setDebugLogHook(nullptr);
        AssetCatalogue::resetAll();
        PlayRig::TearDown();
    }
    static void press(int key) {
        inputKeyEvent(key, true);
        inputKeyEvent(key, false);
    }
    void tick(int inputAllowed = 1) {
        editor->editorTick(inputAllowed);
        PlayInput::buttonCode = -1;
    }
    void pointAtCell(int x, int y) {
        PlayInput::mouseX = 64 + 32 * x + 7;
        PlayInput::mouseY = 64 + 32 * y + 7;
    }
    int count(const std::string& line) const { return int(std::count(log.begin(), log.end(), line)); }
    std::vector<std::string> log;
    EditorState* editor = nullptr;
};

TEST_F(EditorStateTest, PaletteEntriesSelectTheirModesAndLogTheNamedOnes) {
    struct Row { int entry, mode; const char* line; };
    const Row rows[] = {
        {3, 0, "editor mode: normal"}, {4, 1, "editor mode: clear"}, {5, 2, "editor mode: tele"},
        {7, 5, "editor mode: lock 1"}, {8, 3, "editor mode: key 1"}, {9, 6, "editor mode: lock 2"},
        {10, 4, "editor mode: key 2"}, {11, 7, "editor mode: start"}, {12, 8, "editor mode: end"},
        {13, 9, "editor mode: shatter"}, {14, 10, "editor mode: shatter weak"},
        {15, 11, "editor mode: angle block"}, {16, 12, nullptr}, {21, 17, nullptr}, {28, 24, nullptr},
    };
    for (const Row& row : rows) {
        log.clear();
        PlayInput::buttonCode = row.entry;
        tick();
        EXPECT_EQ(editor->mode, row.mode) << row.entry;
        if (row.line) {
            EXPECT_EQ(log, std::vector<std::string>{row.line}) << row.entry;
        } else {
            EXPECT_TRUE(log.empty()) << row.entry;
        }
    }
    // Entry 6 selects nothing and says nothing; neither do the bottom buttons or a board click.
    for (int code : {6, 0, 1, 2, 99, -1}) {
        log.clear();
        PlayInput::buttonCode = code;
        tick();
        EXPECT_EQ(editor->mode, 24) << code;
        EXPECT_TRUE(log.empty()) << code;
    }
}

TEST_F(EditorStateTest, HeldLeftButtonPaintsTheModesTileOncePerStep) {
    PlayInput::buttonCode = 8;  // key 1
    tick();
    pointAtCell(4, 4);
    inputMouseButton(1, true);
    tick();
    EXPECT_EQ(currentMap->cells[4][4], Code::Key1);
    pointAtCell(5, 4);
    tick();
    EXPECT_EQ(currentMap->cells[5][4], Code::Key1);
    EXPECT_EQ(currentMap->modified, 1);

    editor->mode = 0;  // the wall brush stores a real wall code
    pointAtCell(6, 4);
    tick();
    EXPECT_GE(currentMap->cells[6][4], 10);
    EXPECT_LE(currentMap->cells[6][4], 15);

    editor->mode = 10;  // a weak shatter block starts cracked
    pointAtCell(7, 4);
    tick();
    EXPECT_EQ(currentMap->cells[7][4], Code::WeakShatter);
    EXPECT_EQ(currentMap->play.gizmos.cellState(7, 4), 1);
    inputMouseButton(1, false);
}

TEST_F(EditorStateTest, TeleAndSwitchTwoModesPaintNothingButModeTwentyLogsEveryStep) {
    pointAtCell(4, 4);
    inputMouseButton(1, true);
    editor->mode = 2;
    tick();
    tick();
    EXPECT_EQ(currentMap->cells[4][4], Code::Floor);
    EXPECT_EQ(count("switch 2 unimplemented"), 0);
    editor->mode = 20;
    for (int i = 0; i < 3; ++i) tick();
    EXPECT_EQ(currentMap->cells[4][4], Code::Floor);
    EXPECT_EQ(count("switch 2 unimplemented"), 3);
    EXPECT_EQ(currentMap->modified, 0);
    // Inside the protected rectangle not even the line is written.
    currentMap->protectedLeft = currentMap->protectedRight = 4;
    currentMap->protectedTop = currentMap->protectedBottom = 4;
    tick();
    EXPECT_EQ(count("switch 2 unimplemented"), 3);
    inputMouseButton(1, false);
}

TEST_F(EditorStateTest, BeamBlocksCastOnlyWhenTheCellWasOnTheBoard) {
    editor->mode = 17;
    inputMouseButton(1, true);
    PlayInput::mouseX = 720;  // over the palette: column 20
    PlayInput::mouseY = 70;
    tick();
    EXPECT_EQ(count("created Horizontal beam block"), 0);
    pointAtCell(9, 6);
    tick();
    EXPECT_EQ(count("created Horizontal beam block"), 1);
    EXPECT_EQ(currentMap->cells[9][6], Code::BeamHorizontal);
    EXPECT_EQ(currentMap->play.gizmos.cellState(9, 6), 2);
    EXPECT_EQ(currentMap->play.gizmos.cellState(1, 6), CellState::BeamHorizontal);   // the beam runs to the wall ring
    EXPECT_EQ(currentMap->play.gizmos.cellState(18, 6), CellState::BeamHorizontal);
    EXPECT_EQ(currentMap->play.gizmos.cellState(9, 5), 0);
    inputMouseButton(1, false);
}

TEST_F(EditorStateTest, PaintingSkipsTheProtectedRectangle) {
    currentMap->protectedLeft = 0;
    currentMap->protectedRight = 19;
    currentMap->protectedTop = currentMap->protectedBottom = 12;
    editor->mode = 0;
    inputMouseButton(1, true);
    pointAtCell(5, 12);
    tick();
    EXPECT_EQ(currentMap->cells[5][12], Code::Floor);
    pointAtCell(5, 11);
    tick();
    EXPECT_GE(currentMap->cells[5][11], 10);
    inputMouseButton(1, false);
}

TEST_F(EditorStateTest, RightDragOverABuiltStripClearsOnlyItsEnd) {
    // The next board built from an end on the top row: that row lands on row 13.
    auto rows = test::walledRows();
    rows[0][10] = 'E';
    rows[0][4] = 'k';
    rows[5][5] = 'S';
    currentMap = test::drawnMapFromText(rows, 12);
    nextMap = test::drawnMapFromText(test::walledRows(), 13);
    reachabilityView->buildNextMap();
    currentMap = nextMap;
    currentMap->cells[3][13] = Code::End;  // an end placed inside the strip
    std::vector<int> before;
    for (int x = 0; x < 20; ++x) before.push_back(currentMap->cells[x][13]);

    inputMouseButton(2, true);
    for (int x = 0; x < 20; ++x) {
        pointAtCell(x, 13);
        tick();
        pointAtCell(x, 12);  // just above the strip everything clears
        tick();
    }
    inputMouseButton(2, false);
    for (int x = 0; x < 20; ++x) {
        EXPECT_EQ(currentMap->cells[x][13], x == 3 ? int(Code::Floor) : before[size_t(x)]) << x;
        EXPECT_EQ(currentMap->cells[x][12], Code::Floor) << x;
    }
    EXPECT_EQ(currentMap->cells[10][13], Code::Start);  // the old end, now this board's start
}

TEST_F(EditorStateTest, StartEndAndKeypadKeysWriteEvenInsideTheProtectedRectangle) {
    currentMap->protectedLeft = currentMap->protectedTop = 0;
    currentMap->protectedRight = 19;
    currentMap->protectedBottom = 13;
    pointAtCell(3, 3);
    press(187);
    tick();
    EXPECT_EQ(currentMap->cells[3][3], Code::Start);
    EXPECT_EQ(currentMap->startX, 3);
    pointAtCell(4, 3);
    press(189);
    tick();
    EXPECT_EQ(currentMap->cells[4][3], Code::End);
    EXPECT_EQ(currentMap->endX, 4);
    pointAtCell(5, 3);
    press(103);  // keypad 7
    tick();
    EXPECT_EQ(currentMap->cells[5][3], Code::FirstTeleport + 7);
    pointAtCell(6, 3);
    press(104);
    tick();
    EXPECT_EQ(currentMap->cells[6][3], Code::RecallPoint);
    pointAtCell(7, 3);
    press(105);
    tick();
    EXPECT_EQ(currentMap->cells[7][3], Code::RecallPad);
    // The search saw the new start.
    EXPECT_EQ(reachabilityView->moves[3][3][2], 0);
}

TEST_F(EditorStateTest, AFiringRowEndsTheStepAndLaterRowsKeepTheirHits) {
    press(80);  // P, row 8
    press(81);  // Q, row 14
    tick();
    EXPECT_EQ(reachabilityView->displayMode, -1);
    tick();
    EXPECT_EQ(reachabilityView->displayMode, 0);
    tick();
    EXPECT_EQ(reachabilityView->displayMode, 0);
    // A held mouse button fires every step, so keys below it wait.
    press(81);
    inputMouseButton(2, true);
    tick();
    tick();
    EXPECT_EQ(reachabilityView->displayMode, 0);
    inputMouseButton(2, false);
    tick();
    EXPECT_EQ(reachabilityView->displayMode, 1);
}

TEST_F(EditorStateTest, LoadAndSaveHitTogetherReloadFirstAndSaveOnTheNextStep) {
    test::TempFolder folder;
    // The level file on disk: all floor with a start.
    auto onDisk = test::drawnMapFromText(std::vector<std::string>(14, std::string(20, '.')), 12);
    onDisk->cells[2][2] = Code::Start;
    createDir("levels");
    {
        StreamPtr out = writeFile("levels\\12.lvl");
        ASSERT_NE(out, nullptr);
        out->writeInt(2);
        out->writeInt(2);
        out->writeInt(-1);
        for (int x = 0; x < 20; ++x)
            for (int y = 0; y < 14; ++y) out->writeInt(onDisk->cells[x][y]);
        out->writeInt(0);
        out->writeInt(0);
        ASSERT_TRUE(out->close());
    }
    currentMap->setTile(5, 5, Code::WallBrush);  // an edit the reload throws away
    press(76);        // L
    press(VK_ENTER);  // Enter
    tick();
    EXPECT_EQ(count("Loading map 12.lvl"), 1);
    EXPECT_EQ(count("Saving map"), 0);
    EXPECT_EQ(currentMap->cells[5][5], Code::Floor);
    EXPECT_EQ(currentMap->cells[0][0], Code::Floor);
    tick();
    EXPECT_EQ(count("Saving map"), 1);
    // The quick save goes beside the program; leave no trace there.
    std::error_code ignored;
    std::filesystem::remove(programFolder() + "/levels/12.lvl", ignored);
    std::filesystem::remove(programFolder() + "/! map backups/12.lvl", ignored);
    std::filesystem::remove(programFolder() + "/! map backups", ignored);
}

TEST_F(EditorStateTest, RandomizeIsUsedUpWhileAnOverlayIsOpen) {
    press(90);
    tick(0);
    for (int x = 1; x < 19; ++x)
        for (int y = 1; y < 13; ++y) ASSERT_EQ(currentMap->cells[x][y], Code::Floor);
    tick(1);  // the press is gone: still nothing
    for (int x = 1; x < 19; ++x)
        for (int y = 1; y < 13; ++y) ASSERT_EQ(currentMap->cells[x][y], Code::Floor);
    press(90);
    tick(1);
    int walls = 0;
    for (int x = 0; x < 20; ++x)
        for (int y = 0; y < 14; ++y) walls += currentMap->tileCategory(x, y) == Category::Wall ? 1 : 0;
    EXPECT_GT(walls, 0);
    EXPECT_LT(walls, 120);  // about one cell in nine
}

TEST_F(EditorStateTest, NumberKeysJumpToTheirLevels) {
    gameController = GameController::create();
    session = gameController;
    test::TempFolder folder;
    press(48);  // 0
    tick();
    ASSERT_NE(currentMap, nullptr);
    EXPECT_EQ(currentMap->levelNumber, 79);
    EXPECT_EQ(count("start at level 79"), 1);
    press(51);  // 3
    tick();
    EXPECT_EQ(currentMap->levelNumber, 10);
    press(221);  // ]
    tick();
    EXPECT_EQ(currentMap->levelNumber, 11);
    press(219);  // [
    tick();
    EXPECT_EQ(currentMap->levelNumber, 10);
    press(49);  // 1
    tick();
    EXPECT_EQ(currentMap->levelNumber, 0);
    // Below level 0 there is nothing to jump to; the board stays.
    auto board = currentMap;
    log.clear();
    press(219);
    tick();
    EXPECT_EQ(currentMap, board);
    EXPECT_TRUE(log.empty());
}

TEST_F(EditorStateTest, ThirtyThreeArtStylePressesComeBackToTheStart) {
    int start = currentMap->tileSet;
    ASSERT_EQ(start, 2);
    press(65);
    tick();
    EXPECT_EQ(currentMap->tileSet, 3);
    EXPECT_EQ(AssetCatalogue::artStyle, 3);
    for (int i = 1; i < 33; ++i) {
        press(65);
        tick();
    }
    EXPECT_EQ(currentMap->tileSet, start);
    EXPECT_EQ(AssetCatalogue::artStyle, start);
}

TEST_F(EditorStateTest, UnboundLettersChangeNothing) {
    for (int key : {'O', 'U', 'I', 'Y'}) press(key);
    for (int i = 0; i < 4; ++i) tick();
    EXPECT_EQ(currentMap->modified, 0);
    EXPECT_EQ(reachabilityView->displayMode, -1);
    EXPECT_EQ(editor->mode, 0);
}

TEST_F(EditorStateTest, TheToggleNeedsTheDeveloperBuildAndTheVersionKeyAlwaysAnswers) {
    EXPECT_EQ(buttonBar->hitTest(720, 70), 3);
    press(69);
    tick();
    EXPECT_EQ(editorOn, 0);
    EXPECT_EQ(buttonBar->hitTest(720, 70), -1);
    // Off: editor keys do nothing.
    press(81);
    tick();
    EXPECT_EQ(reachabilityView->displayMode, -1);

    developerMode = 0;
    press(69);
    tick();
    EXPECT_EQ(editorOn, 0);
    EXPECT_EQ(buttonBar->hitTest(720, 70), -1);

    int notices = notifyCount();
    press(86);
    tick();
    EXPECT_EQ(notifyCount(), notices + 1);
}

TEST_F(EditorStateTest, SwitchingOnSearchesAndFlushesTheKeys) {
    press(69);
    tick();
    ASSERT_EQ(editorOn, 0);
    currentMap->cells[4][4] = Code::Start;
    press(81);  // pending before the toggle
    press(69);
    tick();
    EXPECT_EQ(editorOn, 1);
    EXPECT_EQ(reachabilityView->moves[4][4][2], 0);
    tick();
    EXPECT_EQ(reachabilityView->displayMode, -1);  // the Q press was flushed
}

TEST_F(EditorStateTest, HelpLinesNameTheLevel) {
    EXPECT_EQ(EditorState::helpLine(0),
              "(O)(U)Key (I)(Y)lock| (A)rt Style|Mouse: add\\remove walls| Plus\\Minus: End\\Start points");
    EXPECT_EQ(EditorState::helpLine(1),
              "LVL 12: (L)oad|(Enter)Save|randomi(Z)e|create (N)extmap|(1-9)Levelskip|(Square brackets)Move level");
    EXPECT_EQ(EditorState::helpLine(2), "(Q) cycle key display mode");
}

}  // namespace
