// The board's tile rules: categories and which cells the ball may enter.
#include <gtest/gtest.h>

#include "support/BoardText.h"
#include "rules/GizmoStates.h"

using namespace qm;
using test::boardFromText;

namespace {

TEST(BoardTest, CellsOffTheBoardAreCategoryMinusTwoAndEnterable) {
    Board board = boardFromText({"S"});
    GizmoStates g = GizmoStates::createFrom(board);
    EXPECT_EQ(board.tileCategory(-1, 5), Category::OffBoard);
    EXPECT_EQ(board.tileCategory(20, 0), Category::OffBoard);
    EXPECT_EQ(board.tileCategory(0, 14), Category::OffBoard);
    EXPECT_EQ(board.tileCategory(3, -1), Category::OffBoard);
    EXPECT_EQ(board.canEnter(-1, 5, g, 4), 1);
    EXPECT_EQ(board.canEnter(20, 0, g, 2), 1);
    EXPECT_EQ(board.tileCategory(19, 13), Code::Floor);
}

TEST(BoardTest, CategoriesGroupTheCodesAsTheTableSays) {
    Board board;
    auto categoryOf = [&](int code) {
        board.cells[2][2] = code;
        return board.tileCategory(2, 2);
    };
    for (int c = 10; c <= 15; ++c) EXPECT_EQ(categoryOf(c), 0) << c;
    for (int c = 16; c <= 25; ++c) EXPECT_EQ(categoryOf(c), 4) << c;
    EXPECT_EQ(categoryOf(31), 5);
    EXPECT_EQ(categoryOf(32), 5);
    EXPECT_EQ(categoryOf(33), 6);
    EXPECT_EQ(categoryOf(34), 6);
    EXPECT_EQ(categoryOf(125), 126);
    EXPECT_EQ(categoryOf(126), 126);
    EXPECT_EQ(categoryOf(124), 113);
    EXPECT_EQ(categoryOf(127), 113);
    for (int c = 115; c <= 118; ++c) EXPECT_EQ(categoryOf(c), 114) << c;
    for (int c : {0, 1, 2, 3, 7, 8, 9, 119, 120, 121, 122, 252, 255, 57, 9, 26, 30, 35})
        EXPECT_EQ(categoryOf(c), c) << c;
}

TEST(BoardTest, WallsBeamBlocksAndWholeShatterRefuseTheBall) {
    Board board = boardFromText({"S#Hx w?."});
    GizmoStates g = GizmoStates::createFrom(board);
    EXPECT_EQ(board.canEnter(1, 0, g, 2), 0);
    EXPECT_EQ(board.canEnter(2, 0, g, 2), 0);
    EXPECT_EQ(board.canEnter(3, 0, g, 2), 0);
    EXPECT_EQ(board.canEnter(4, 0, g, 2), 1) << "the wall brush is passable";
    EXPECT_EQ(board.canEnter(5, 0, g, 2), 0);
    EXPECT_EQ(board.canEnter(6, 0, g, 2), 1) << "an unknown code is passable";
    g.setCellState(3, 0, 3);
    EXPECT_EQ(board.canEnter(3, 0, g, 2), 1) << "broken away";
    g.setCellState(3, 0, 2);
    EXPECT_EQ(board.canEnter(3, 0, g, 2), 0);
}

TEST(BoardTest, LocksFollowTheirStateAndType) {
    Board board = boardFromText({"S.l.m"});
    GizmoStates g = GizmoStates::createFrom(board);
    EXPECT_EQ(board.canEnter(2, 0, g, 2), 0) << "lock 1 starts solid";
    EXPECT_EQ(board.canEnter(4, 0, g, 2), 1) << "lock 2 starts open";
    g.setLockState(0, 2);
    g.setLockState(1, 2);
    EXPECT_EQ(board.canEnter(2, 0, g, 2), 1) << "lock 1 is passable while it fades";
    EXPECT_EQ(board.canEnter(4, 0, g, 2), 0) << "lock 2 is solid while it fades in";
    g.setLockState(0, 1);
    g.setLockState(1, 0);
    EXPECT_EQ(board.canEnter(2, 0, g, 2), 1);
    EXPECT_EQ(board.canEnter(4, 0, g, 2), 0);
}

TEST(BoardTest, AngleBlocksAdmitOnlyThroughTheirOpenSides) {
    Board board = boardFromText({"SABCD"});
    GizmoStates g;
    // direction of travel: 1 up, 2 right, 3 down, 4 left
    int expected[4][4] = {
        // 119 (bottom, right) is entered moving up or left
        {1, 0, 0, 1},
        // 120 (bottom, left): up or right
        {1, 1, 0, 0},
        // 121 (top, right): down or left
        {0, 0, 1, 1},
        // 122 (top, left): down or right
        {0, 1, 1, 0},
    };
    for (int block = 0; block < 4; ++block)
        for (int dir = 1; dir <= 4; ++dir)
            EXPECT_EQ(board.canEnter(1 + block, 0, g, dir), expected[block][dir - 1])
                << "code " << 119 + block << " direction " << dir;
}

TEST(BoardTest, BeamFloorRefusesUnlessTheBallIsPowered) {
    Board board = boardFromText({"S..V"});
    GizmoStates g = GizmoStates::createFrom(board);
    EXPECT_EQ(g.cellState(3, 1), 127);
    EXPECT_EQ(board.canEnter(3, 1, g, 3), 0);
    g.setPowered(1);
    EXPECT_EQ(board.canEnter(3, 1, g, 3), 1);
    g.setPowered(0);
    EXPECT_EQ(board.canEnter(3, 1, g, 3), 0);
}

TEST(BoardTest, NearestEdgeWeighsBothBoardSidesAlikeAndTiesGoSideways) {
    EXPECT_EQ(Board::nearestEdge(10, 0), 1);
    EXPECT_EQ(Board::nearestEdge(10, 13), 3);
    EXPECT_EQ(Board::nearestEdge(19, 7), 2);  // right 14 beats bottom 140
    EXPECT_EQ(Board::nearestEdge(9, 6), 4);   // 140 = 140: left, 140 < 154
    EXPECT_EQ(Board::nearestEdge(0, 0), 4);   // top 20 vs left 14
}

}  // namespace
