// A level played through its run alone, with no screen and no globals: the
// stack of play states behind undo and restart, the hint, the count against
// par, the best, and the outcome.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "play/LevelPars.h"
#include "play/LevelRun.h"
#include "play/PersonalBest.h"
#include "support/BoardText.h"
#include "rules/MoveSimulator.h"
#include "support/GameRun.h"
#include "support/PlayRig.h"
#include "support/TempFolder.h"

using namespace qm;

namespace {

class LevelRunTest : public test::PlayRig {
protected:
    void start(const std::vector<std::string>& rows, LevelRun::Mode mode = LevelRun::Mode::Campaign) {
        board = test::boardFromText(rows, '#');
        PlayState first = PlayState::start(board);
        bests = PersonalBest::create(0);
        run = std::make_unique<LevelRun>(board, first, 50, mode, LevelPars::workOut(board, first), bests);
    }
    RunStep step(int direction = 0, bool restart = false, bool undo = false) {
        RunInput input;
        input.tick.direction = direction;
        input.tick.restart = restart ? 1 : 0;
        input.undo = undo;
        RunStep result = run->step(input);
        if (result.outcome != RunOutcome::Playing) outcomes.push_back(result.outcome);
        return result;
    }
    // Pushes a direction for one step, then lets the ball roll to a rest the
    // player must end; counts the moves the rules saw begin.
    void move(int direction) {
        started += step(direction).events.startedRolling;
        for (int i = 0; i < 400 && !run->over() && !MoveSimulator::restsForGood(board, run->live()); i++) step();
    }
    const BallState& ball() const { return run->live().ball; }

    test::TempFolder folder;
    Board board;
    std::shared_ptr<PersonalBest> bests;
    std::unique_ptr<LevelRun> run;
    std::vector<RunOutcome> outcomes;
    int started = 0;
};

// The campaign's kind of board, open to the top edge: solved with par moves
// after a detour that undo takes back, the best kept, the run over.
TEST_F(LevelRunTest, APlayWithUndoEndsSolvedAtParAndKeepsTheBest) {
    start(test::kOpenLevel);
    EXPECT_EQ(run->par(), 3);
    move(Dir::Right);
    move(Dir::Left);
    ASSERT_EQ(run->moves(), 2);
    EXPECT_TRUE(run->undo());
    EXPECT_EQ(ball().x, 5) << "back where the second move began";
    EXPECT_EQ(run->moves(), 1);
    move(Dir::Down);
    move(Dir::Right);
    EXPECT_EQ(started, 4) << "the ball rolled four times";
    ASSERT_EQ(outcomes, std::vector<RunOutcome>{RunOutcome::Solved});
    EXPECT_EQ(run->moves(), 3);
    EXPECT_EQ(run->best(), 3);
    EXPECT_EQ(PersonalBest::create(0)->best(50), 3) << "written to the file";
    // Over is over: no more moves, no undo, no second outcome.
    EXPECT_FALSE(run->undo());
    step(Dir::Left);
    EXPECT_EQ(ball().x, board.endX);
    EXPECT_EQ(run->skip(), RunOutcome::Playing);
    EXPECT_EQ(outcomes.size(), 1u);
}

// Undo restores gizmos with the ball: a cracked shatter block whole, a lock
// closed by key 2 open again at once; a restart empties the stack.
TEST_F(LevelRunTest, UndoRestoresGizmosAndARestartEmptiesTheStack) {
    start({"#######", "#S.K.x.m.E#", "#....###"});
    move(Dir::Right);
    ASSERT_EQ(ball().x, 4) << "stopped in front of the shatter block";
    EXPECT_NE(run->live().gizmos.lockStates[1], 1) << "key 2 turned lock 2";
    EXPECT_EQ(run->live().gizmos.cellState(5, 1), 1) << "cracked";
    EXPECT_TRUE(run->undo());
    EXPECT_EQ(ball().x, 1);
    EXPECT_EQ(run->live().gizmos.cellState(5, 1), 0);
    EXPECT_EQ(run->live().gizmos.lockStates[1], 1);
    EXPECT_EQ(run->live().lockTimers[1], 0);
    EXPECT_FALSE(run->undo()) << "nothing left to take back";
    move(Dir::Down);
    EXPECT_EQ(run->moves(), 1);
    step(0, true);
    EXPECT_EQ(run->moves(), 0);
    EXPECT_FALSE(run->undo());
}

// The hint names the first move of a shortest way and leaves the play alone;
// after a move into a dead end it says there is none.
TEST_F(LevelRunTest, HintShowsTheWayOrSaysThereIsNone) {
    start(test::kOpenLevel);
    EXPECT_EQ(run->hint(), Dir::Right);
    EXPECT_EQ(run->hintTicks, LevelRun::kHintTicks);
    EXPECT_EQ(ball().x, 2);
    EXPECT_EQ(run->moves(), 0);
    // The arrow stays until the next move, however long the player looks.
    for (int i = 0; i < 600; i++) step();
    EXPECT_EQ(run->hintTicks, LevelRun::kHintTicks);
    move(Dir::Right);
    EXPECT_EQ(run->hintTicks, 0);
    start({"#####", "#S.K.m.E#", "######"});
    move(Dir::Right);
    EXPECT_EQ(run->hint(), 0);
    EXPECT_GT(run->messageTicks, 0);
}

// One push that bounces off an angle block is one move, as the solver counts
// it; a key held while the ball rolls is a move of its own where it rests.
TEST_F(LevelRunTest, MovesCountAsTheSolverCountsThem) {
    start({"######", "#S...#", "####.#", "####C#", "####E#"});
    move(Dir::Right);
    move(Dir::Down);
    EXPECT_EQ(ball().x, 4);
    EXPECT_EQ(ball().y, 1);
    EXPECT_EQ(run->moves(), 2);
    start(test::kOpenLevel);
    step(Dir::Right);
    for (int i = 0; i < 40 && ball().y < 4; i++) step(Dir::Down);  // held before the ball reaches (5, 3)
    ASSERT_EQ(ball().x, 5);
    EXPECT_EQ(run->moves(), 2);
}

// How a run ends decides what the controller does next.
TEST_F(LevelRunTest, TheOutcomeFollowsTheModeOfTheRun) {
    start(test::kOpenLevel, LevelRun::Mode::LastOfGroup);
    EXPECT_EQ(run->skip(), RunOutcome::GroupFinished);
    EXPECT_FALSE(run->solved());
    start(test::kOpenLevel, LevelRun::Mode::Replay);
    move(Dir::Right);
    move(Dir::Down);
    move(Dir::Right);
    EXPECT_EQ(outcomes.back(), RunOutcome::ReplayFinished);
    EXPECT_TRUE(run->solved());
    start(test::kOpenLevel);
    EXPECT_EQ(run->skip(), RunOutcome::Skipped);
}

}  // namespace
