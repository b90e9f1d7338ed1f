// Beams, switches, the copy used by searches, and the instant key of the search.
#include <gtest/gtest.h>

#include "play/Globals.h"
#include "rules/GizmoStates.h"
#include "puzzle/BoardText.h"

using namespace qm;
using test::boardFromText;

namespace {

class GizmoStatesTest : public ::testing::Test {
protected:
    void SetUp() override { resetGlobals(); }
    void TearDown() override { resetGlobals(); }
};

// A vertical beam block at (5, 3), a wall at (5, 10), floor everywhere else.
std::shared_ptr<LevelMap> columnBoard() {
    std::vector<std::string> rows(14, std::string(20, '.'));
    rows[3][5] = 'V';
    rows[10][5] = '#';
    rows[13][0] = 'S';
    return boardFromText(rows);
}

TEST_F(GizmoStatesTest, VerticalBlockCastsOverTheFloorRunsAboveAndBelowIt) {
    auto board = columnBoard();
    const GizmoStates& g = *board->gizmos;
    EXPECT_EQ(g.cellState(5, 3), 1);
    for (int y : {0, 1, 2, 4, 5, 6, 7, 8, 9}) EXPECT_EQ(g.cellState(5, y), 127) << "y " << y;
    for (int y : {11, 12, 13}) EXPECT_EQ(g.cellState(5, y), 0) << "beyond the wall, y " << y;
    EXPECT_EQ(g.cellState(4, 3), 0);
    EXPECT_EQ(g.cellState(6, 3), 0);
}

TEST_F(GizmoStatesTest, OneSwitchTurnsTheBlockAndMovesItsBeamToTheRow) {
    auto board = columnBoard();
    board->hitSwitch(0, 0);
    const GizmoStates& g = *board->gizmos;
    EXPECT_EQ(g.cellState(5, 3), 2);
    for (int y : {0, 1, 2, 4, 5, 6, 7, 8, 9}) EXPECT_EQ(g.cellState(5, y), 0) << "y " << y;
    for (int x = 0; x < 20; ++x)
        if (x != 5) {
            EXPECT_EQ(g.cellState(x, 3), 126) << "x " << x;
        }
    EXPECT_EQ(g.changed, 1);

    board->hitSwitch(0, 0);
    EXPECT_EQ(g.cellState(5, 3), 1);
    EXPECT_EQ(g.cellState(5, 0), 127);
    EXPECT_EQ(g.cellState(0, 3), 0);
}

TEST_F(GizmoStatesTest, BeamsStopAtKeysTeleportsStartAndEnd) {
    auto board = boardFromText({
        "....................",
        "....................",
        "...k................",
        "....................",
        "....................",
        "...V................",
        "......S...H..E......",
        "....................",
        "...4................",
    });
    const GizmoStates& g = *board->gizmos;
    EXPECT_EQ(g.cellState(3, 3), 127);
    EXPECT_EQ(g.cellState(3, 4), 127);
    EXPECT_EQ(g.cellState(3, 2), 0) << "the key cell";
    EXPECT_EQ(g.cellState(3, 1), 0) << "beyond the key";
    EXPECT_EQ(g.cellState(3, 7), 127);
    EXPECT_EQ(g.cellState(3, 8), 0) << "the teleport";
    EXPECT_EQ(g.cellState(3, 9), 0) << "beyond the teleport";
    EXPECT_EQ(g.cellState(7, 6), 126);
    EXPECT_EQ(g.cellState(6, 6), 0) << "the start";
    EXPECT_EQ(g.cellState(5, 6), 0) << "beyond the start";
    EXPECT_EQ(g.cellState(12, 6), 126);
    EXPECT_EQ(g.cellState(13, 6), 0) << "the end";
    EXPECT_EQ(g.cellState(14, 6), 0) << "beyond the end";
}

TEST_F(GizmoStatesTest, CrossedFloorHoldsTheBeamOfTheBlockScannedLast) {
    // Columns are scanned first: the block in the later column casts last.
    std::vector<std::string> rows(14, std::string(20, '.'));
    rows[5][2] = 'V';   // column 2, scanned before column 8
    rows[2][8] = 'H';   // its row crosses column 2 at (2, 2)
    rows[13][19] = 'S';
    auto horizontalLast = boardFromText(rows);
    EXPECT_EQ(horizontalLast->gizmos->cellState(2, 2), 126);

    std::vector<std::string> swapped(14, std::string(20, '.'));
    swapped[5][9] = 'V';
    swapped[2][4] = 'H';
    swapped[13][19] = 'S';
    auto verticalLast = boardFromText(swapped);
    EXPECT_EQ(verticalLast->gizmos->cellState(9, 2), 127);
}

TEST_F(GizmoStatesTest, SwitchClearsEveryOldBeamBeforeCastingTheNewOnes) {
    // A vertical and a horizontal block in row 7. After the switch the first
    // block's new beam lies where the second block's old beam lay; clearing
    // that old beam must not wipe the new one.
    std::vector<std::string> rows(14, std::string(20, '.'));
    rows[7][3] = 'V';
    rows[7][8] = 'H';
    rows[13][0] = 'S';
    auto board = boardFromText(rows);
    EXPECT_EQ(board->gizmos->cellState(5, 7), 126);
    board->hitSwitch(0, 0);
    const GizmoStates& g = *board->gizmos;
    for (int x = 4; x < 8; ++x) EXPECT_EQ(g.cellState(x, 7), 126) << "x " << x;
    EXPECT_EQ(g.cellState(3, 0), 0);
    EXPECT_EQ(g.cellState(8, 0), 127);
    EXPECT_EQ(g.cellState(12, 7), 0);
}

TEST_F(GizmoStatesTest, BuildingSetsWeakShatterCrackedAndLocksByType) {
    auto board = boardFromText({"S.w.x.l.m"});
    const GizmoStates& g = *board->gizmos;
    EXPECT_EQ(g.cellState(2, 0), 1);
    EXPECT_EQ(g.cellState(4, 0), 0);
    EXPECT_EQ(g.lockStates[0], 0);
    EXPECT_EQ(g.lockStates[1], 1);
    EXPECT_EQ(g.hasRecall(), 0);
    EXPECT_EQ(g.isPowered(), 0);
}

TEST_F(GizmoStatesTest, CopyEqualsItsOriginalUntilEitherChanges) {
    auto board = columnBoard();
    auto twin = board->gizmos->copy();
    EXPECT_NE(twin.get(), board->gizmos.get());
    EXPECT_EQ(twin->equals(*board->gizmos), 1);
    EXPECT_EQ(twin->changed, 0);
    twin->setCellState(0, 0, 3);
    EXPECT_EQ(twin->equals(*board->gizmos), 0);
    auto other = board->gizmos->copy();
    other->setRecall(2, 2);
    EXPECT_EQ(other->equals(*board->gizmos), 0);
    auto powered = board->gizmos->copy();
    powered->setPowered(1);
    EXPECT_EQ(powered->equals(*board->gizmos), 0);
    auto locked = board->gizmos->copy();
    locked->setLockState(1, 0);
    EXPECT_EQ(locked->equals(*board->gizmos), 0);
}

TEST_F(GizmoStatesTest, BumpWithCopyFirstLeavesTheStatesPassedInUnchanged) {
    auto board = boardFromText({"S.x"});
    auto before = board->gizmos->copy();
    auto result = board->bumpTile(2, 0, board->gizmos, 1);
    EXPECT_EQ(board->gizmos->equals(*before), 1);
    EXPECT_NE(result.get(), board->gizmos.get());
    EXPECT_EQ(result->cellState(2, 0), 1);
    // Without the copy the damage goes into the board's own states.
    board->bumpTile(2, 0, nullptr, 0);
    EXPECT_EQ(board->gizmos->cellState(2, 0), 1);
}

TEST_F(GizmoStatesTest, SettersIgnoreCellsOffTheBoardAndMarkChanges) {
    GizmoStates g;
    g.setCellState(20, 0, 5);
    g.setCellState(-1, 3, 5);
    EXPECT_EQ(g.cellState(20, 0), 0);
    EXPECT_EQ(g.changed, 0);
    g.setCellState(19, 13, 5);
    EXPECT_EQ(g.cellState(19, 13), 5);
    EXPECT_EQ(g.changed, 1);
    g.clearChanged();
    g.setRecall(4, 5);
    EXPECT_EQ(g.changed, 1);
    EXPECT_EQ(g.hasRecall(), 1);
}

TEST_F(GizmoStatesTest, InstantKeyOpensLockOneAndClosesLockTwo) {
    auto board = boardFromText({"S.k.K"});
    GizmoStates& g = *board->gizmos;
    EXPECT_EQ(g.keyIndex(), 2);
    g.applyKey(2, 0, board.get());
    EXPECT_EQ(g.lockStates[0], 1);
    g.applyKey(4, 0, board.get());
    EXPECT_EQ(g.lockStates[1], 0);
    EXPECT_EQ(g.keyIndex(), 1);
    g.applyKey(2, 0, board.get());  // a second take changes nothing
    EXPECT_EQ(g.lockStates[0], 1);
}

}  // namespace
