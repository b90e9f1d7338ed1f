// The puzzle measures on two small boards whose state graphs are worked out
// by hand: each has an open edge on the left (rolling off restarts), one a
// trap (key 2 closes the only way to the end), one a teleport and a key that
// the solution cannot do without.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "LevelStats.h"
#include "support/BoardText.h"
#include "support/PlayRig.h"

using namespace qm;

namespace {

class LevelStatsTest : public test::PlayRig {
protected:
    // Rows as drawn; every cell not drawn is wall.
    static Board board(const std::vector<std::string>& rows) { return test::boardFromText(rows, '#'); }
};

TEST_F(LevelStatsTest, ClosingTheOnlyDoorIsATrapOfDeadStates) {
    // Right solves at once. Down takes key 2 and closes the gap: from then on
    // the ball can only shuttle between (1, 3), (1, 1) and (4, 1) or roll off.
    auto b = board({
        "####################",
        ".S...m....E",
        "#.",
        "#K",
    });
    StateGraph graph = StateGraph::explore(b, 1000);
    ASSERT_EQ(graph.size(), 4);
    EXPECT_EQ(graph.edge(0, 3).end, MoveEnd::Restarted);
    EXPECT_EQ(graph.edge(0, 0).end, MoveEnd::Blocked);

    LevelMeasures m = LevelStats::measure(b);
    ASSERT_TRUE(m.solvable);
    EXPECT_EQ(m.solution, "R");
    EXPECT_EQ(m.deadStates, 3);  // a restart is not a way on
    EXPECT_TRUE(m.trap);
    EXPECT_EQ(m.costlyChoices, 1);
    EXPECT_EQ(m.wrongTurns, std::vector<int>{-1});
    EXPECT_EQ(m.forcedSteps, 0);  // the solve and the key are both on offer
    EXPECT_EQ(m.effort, 1);
    EXPECT_EQ(m.shortestSolutions, 1);
    EXPECT_EQ(m.openCells, 13);
    EXPECT_EQ(m.kinds, FEATURE_KEY2);
    EXPECT_EQ(m.essential, 0);  // key 2 only sets the trap
    EXPECT_EQ(m.inert, 0);
}

TEST_F(LevelStatsTest, TheMoveNearestTheEndIsALureAndTheNoviceGuessesItsWay) {
    // Right rests nearest the end but takes key 2, which closes the gap
    // below the start for good: a lure. Down then right solves. A guessing
    // player at the start wastes half his moves on the lure (taken back), and
    // below it solves or climbs back: E(start) = 2 + E(below), E(below) =
    // (2 + E(start)) / 2, so 6 moves. The pocket below holds one lone stone.
    auto b = board({
        "####################",
        "#S..K",
        "#m",
        "#....E",
        "#",
        "##...",
        "##.#.",
        "##...",
    });
    LevelMeasures m = LevelStats::measure(b);
    ASSERT_TRUE(m.solvable);
    EXPECT_EQ(m.solution, "DR");
    EXPECT_TRUE(m.ideas.lure);
    EXPECT_NEAR(m.ideas.noviceMoves, 6.0, 1e-9);
    EXPECT_EQ(m.ideas.gizmoMoves, 0);
    EXPECT_EQ(m.ideas.plainMoves, 1);  // down stops against the wall; right solves
    EXPECT_EQ(m.ideas.loneStones, 1);
}

TEST_F(LevelStatsTest, TeleportAndKeyAreBothEssentialOnAForcedPath) {
    // Right teleports to (9, 1) and stops at lock 1; down takes key 1, up
    // returns, right solves. Left from the far side teleports back and rolls off.
    auto b = board({
        "####################",
        ".S..0####1..l....E",
        "###########.",
        "###########k",
    });
    LevelMeasures m = LevelStats::measure(b);
    ASSERT_TRUE(m.solvable);
    EXPECT_EQ(m.solution, "RDUR");
    EXPECT_EQ(m.states, 4);
    EXPECT_EQ(m.deadStates, 0);
    EXPECT_FALSE(m.trap);
    EXPECT_EQ(m.costlyChoices, 0);
    EXPECT_EQ(m.forcedSteps, 4);  // the return to the key is no way onward
    EXPECT_EQ(m.effort, 4);
    EXPECT_EQ(m.shortestSolutions, 1);
    EXPECT_EQ(m.kinds, FEATURE_TELEPORT | FEATURE_KEY1);
    EXPECT_EQ(m.essential, FEATURE_TELEPORT | FEATURE_KEY1);
    // The teleport and the key work in a move each; the climb back stops
    // against a wall; the last move runs only because the key opened the lock.
    EXPECT_EQ(m.ideas.gizmoMoves, 2);
    EXPECT_EQ(m.ideas.plainMoves, 1);
    EXPECT_EQ(m.ideas.dependentMoves, 1);
    EXPECT_EQ(m.ideas.worked, "teleport, key1");
    EXPECT_FALSE(m.ideas.lure);
    EXPECT_EQ(m.ideas.loneStones, 0);

    // Without its partner the teleport is an inert piece, and the level falls apart.
    b.cells[9][1] = Code::FirstWall;
    EXPECT_EQ(LevelStats::inertOn(b), FEATURE_TELEPORT);
    EXPECT_FALSE(LevelStats::measure(b).solvable);
}

}  // namespace
