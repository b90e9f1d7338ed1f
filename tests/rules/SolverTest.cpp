// The solver on small boards drawn in code, whose shortest answers are worked
// out by hand from the rules: each gizmo kind, a ball that never rests, and
// the resting-state bookkeeping.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "rules/MoveSimulator.h"
#include "rules/Solver.h"

using namespace qm;

namespace {

// Rows of up to 20 characters; missing rows and columns are wall.
// # wall  . floor  S start  E end  0-9 teleport 16+n  k/K key 1/2  L/l lock 1/2
// X shatter  x weak shatter  $ switch  | vertical beam block  = horizontal
// r recall point  p recall pad  > < v ^ boosters
Board boardFrom(const std::vector<std::string>& rows) {
    Board board;
    for (int x = 0; x < kBoardWidth; ++x)
        for (int y = 0; y < kBoardHeight; ++y) {
            char c = (y < int(rows.size()) && x < int(rows[size_t(y)].size())) ? rows[size_t(y)][size_t(x)] : '#';
            int code = 10;
            switch (c) {
                case '.': code = 3; break;
                case 'S': code = 1; break;
                case 'E': code = 2; break;
                case 'k': code = 31; break;
                case 'K': code = 32; break;
                case 'L': code = 33; break;
                case 'l': code = 34; break;
                case 'X': code = 126; break;
                case 'x': code = 125; break;
                case '$': code = 9; break;
                case '|': code = 127; break;
                case '=': code = 124; break;
                case 'r': code = 7; break;
                case 'p': code = 8; break;
                case '>': code = 115; break;
                case '<': code = 116; break;
                case 'v': code = 117; break;
                case '^': code = 118; break;
                default:
                    if (c >= '0' && c <= '9') code = 16 + (c - '0');
                    break;
            }
            board.cells[x][y] = code;
        }
    board.locateStartAndEnd();
    return board;
}

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
        "#S..K..l.#",
        "######.###",
        "######E###",
    });
    SolveResult r = solve(board);
    ASSERT_TRUE(r.solved);
    EXPECT_EQ(r.moves, "RD");
    EXPECT_TRUE(r.uses & USE_KEY);
    EXPECT_FALSE(r.uses & USE_LOCK);

    // Without the key the lock stays an open gap and the end is out of reach.
    board.cells[4][1] = 3;
    EXPECT_FALSE(solve(board).solved);
}

TEST(SolverTest, KeyOneOpensLockOneForTheWayThrough) {
    auto board = boardFrom({
        "##########",
        "#S..L..E##",
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
        "#$####|###",
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
    auto board = boardFrom({"##########", "#S..X.E###"});
    SolveResult r = solve(board);
    ASSERT_TRUE(r.solved);
    EXPECT_EQ(r.moves, "RLRLR");
    EXPECT_TRUE(r.uses & USE_SHATTER);

    // Every resting state: the start and the cell before the block, with the
    // block whole, cracked once and cracked twice (the last break solves).
    auto all = Solver(board).explore();
    EXPECT_EQ(all.states, 5);
    EXPECT_EQ(all.moves, "RLRLR");

    auto weak = boardFrom({"##########", "#S..x.E###"});
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
    Board board = boardFrom({"##########", "#S..L..E##", "#k########"});
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
    Board board = boardFrom({"##########", "#S..X.E###"});
    PlayState state = PlayState::start(board);
    MoveSimulator::play(board, state, 2);  // rests before the block, now cracked
    std::string before = Solver::stateKey(board, state);
    SolveResult r = Solver(board, state).solve();
    EXPECT_EQ(r.moves, "LRLR");
    EXPECT_EQ(Solver::stateKey(board, state), before);
}

}  // namespace
