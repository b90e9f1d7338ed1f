// One level being played, from its start to its outcome: the board, the stack
// of play states (the live one on top, below it the rest each move started
// from, so undo pops and a restart keeps only the bottom), the move count, the
// par, the player's best and how the level ended. The controller feeds it one
// input a logic step and acts on the outcome; the board's picture is fed by
// the events each step returns. It draws nothing and reads no global.
#pragma once
#include <future>
#include <memory>
#include <vector>

#include "rules/Board.h"
#include "rules/PlayState.h"
#include "rules/RuleLog.h"
#include "rules/Solver.h"

namespace qm {

class PersonalBest;

enum class RunOutcome {
    Playing,
    Solved,          // the ball reached the end
    Skipped,         // the player skipped the level
    GroupFinished,   // solved or skipped, and it was the last of its group of five
    ReplayFinished,  // a level played again from the level choice is over
};

// One logic step's input: the tick's keys, and the aids' keys pressed since
// the last step.
struct RunInput {
    TickInput tick;
    bool undo = false;
    bool hint = false;
};

// What one logic step of a run did.
struct RunStep {
    TickEvents events;
    BallState from;     // where the ball began the tick, after an undo
    RuleLog ballLines;  // what the rules said while the ball moved
    RuleLog lockLines;  // and while the locks turned
    // The outcome reached on this very step, else Playing: the controller
    // acts on it once.
    RunOutcome outcome = RunOutcome::Playing;
};

class LevelRun {
public:
    // Set when the hint arrow shows; it stays until the next move, an undo or
    // a restart, so a player who looks away does not miss it.
    static constexpr int kHintTicks = 120;
    static constexpr int kMessageTicks = 240;  // the "no way from here" notice
    static constexpr int kHintStateCap = 60000;

    // How a finished run counts for the campaign.
    enum class Mode { Campaign, LastOfGroup, Replay };

    // `start` is the level's first state (the ball at rest on the start);
    // `par` is worked out elsewhere, usually on the hint's worker; `bests`
    // may be null.
    LevelRun(const Board& board, const PlayState& start, int levelNumber, Mode mode, std::shared_future<int> par,
             std::shared_ptr<PersonalBest> bests);

    // One logic step: the ball's move (unless the level is over), then the
    // locks' timers. A restart (key or rolling off) empties the stack; a move
    // the player began from a rest is pushed and counted; the solve ends the
    // run and records the best.
    RunStep step(const RunInput& input);

    // Commands, taken only while the ball rests and the level goes on.
    bool undo();
    // The level from its start: the stack keeps only its bottom entry.
    void restart(RuleLog* log = nullptr);
    // Starts working out the next move of a shortest solution on a worker,
    // on copies: the live state is never touched. False unless the ball rests.
    bool requestHint();
    // The answer of the last request, waited for if need be: 1 up .. 4 left
    // and the arrow shows, or 0 and the "no way" notice shows. Nothing when
    // the ball has moved on since the request.
    int collectHint();
    int hint() { return requestHint() ? collectHint() : 0; }
    // Ends the run as skipped; returns the outcome.
    RunOutcome skip();

    const Board& board() const { return board_; }
    const PlayState& live() const { return states.back(); }
    int levelNumber() const { return level; }
    int moves() const { return int(states.size()) - 1; }
    // The fewest moves from the start, -1 when unsolvable or unknown; waits
    // for the worker the first time.
    int par() const;
    int best() const;
    RunOutcome outcome() const { return outcome_; }
    bool over() const { return outcome_ != RunOutcome::Playing; }
    bool solved() const { return solvedIt; }
    bool ballRests();

    int hintDirection = 0;
    int hintTicks = 0;
    int messageTicks = 0;

private:
    Board board_;
    std::vector<PlayState> states;
    int level = 0;
    Mode mode = Mode::Campaign;
    std::shared_future<int> par_;
    std::shared_ptr<PersonalBest> bests;
    RunOutcome outcome_ = RunOutcome::Playing;
    bool solvedIt = false;
    bool restIsFinal = false;
    std::future<SolveResult> pendingHint;
    PlayState hintFrom;

    PlayState& liveState() { return states.back(); }
    void startAfresh();
    RunOutcome end(bool solved);
};

}  // namespace qm
