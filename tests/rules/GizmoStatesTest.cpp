// Beams, switches, the copy used by searches, and the instant key of the search.
#include <gtest/gtest.h>

#include "support/BoardText.h"
#include "rules/GizmoStates.h"

using namespace qm;
using test::boardFromText;

namespace {

// A board with the gizmo states it starts with.
struct Gizmos {
    Board board;
    GizmoStates g;
    explicit Gizmos(const std::vector<std::string>& rows)
        : board(boardFromText(rows)), g(GizmoStates::createFrom(board)) {}
    void hitSwitch() { g.triggeredSwitch(board); }
};

// A vertical beam block at (5, 3), a wall at (5, 10), floor everywhere else.
Gizmos columnBoard() {
    std::vector<std::string> rows(14, std::string(20, '.'));
    rows[3][5] = 'V';
    rows[10][5] = '#';
    rows[13][0] = 'S';
    return Gizmos(rows);
}

TEST(GizmoStatesTest, VerticalBlockCastsOverTheFloorRunsAboveAndBelowIt) {
    Gizmos board = columnBoard();
    const GizmoStates& g = board.g;
    EXPECT_EQ(g.cellState(5, 3), 1);
    for (int y : {0, 1, 2, 4, 5, 6, 7, 8, 9}) EXPECT_EQ(g.cellState(5, y), 127) << "y " << y;
    for (int y : {11, 12, 13}) EXPECT_EQ(g.cellState(5, y), 0) << "beyond the wall, y " << y;
    EXPECT_EQ(g.cellState(4, 3), 0);
    EXPECT_EQ(g.cellState(6, 3), 0);
}

TEST(GizmoStatesTest, OneSwitchTurnsTheBlockAndMovesItsBeamToTheRow) {
    Gizmos board = columnBoard();
    board.hitSwitch();
    const GizmoStates& g = board.g;
    EXPECT_EQ(g.cellState(5, 3), 2);
    for (int y : {0, 1, 2, 4, 5, 6, 7, 8, 9}) EXPECT_EQ(g.cellState(5, y), 0) << "y " << y;
    for (int x = 0; x < 20; ++x)
        if (x != 5) {
            EXPECT_EQ(g.cellState(x, 3), 126) << "x " << x;
        }
    EXPECT_EQ(g.changed, 1);

    board.hitSwitch();
    EXPECT_EQ(g.cellState(5, 3), 1);
    EXPECT_EQ(g.cellState(5, 0), 127);
    EXPECT_EQ(g.cellState(0, 3), 0);
}

TEST(GizmoStatesTest, BeamsStopAtKeysTeleportsStartAndEnd) {
    Gizmos board({
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
    const GizmoStates& g = board.g;
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

TEST(GizmoStatesTest, CrossedFloorHoldsTheBeamOfTheBlockScannedLast) {
    // Columns are scanned first: the block in the later column casts last.
    std::vector<std::string> rows(14, std::string(20, '.'));
    rows[5][2] = 'V';   // column 2, scanned before column 8
    rows[2][8] = 'H';   // its row crosses column 2 at (2, 2)
    rows[13][19] = 'S';
    EXPECT_EQ(Gizmos(rows).g.cellState(2, 2), 126);

    std::vector<std::string> swapped(14, std::string(20, '.'));
    swapped[5][9] = 'V';
    swapped[2][4] = 'H';
    swapped[13][19] = 'S';
    EXPECT_EQ(Gizmos(swapped).g.cellState(9, 2), 127);
}

TEST(GizmoStatesTest, SwitchClearsEveryOldBeamBeforeCastingTheNewOnes) {
    // A vertical and a horizontal block in row 7. After the switch the first
    // block's new beam lies where the second block's old beam lay; clearing
    // that old beam must not wipe the new one.
    std::vector<std::string> rows(14, std::string(20, '.'));
    rows[7][3] = 'V';
    rows[7][8] = 'H';
    rows[13][0] = 'S';
    Gizmos board(rows);
    EXPECT_EQ(board.g.cellState(5, 7), 126);
    board.hitSwitch();
    const GizmoStates& g = board.g;
    for (int x = 4; x < 8; ++x) EXPECT_EQ(g.cellState(x, 7), 126) << "x " << x;
    EXPECT_EQ(g.cellState(3, 0), 0);
    EXPECT_EQ(g.cellState(8, 0), 127);
    EXPECT_EQ(g.cellState(12, 7), 0);
}

TEST(GizmoStatesTest, BuildingSetsWeakShatterCrackedAndLocksByType) {
    const GizmoStates g = Gizmos({"S.w.x.l.m"}).g;
    EXPECT_EQ(g.cellState(2, 0), 1);
    EXPECT_EQ(g.cellState(4, 0), 0);
    EXPECT_EQ(g.lockStates[0], 0);
    EXPECT_EQ(g.lockStates[1], 1);
    EXPECT_EQ(g.hasRecall(), 0);
    EXPECT_EQ(g.isPowered(), 0);
}

TEST(GizmoStatesTest, CopyEqualsItsOriginalUntilEitherChanges) {
    const GizmoStates g = columnBoard().g;
    GizmoStates twin = g.copy();
    EXPECT_EQ(twin.equals(g), 1);
    EXPECT_EQ(twin.changed, 0);
    twin.setCellState(0, 0, 3);
    EXPECT_EQ(twin.equals(g), 0);
    GizmoStates other = g.copy();
    other.setRecall(2, 2);
    EXPECT_EQ(other.equals(g), 0);
    GizmoStates powered = g.copy();
    powered.setPowered(1);
    EXPECT_EQ(powered.equals(g), 0);
    GizmoStates locked = g.copy();
    locked.setLockState(1, 0);
    EXPECT_EQ(locked.equals(g), 0);
}

TEST(GizmoStatesTest, BumpsCrackAShatterBlockStepByStepOrBreakItPowered) {
    Gizmos board({"S.x.w"});
    board.g.bumpTile(2, 0, board.board);
    EXPECT_EQ(board.g.cellState(2, 0), 1);
    board.g.bumpTile(1, 0, board.board);  // floor: nothing to crack
    EXPECT_EQ(board.g.cellState(1, 0), 0);
    board.g.setPowered(1);
    board.g.bumpTile(4, 0, board.board);
    EXPECT_EQ(board.g.cellState(4, 0), 3);
    board.g.bumpTile(4, 0, board.board);  // broken stays broken
    EXPECT_EQ(board.g.cellState(4, 0), 3);
    board.g.bumpTile(20, 0, board.board);  // off the board: ignored
}

TEST(GizmoStatesTest, SettersIgnoreCellsOffTheBoardAndMarkChanges) {
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

TEST(GizmoStatesTest, InstantKeyOpensLockOneAndClosesLockTwo) {
    Gizmos board({"S.k.K"});
    GizmoStates& g = board.g;
    EXPECT_EQ(g.keyIndex(), 2);
    g.applyKey(2, 0, board.board);
    EXPECT_EQ(g.lockStates[0], 1);
    g.applyKey(4, 0, board.board);
    EXPECT_EQ(g.lockStates[1], 0);
    EXPECT_EQ(g.keyIndex(), 1);
    g.applyKey(2, 0, board.board);  // a second take changes nothing
    EXPECT_EQ(g.lockStates[0], 1);
}

}  // namespace
