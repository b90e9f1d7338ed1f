// The campaign page names each level's ideas from its solution replayed
// through the rules, and counts the grind of a solution that loops on one
// block. Small boards like the real ones (open edges that restart, keys and
// locks, teleports, boosters), each solved first so the names belong to the
// solution the measures use.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "LevelStats.h"
#include "SolutionIdeas.h"
#include "support/BoardText.h"

using namespace qm;

namespace {

struct Named {
    LevelMeasures m;
    std::vector<std::string> names;
};

// Rows as drawn; every cell not drawn is wall.
Named solveAndName(const std::vector<std::string>& rows) {
    Board board = test::boardFromText(rows, '#');
    Named out{LevelStats::measure(board), {}};
    out.names = SolutionIdeas::names(board, out.m.solution, out.m.ideas.lureRest);
    return out;
}

TEST(SolutionIdeasTest, KeysTeleportsAndBoostersAreNamedByWhatTheSolutionDoes) {
    // Key order: right takes key 1 through the open gap, back, down takes key
    // 2 (the left edge below it restarts), up, and right stops on the closed
    // gap above the open door. Down first, nearest the goal, takes key 2 too
    // early: the lure.
    Named keys = solveAndName({
        "############",
        "#S..m...k..#",
        "#K#l########",
        "..#.########",
        "###E########",
    });
    ASSERT_EQ(keys.m.solution, "RLDURD");
    EXPECT_EQ(keys.names,
              (std::vector<std::string>{"key order", "the closed gap is the stopper", "the lure at the start"}));

    // Out through the pair for key 1, back through it the other way beside
    // the door it opened.
    Named teleport = solveAndName({
        "############",
        "#S..0##1..k#",
        "#l##########",
        "#E##########",
    });
    ASSERT_EQ(teleport.m.solution, "RLD");
    EXPECT_EQ(teleport.names, (std::vector<std::string>{"a teleport used from both ends", "the door you fetch the key for"}));

    // Straight at the block the ball cracks it and stops; powered by the
    // booster it breaks it at the first touch (left of the start restarts).
    Named booster = solveAndName({
        "##########",
        "#.>..x..E#",
        ".S.#######",
        "##########",
    });
    ASSERT_EQ(booster.m.solution, "UR");
    EXPECT_EQ(booster.names, (std::vector<std::string>{"a booster breaks a shatter block from afar"}));

    // Right rests nearest the goal but takes key 2, which closes the only way
    // down: the lure, offered at the start.
    Named lure = solveAndName({
        "##########",
        "#S...K####",
        "#m########",
        "......E###",
        "##########",
    });
    ASSERT_EQ(lure.m.solution, "DR");
    EXPECT_EQ(lure.names, (std::vector<std::string>{"the lure at the start"}));

    // The corner lifts the last move onto the goal column.
    Named lift = solveAndName({
        "##########",
        "######E###",
        "######.###",
        ".S....D..#",
        "##########",
    });
    ASSERT_EQ(lift.m.solution, "R");
    EXPECT_EQ(lift.names, (std::vector<std::string>{"an angle block as a lift"}));
}

TEST(SolutionIdeasTest, KnockingTwiceIsFreeButALoopOnOneBlockIsGrind) {
    // A weak block: crack, back, break. The way back and the second knock are
    // the first two repeats, and free.
    Named weak = solveAndName({
        "#########",
        "#S..w..E#",
        "#########",
    });
    ASSERT_EQ(weak.m.solution, "RLR");
    EXPECT_EQ(weak.m.ideas.worked, "shatter x2");
    EXPECT_EQ(weak.m.ideas.grind, 0);
    EXPECT_EQ(weak.m.ideas.shatterGrind, 0);
    EXPECT_EQ(weak.names, (std::vector<std::string>{"knocking twice"}));

    // A whole block takes three knocks: two more loops back to the same
    // rests, the grind the page counts.
    Named whole = solveAndName({
        "#########",
        "#S..x..E#",
        "#########",
    });
    ASSERT_EQ(whole.m.solution, "RLRLR");
    EXPECT_EQ(whole.m.ideas.worked, "shatter x3");
    EXPECT_EQ(whole.m.ideas.grind, 2);
    EXPECT_EQ(whole.m.ideas.shatterGrind, 2);

    // Through the teleport for the key and back to the start, then the weak
    // block: three loops for the page, but the walk back through the pair
    // knocked nothing, so the loops on the block are only the first two.
    Named fetched = solveAndName({
        "############",
        "#S..0##1..k#",
        "#l##########",
        "#...w..E####",
    });
    ASSERT_EQ(fetched.m.solution, "RLDRLR");
    EXPECT_EQ(fetched.m.ideas.worked, "key1+teleport, teleport, shatter x2");
    EXPECT_EQ(fetched.m.ideas.grind, 1);
    EXPECT_EQ(fetched.m.ideas.shatterGrind, 0);
}

}  // namespace
