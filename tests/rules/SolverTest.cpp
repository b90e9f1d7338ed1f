// The solver on small boards drawn in code, whose shortest answers are worked
// out by hand from the rules: each gizmo kind, a ball that never rests, and
// the resting-state bookkeeping.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "rules/MoveSimulator.h"
#include "rules/Solver.h"
#include "support/BoardText.h"

using namespace qm;

namespace {

// Rows of up to 20 characters; missing rows and columns are wall.
Board boardFrom(const std::vector<std::string>& rows) { return test::boardFromText(rows, '#'); }

SolveResult solve(const Board& board) { return Solver(board).solve(); }

TEST(SolverTest, WallsGiveTheFewestMovesAndTheTicksOfPlayingThem) {
    auto board = boardFrom({
        "#####",
        "#S..#",
        "###.#",
        "###E#",
    });
    SolveResult r = solve(board);
    ASSERT_TRUE(r.solved);
    EXPECT_EQ(r.moves, "RD");
    EXPECT_EQ(r.uses, 0);
    EXPECT_EQ(gizmoUseNames(r.uses), "walls");

    // The reported ticks are those of playing the answer on a fresh board.
    PlayState replay = PlayState::start(board);
    int ticks = 0;
    MoveResult first = MoveSimulator::play(board, replay, 2);
    ASSERT_EQ(first.outcome, MoveOutcome::Rested);
    MoveResult second = MoveSimulator::play(board, replay, 3);
    EXPECT_EQ(second.outcome, MoveOutcome::Solved);
    ticks = first.ticks + second.ticks;
    EXPECT_EQ(r.ticks, ticks);
}

TEST(SolverTest, BoxedInStartHasNoSolutionAndOneState) {
    auto board = boardFrom({"######", "#S#..#", "####E#"});
    SolveResult r = solve(board);
    EXPECT_FALSE(r.solved);
    EXPECT_TRUE(r.moves.empty());
    EXPECT_EQ(r.states, 1);
    EXPECT_FALSE(r.capped);
}

TEST(SolverTest, TeleportCarriesTheBallIntoTheSealedRoom) {
    // The end lies behind a wall; only the pair 16/17 reaches it.
    auto board = boardFrom({
        "####################",
        "#S..0###.1.E########",
    });
    SolveResult r = solve(board);
    ASSERT_TRUE(r.solved);
    EXPECT_EQ(r.moves, "R");
    EXPECT_TRUE(r.uses & USE_TELEPORT);
}

TEST(SolverTest, KeyTwoClosesLockTwoWhichThenStopsTheBall) {
    // Rolling right the ball takes key 2 at (4, 1); lock 2 at (7, 1) shuts at
    // once, so the ball rests at (6, 1) above the way down to the end.
    auto board = boardFrom({
        "##########",
        "#S..K..m.#",
        "######.###",
        "######E###",
    });
    SolveResult r = solve(board);
    ASSERT_TRUE(r.solved);
    EXPECT_EQ(r.moves, "RD");
    EXPECT_TRUE(r.uses & USE_KEY);
    EXPECT_FALSE(r.uses & USE_LOCK);

    // Without the key the lock stays an open gap and the end is out of reach.
    board.cells[4][1] = Code::Floor;
    EXPECT_FALSE(solve(board).solved);
}

TEST(SolverTest, KeyOneOpensLockOneForTheWayThrough) {
    auto board = boardFrom({
        "##########",
        "#S..l..E##",
        "#.########",
        "#k########",
    });
    SolveResult r = solve(board);
    ASSERT_TRUE(r.solved);
    EXPECT_EQ(r.moves, "DUR");
    EXPECT_TRUE(r.uses & USE_KEY);
    EXPECT_TRUE(r.uses & USE_LOCK);
}

TEST(SolverTest, SwitchTurnsTheBeamOutOfTheWay) {
    // The vertical beam from (6, 2) bars (6, 1); the switch below the start
    // turns it to lie along row 2, where walls leave it no floor.
    auto board = boardFrom({
        "##########",
        "#S.....E##",
        "#*####V###",
        "##########",
    });
    SolveResult r = solve(board);
    ASSERT_TRUE(r.solved);
    EXPECT_EQ(r.moves, "DUR");
    EXPECT_TRUE(r.uses & USE_SWITCH);
}

TEST(SolverTest, RecallPadSendsTheBallBackToThePointStillRolling) {
    auto board = boardFrom({
        "##########",
        "#Sr..#####",
        "##.#p#####",
        "##E#.#####",
        "##########",
    });
    SolveResult r = solve(board);
    ASSERT_TRUE(r.solved);
    EXPECT_EQ(r.moves, "RD");
    EXPECT_TRUE(r.uses & USE_RECALL_POINT);
    EXPECT_TRUE(r.uses & USE_RECALL_PAD);
}

TEST(SolverTest, ShatterBlockNeedsThreeApproachesAndAWeakOneTwo) {
    auto board = boardFrom({"##########", "#S..x.E###"});
    SolveResult r = solve(board);
    ASSERT_TRUE(r.solved);
    EXPECT_EQ(r.moves, "RLRLR");
    EXPECT_TRUE(r.uses & USE_SHATTER);

    // Every resting state: the start and the cell before the block, with the
    // block whole, cracked once and cracked twice (the last break solves).
    auto all = Solver(board).explore();
    EXPECT_EQ(all.states, 5);
    EXPECT_EQ(all.moves, "RLRLR");

    auto weak = boardFrom({"##########", "#S..w.E###"});
    EXPECT_EQ(solve(weak).moves, "RLR");
}

TEST(SolverTest, BoostersFacingEachOtherWasteTheMoveButNotTheSearch) {
    // Right from the start the ball bounces between the boosters for ever; the
    // tick cap ends that move and the way round is found.
    auto board = boardFrom({
        "##########",
        "#S.><..E##",
        "#.#####.##",
        "#.......##",
        "##########",
    });
    Solver solver(board);
    solver.tickCap = 600;
    SolveResult r = solver.solve();
    ASSERT_TRUE(r.solved);
    EXPECT_EQ(r.moves, "DRU");
    EXPECT_FALSE(r.uses & USE_BOOSTER);
}

TEST(SolverTest, FadingLockIsTheSameStateAsItsFinalOne) {
    Board board = boardFrom({"##########", "#S..l..E##", "#k########"});
    PlayState state = PlayState::start(board);
    std::string closed = Solver::stateKey(board, state);
    state.gizmos.lockStates[0] = 2;  // key 1 just taken: lock 1 fading out
    state.lockTimers[0] = 17;
    std::string fading = Solver::stateKey(board, state);
    state.gizmos.lockStates[0] = 1;
    state.lockTimers[0] = 0;
    std::string open = Solver::stateKey(board, state);
    EXPECT_NE(closed, open);
    EXPECT_EQ(fading, open);

    // A key gives back the very same position and gizmos.
    PlayState restored = Solver::stateFromKey(fading);
    EXPECT_EQ(restored.gizmos.lockStates[0], 1);
    EXPECT_EQ(restored.lockTimers[0], 0);
    EXPECT_EQ(Solver::stateKey(board, restored), open);
}

TEST(SolverTest, SearchFromAStateInPlayLeavesThatStateAlone) {
    Board board = boardFrom({"##########", "#S..x.E###"});
    PlayState state = PlayState::start(board);
    MoveSimulator::play(board, state, 2);  // rests before the block, now cracked
    std::string before = Solver::stateKey(board, state);
    SolveResult r = Solver(board, state).solve();
    EXPECT_EQ(r.moves, "LRLR");
    EXPECT_EQ(Solver::stateKey(board, state), before);
}

}  // namespace
