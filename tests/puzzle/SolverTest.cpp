// The solver on small boards drawn in code, whose shortest answers are worked
// out by hand from the rules: each gizmo kind, a ball that never rests, and
// the resting-state bookkeeping.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "play/Globals.h"
#include "play/LevelMap.h"
#include "rules/MoveSimulator.h"
#include "rules/Solver.h"
#include "runtime/Diagnostics.h"
#include "runtime/Runtime.h"

using namespace qm;

namespace {

// Rows of up to 20 characters; missing rows and columns are wall.
// # wall  . floor  S start  E end  0-9 teleport 16+n  k/K key 1/2  L/l lock 1/2
// X shatter  x weak shatter  $ switch  | vertical beam block  = horizontal
// r recall point  p recall pad  > < v ^ boosters
LevelMapPtr boardFrom(const std::vector<std::string>& rows) {
    auto board = LevelMap::createEmpty(1);
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
            board->cells[x][y] = code;
            if (code == 1) { board->startX = x; board->startY = y; }
            if (code == 2) { board->endX = x; board->endY = y; }
        }
    board->gizmos = GizmoStates::createFrom(board.get());
    return board;
}

class SolverTest : public ::testing::Test {
protected:
    void SetUp() override {
        resetGlobals();
        RuntimeOptions o;
        o.headless = true;
        runtimeInit(o);
        setDebugLogTarget("");
    }
    void TearDown() override {
        resetGlobals();
        runtimeShutdown();
    }
    static SolveResult solve(const LevelMapPtr& board) { return Solver::create(board)->solve(); }
};

TEST_F(SolverTest, WallsGiveTheFewestMovesAndTheTicksOfPlayingThem) {
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
    auto replay = boardFrom({"#####", "#S..#", "###.#", "###E#"});
    replay->restart();
    int ticks = 0;
    MoveResult first = MoveSimulator::play(*replay, 2);
    ASSERT_EQ(first.outcome, MoveOutcome::Rested);
    MoveResult second = MoveSimulator::play(*replay, 3);
    EXPECT_EQ(second.outcome, MoveOutcome::Solved);
    ticks = first.ticks + second.ticks;
    EXPECT_EQ(r.ticks, ticks);
}

TEST_F(SolverTest, BoxedInStartHasNoSolutionAndOneState) {
    auto board = boardFrom({"######", "#S#..#", "####E#"});
    SolveResult r = solve(board);
    EXPECT_FALSE(r.solved);
    EXPECT_TRUE(r.moves.empty());
    EXPECT_EQ(r.states, 1);
    EXPECT_FALSE(r.capped);
}

TEST_F(SolverTest, TeleportCarriesTheBallIntoTheSealedRoom) {
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

TEST_F(SolverTest, KeyTwoClosesLockTwoWhichThenStopsTheBall) {
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
    board->cells[4][1] = 3;
    board->gizmos = GizmoStates::createFrom(board.get());
    board->ball = nullptr;
    EXPECT_FALSE(solve(board).solved);
}

TEST_F(SolverTest, KeyOneOpensLockOneForTheWayThrough) {
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

TEST_F(SolverTest, SwitchTurnsTheBeamOutOfTheWay) {
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

TEST_F(SolverTest, RecallPadSendsTheBallBackToThePointStillRolling) {
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

TEST_F(SolverTest, ShatterBlockNeedsThreeApproachesAndAWeakOneTwo) {
    auto board = boardFrom({"##########", "#S..X.E###"});
    SolveResult r = solve(board);
    ASSERT_TRUE(r.solved);
    EXPECT_EQ(r.moves, "RLRLR");
    EXPECT_TRUE(r.uses & USE_SHATTER);

    // Every resting state: the start and the cell before the block, with the
    // block whole, cracked once and cracked twice (the last break solves).
    auto all = Solver::create(board)->explore();
    EXPECT_EQ(all.states, 5);
    EXPECT_EQ(all.moves, "RLRLR");

    auto weak = boardFrom({"##########", "#S..x.E###"});
    EXPECT_EQ(solve(weak).moves, "RLR");
}

TEST_F(SolverTest, BoostersFacingEachOtherWasteTheMoveButNotTheSearch) {
    // Right from the start the ball bounces between the boosters for ever; the
    // tick cap ends that move and the way round is found.
    auto board = boardFrom({
        "##########",
        "#S.><..E##",
        "#.#####.##",
        "#.......##",
        "##########",
    });
    auto solver = Solver::create(board);
    solver->tickCap = 600;
    SolveResult r = solver->solve();
    ASSERT_TRUE(r.solved);
    EXPECT_EQ(r.moves, "DRU");
    EXPECT_FALSE(r.uses & USE_BOOSTER);
}

TEST_F(SolverTest, FadingLockIsTheSameStateAsItsFinalOne) {
    auto board = boardFrom({"##########", "#S..L..E##", "#k########"});
    board->restart();
    std::string closed = Solver::stateKey(*board);
    board->gizmos->lockStates[0] = 2;  // key 1 just taken: lock 1 fading out
    board->lockTimers[0] = 17;
    std::string fading = Solver::stateKey(*board);
    board->gizmos->lockStates[0] = 1;
    board->lockTimers[0] = 0;
    std::string open = Solver::stateKey(*board);
    EXPECT_NE(closed, open);
    EXPECT_EQ(fading, open);

    // A key restores the very same position and gizmos.
    Solver::restoreState(*board, fading);
    EXPECT_EQ(board->gizmos->lockStates[0], 1);
    EXPECT_EQ(board->lockTimers[0], 0);
    EXPECT_EQ(Solver::stateKey(*board), open);
}

TEST_F(SolverTest, SearchLeavesTheBoardWhereItBegan) {
    auto board = boardFrom({"##########", "#S..X.E###"});
    board->restart();
    MoveSimulator::play(*board, 2);  // rests before the block, now cracked
    std::string before = Solver::stateKey(*board);
    SolveResult r = solve(board);
    EXPECT_EQ(r.moves, "LRLR");
    EXPECT_EQ(Solver::stateKey(*board), before);
    EXPECT_EQ(board->simulation, 0);
}

}  // namespace

// ---------------------------------------------------------------------------
// The solver's answers typed into the real game: for a campaign level with
// keys, one with beams and one with teleports, the headless program is started
// on that level, plays the moves through its scripted keyboard, and the
// profile file it writes records the level as solved.

#include <sstream>

#include "support/TempFolder.h"

namespace {

struct CampaignPick {
    int level = -1;
    std::string moves;
    std::vector<int> ticks;  // per move, from playing it on the game's board
};

// The first campaign level from 15 on (past the tutorial pages) whose
// shortest solution uses `use`.
CampaignPick pickLevel(int use, const std::vector<int>& taken) {
    CampaignPick pick;
    for (int level = 15; level <= kLastLevel; ++level) {
        if (std::find(taken.begin(), taken.end(), level) != taken.end()) continue;
        auto board = LevelMap::create(level);
        if (board->endX < 0) continue;
        SolveResult r = Solver::create(board)->solve();
        if (!r.solved || !(r.uses & use)) continue;
        pick.level = level;
        pick.moves = r.moves;
        auto replay = LevelMap::create(level);
        replay->simulation = 1;
        replay->restart();
        for (char letter : r.moves) {
            int dir = letter == 'U' ? 1 : letter == 'R' ? 2 : letter == 'D' ? 3 : 4;
            pick.ticks.push_back(MoveSimulator::play(*replay, dir).ticks);
        }
        return pick;
    }
    return pick;
}

TEST(CampaignPlayTest, SolverAnswersSolveCampaignLevelsInTheRealGame) {
    resetGlobals();
    RuntimeOptions o;
    o.headless = true;
    runtimeInit(o);
    setDebugLogTarget("");
    test::TempFolder folder;
    folder.linkGameData();

    std::vector<int> taken;
    std::vector<CampaignPick> picks;
    for (int use : {USE_KEY, USE_SWITCH, USE_TELEPORT}) {
        CampaignPick pick = pickLevel(use, taken);
        ASSERT_GE(pick.level, 0) << "no campaign level uses " << gizmoUseNames(use);
        taken.push_back(pick.level);
        picks.push_back(pick);
    }
    resetGlobals();
    runtimeShutdown();

    for (const CampaignPick& pick : picks) {
        SCOPED_TRACE("level " + std::to_string(pick.level) + " " + pick.moves);
        // A profile where every earlier level is solved, so the game continues here.
        std::string profile(175, '\0');
        for (int i = 0; i < pick.level; ++i) profile[size_t(i)] = 1;
        test::writeBinary("save0.dat", profile);

        std::ostringstream script;
        script << "40 key 13 down\n41 key 13 up\n";  // Enter on the main menu: play
        int frame = 90;
        for (size_t i = 0; i < pick.moves.size(); ++i) {
            char letter = pick.moves[i];
            int vk = letter == 'U' ? 38 : letter == 'R' ? 39 : letter == 'D' ? 40 : 37;
            script << frame << " key " << vk << " down\n" << frame + 2 << " key " << vk << " up\n";
            frame += pick.ticks[i] + 12;
        }
        script << frame + 60 << " close\n";
        test::writeBinary("script.txt", script.str());
        std::string command = std::string(QM_GAME_DIR) +
                              "/quillmere --headless --script script.txt --log log.txt --max-frames " +
                              std::to_string(frame + 400) + " >/dev/null 2>&1";
        ASSERT_EQ(test::runCommand(command), 0);
        std::string saved = test::readBinary("save0.dat");
        ASSERT_EQ(saved.size(), 175u);
        EXPECT_EQ(int(saved[size_t(pick.level)]), 1) << test::readText("log.txt").substr(0, 4000);
    }
}

}  // namespace
