// Undo, hint, move count and personal best, played on boards built in code
// through the same per-step calls the play loop makes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "play/Globals.h"
#include "play/PersonalBest.h"
#include "play/PlayInput.h"
#include "play/PlayerAids.h"
#include "rules/MoveSimulator.h"
#include "play/LevelMap.h"
#include "runtime/Input.h"
#include "runtime/Runtime.h"
#include "play/MapText.h"
#include "support/GameRun.h"
#include "support/PlayRig.h"
#include "support/TempFolder.h"

using namespace qm;

namespace {

// '#' wall, '.' floor, 'S' start, 'E' end, 'X' shatter, 'k' key 2, 'L' lock 2.
// Everything off the drawn rows is wall.
LevelMapPtr boardFrom(const std::vector<std::string>& rows) {
    auto board = LevelMap::createEmpty(50);
    for (int x = 0; x < 20; x++)
        for (int y = 0; y < 14; y++) board->cells[x][y] = 10;
    for (size_t y = 0; y < rows.size(); y++) {
        for (size_t x = 0; x < rows[y].size(); x++) {
            int code = 10;
            switch (rows[y][x]) {
                case '.': code = 3; break;
                case 'S': code = 1; break;
                case 'E': code = 2; break;
                case 'X': code = 126; break;
                case 'k': code = 32; break;
                case 'L': code = 34; break;
                default: break;
            }
            board->cells[x][y] = code;
            if (code == 1) { board->startX = int(x); board->startY = int(y); }
            if (code == 2) { board->endX = int(x); board->endY = int(y); }
        }
    }
    board->play.gizmos = GizmoStates::createFrom(*board);
    board->restart();
    return board;
}

class PlayerAidsTest : public test::PlayRig {
protected:
    void SetUp() override {
        PlayRig::SetUp();
        aids = PlayerAids::create(0);
    }

    // One logic step as the play loop runs it.
    void step() {
        aids->beforeBoardStep(1);
        aids->afterBoardStep(currentMap->update(1));
    }
    // Pushes a direction for one step, then lets the ball roll to a rest the
    // player must end.
    void move(int direction) {
        PlayInput::resetInput();
        if (direction == 1) PlayInput::up = 1;
        if (direction == 2) PlayInput::right = 1;
        if (direction == 3) PlayInput::down = 1;
        if (direction == 4) PlayInput::left = 1;
        step();
        PlayInput::resetInput();
        for (int i = 0; i < 400 && !MoveSimulator::restsForGood(*currentMap, currentMap->play); i++) step();
        step();
    }
    void pressUndo() {
        inputKeyEvent(85, true);
        inputKeyEvent(85, false);
        step();
    }

    test::TempFolder folder;
    std::shared_ptr<PlayerAids> aids;
};

TEST_F(PlayerAidsTest, UndoAfterAShatterBlockCrackedRestoresItWhole) {
    currentMap = boardFrom({"####", "#S..X..E#"});
    step();
    move(2);
    EXPECT_EQ(currentMap->play.ball.x, 3);
    EXPECT_EQ(currentMap->play.gizmos.cellState(4, 1), 1);  // cracked
    EXPECT_EQ(aids->moves, 1);
    pressUndo();
    EXPECT_EQ(currentMap->play.ball.x, 1);
    EXPECT_EQ(currentMap->play.gizmos.cellState(4, 1), 0);
    EXPECT_EQ(aids->moves, 0);
    EXPECT_TRUE(aids->history.empty());
    // Nothing left to take back: undo does nothing.
    EXPECT_FALSE(aids->undo());
}

TEST_F(PlayerAidsTest, UndoAfterTakingKeyTwoReopensLockTwoAtOnce) {
    currentMap = boardFrom({"#####", "#S.k..#", "#....L.E"});
    step();
    move(2);  // over key 2: lock 2 closes
    EXPECT_NE(currentMap->play.gizmos.lockStates[1], 1);
    EXPECT_EQ(currentMap->canEnter(5, 2, currentMap->play.gizmos, 2), 0);
    EXPECT_TRUE(aids->undo());
    EXPECT_EQ(currentMap->play.gizmos.lockStates[1], 1);
    EXPECT_EQ(currentMap->canEnter(5, 2, currentMap->play.gizmos, 2), 1);
    EXPECT_EQ(currentMap->play.lockTimers[1], 0);
}

TEST_F(PlayerAidsTest, SeveralStepsBackToTheStartAndRestartClearsTheHistory) {
    currentMap = boardFrom({"######", "#S...#", "#....#", "#...E#"});
    step();
    move(2);
    move(4);
    EXPECT_EQ(aids->moves, 2);
    EXPECT_TRUE(aids->undo());
    EXPECT_EQ(currentMap->play.ball.x, 4);
    EXPECT_TRUE(aids->undo());
    EXPECT_EQ(currentMap->play.ball.x, 1);
    EXPECT_EQ(currentMap->play.ball.y, 1);
    move(3);
    EXPECT_EQ(aids->moves, 1);
    PlayInput::restart = 1;
    step();
    PlayInput::resetInput();
    step();
    EXPECT_EQ(aids->moves, 0);
    EXPECT_TRUE(aids->history.empty());
}

TEST_F(PlayerAidsTest, HintShowsTheFirstMoveOfAShortestSolution) {
    currentMap = boardFrom({"######", "#S...#", "#....#", "#...E#"});
    step();
    EXPECT_EQ(aids->par, 2);
    int direction = aids->hint();
    EXPECT_TRUE(direction == 2 || direction == 3);
    step();
    EXPECT_EQ(currentMap->ball->hoverDirection, direction);
    // The search leaves the live board as it was.
    EXPECT_EQ(currentMap->play.ball.x, 1);
    EXPECT_EQ(currentMap->play.ball.y, 1);
    EXPECT_EQ(aids->moves, 0);
    // The arrow stays until the next move, however long the player looks.
    for (int i = 0; i < 600; i++) step();
    EXPECT_EQ(currentMap->ball->hoverDirection, direction);
    move(direction);
    EXPECT_EQ(aids->hintTicks, 0);
}

TEST_F(PlayerAidsTest, HintAfterAMoveIntoADeadEndSaysSo) {
    // Rolling right takes key 2 and shuts the only way to the end.
    currentMap = boardFrom({"#####", "#S.k.L.E#", "######"});
    step();
    move(2);
    EXPECT_EQ(aids->hint(), 0);
    EXPECT_GT(aids->messageTicks, 0);
    EXPECT_TRUE(aids->undo());
}

TEST_F(PlayerAidsTest, SolvingKeepsTheSmallerCountAsPersonalBest) {
    currentMap = boardFrom({"######", "#S...#", "#....#", "#...E#"});
    step();
    move(3);
    move(2);
    for (int i = 0; i < 5; i++) step();
    EXPECT_EQ(aids->personalBest->best(50), 2);
    EXPECT_EQ(test::readBinary("best0.dat").size(), 330u);
    // A worse solve does not replace it; a fresh read of the file agrees.
    EXPECT_FALSE(aids->personalBest->record(50, 5));
    EXPECT_TRUE(aids->personalBest->record(50, 1));
    EXPECT_EQ(PersonalBest::create(0)->best(50), 1);
    EXPECT_EQ(PersonalBest::create(0)->best(49), 0);
}

// On a board open to the top, the hint's search rolls off the edge; that is
// not the player's restart. A real restart drops the shown hint.
TEST_F(PlayerAidsTest, HintOnAnOpenBoardKeepsTheCountAndARestartDropsIt) {
    currentMap = test::mapFromText(test::kOpenLevel, 50, '#');
    step();
    EXPECT_EQ(aids->par, 3);
    move(2);
    ASSERT_EQ(aids->moves, 1);
    EXPECT_EQ(aids->hint(), 3);
    step();
    EXPECT_EQ(aids->moves, 1);
    EXPECT_EQ(aids->history.size(), 1u);
    EXPECT_EQ(currentMap->ball->hoverDirection, 3);
    PlayInput::restart = 1;
    step();
    PlayInput::resetInput();
    step();
    EXPECT_EQ(aids->hintTicks, 0);
    EXPECT_EQ(aids->moves, 0);
}

// One push that bounces off an angle block and comes back is one move, as
// the solver counts it: the halt on the block is no rest.
TEST_F(PlayerAidsTest, BounceOffAnAngleBlockIsOneMove) {
    currentMap = test::mapFromText({"######", "#S...#", "####.#", "####C#", "####E#"}, 50, '#');
    step();
    move(2);
    move(3);
    EXPECT_EQ(currentMap->play.ball.x, 4);
    EXPECT_EQ(currentMap->play.ball.y, 1);
    EXPECT_EQ(aids->moves, 2);
    EXPECT_EQ(aids->history.size(), 2u);
    EXPECT_TRUE(aids->undo());
    EXPECT_EQ(currentMap->play.ball.x, 4);
    EXPECT_EQ(currentMap->play.ball.y, 1);
}

// A key held while the ball still rolls is taken where it comes to rest:
// that is a move of its own, counted and taken back like any other.
TEST_F(PlayerAidsTest, AMoveTakenOnTheTickOfArrivalCounts) {
    currentMap = test::mapFromText(test::kOpenLevel, 50, '#');
    step();
    PlayInput::right = 1;
    step();
    PlayInput::right = 0;
    PlayInput::down = 1;  // held before the ball reaches (5, 3)
    for (int i = 0; i < 40 && currentMap->play.ball.y < 4; i++) step();
    PlayInput::down = 0;
    ASSERT_EQ(currentMap->play.ball.x, 5) << "the ball turned down at its rest";
    EXPECT_EQ(aids->moves, 2);
    for (int i = 0; i < 40 && !MoveSimulator::restsForGood(*currentMap, currentMap->play); i++) step();
    move(2);
    EXPECT_EQ(aids->personalBest->best(50), 3) << "never below par";
    EXPECT_EQ(aids->history.size(), 3u);
    EXPECT_EQ(aids->history[1].ball.x, 5);
    EXPECT_EQ(aids->history[1].ball.y, 3);
}

}  // namespace
