// A level being played: the stack of play states, moves, par, best, outcome.
#include "play/LevelRun.h"

#include <utility>

#include "play/PersonalBest.h"
#include "rules/MoveSimulator.h"
#include "runtime/Background.h"

namespace qm {

LevelRun::LevelRun(const Board& board, const PlayState& start, int levelNumber, Mode mode,
                   std::shared_future<int> par, std::shared_ptr<PersonalBest> bests)
    : board_(board), states{start}, level(levelNumber), mode(mode), par_(std::move(par)), bests(std::move(bests)) {}

int LevelRun::par() const { return par_.valid() ? par_.get() : -1; }

int LevelRun::best() const { return bests ? bests->best(level) : 0; }

bool LevelRun::ballRests() {
    const PlayState& now = live();
    if (now.ball.direction != 0 || !now.ball.atCentre()) {
        restIsFinal = false;
        return false;
    }
    // A halt on a booster or angle block that rolls on by itself is part of
    // the move; only a rest the player must end counts, as for the solver.
    if (!restIsFinal) restIsFinal = MoveSimulator::restsForGood(board_, now);
    return restIsFinal;
}

void LevelRun::startAfresh() {
    states.erase(states.begin(), states.end() - 1);
    hintTicks = 0;
    messageTicks = 0;
    restIsFinal = false;
    pendingHint = {};
}

RunStep LevelRun::step(const RunInput& input) {
    RunStep result;
    if (messageTicks > 0) messageTicks--;
    if (pendingHint.valid()) collectHint();
    if (!over() && ballRests() && input.tick.inputAllowed == 1) {
        if (input.undo) undo();
        if (input.hint) requestHint();
    }
    result.from = live().ball;
    if (!over()) {
        result.events = liveState().moveBall(board_, input.tick, &result.ballLines);
        if (result.events.restarted) {
            // A restart (R or rolling off): the stack keeps its bottom, and
            // the hint or the "no way" notice of the last attempt no longer
            // applies.
            PlayState now = live();
            startAfresh();
            states.back() = now;
        } else if (result.events.startedRolling) {
            // The player's direction is taken at the end of a tick, where the
            // ball stood: that rest, even when the ball only reached it this
            // tick with the key already held. A halt a gizmo overrules is no move.
            PlayState rest = live();
            rest.ball.direction = 0;
            if (MoveSimulator::restsForGood(board_, rest)) {
                states.insert(states.end() - 1, rest);
                hintTicks = 0;
            }
        }
        if (result.events.solved) result.outcome = end(true);
    }
    liveState().advanceLocks(board_, &result.lockLines);
    return result;
}

RunOutcome LevelRun::end(bool solved) {
    solvedIt = solved;
    pendingHint = {};
    if (solved && bests) bests->record(level, moves());
    if (mode == Mode::Replay) outcome_ = RunOutcome::ReplayFinished;
    else if (mode == Mode::LastOfGroup) outcome_ = RunOutcome::GroupFinished;
    else outcome_ = solved ? RunOutcome::Solved : RunOutcome::Skipped;
    return outcome_;
}

RunOutcome LevelRun::skip() { return over() ? RunOutcome::Playing : end(false); }

bool LevelRun::undo() {
    if (states.size() < 2 || over() || !ballRests()) return false;
    states.pop_back();
    hintTicks = 0;
    return true;
}

void LevelRun::restart(RuleLog* log) {
    if (over()) return;
    liveState().restart(board_, log);
    PlayState now = live();
    startAfresh();
    states.back() = now;
}

bool LevelRun::requestHint() {
    if (over() || !ballRests()) return false;
    hintFrom = live();
    // The worker gets its own copies: the play goes on while it searches.
    Solver solver(board_, hintFrom);
    solver.stateCap = kHintStateCap;
    pendingHint = startInBackground([solver]() mutable { return solver.solve(); });
    return true;
}

int LevelRun::collectHint() {
    if (!pendingHint.valid()) return 0;
    SolveResult result = pendingHint.get();
    if (over() || !ballRests() || !MoveSimulator::sameRest(board_, live(), hintFrom)) return 0;
    if (!result.solved || result.moves.empty()) {
        hintDirection = 0;
        hintTicks = 0;
        messageTicks = kMessageTicks;
        return 0;
    }
    hintDirection = directionOfLetter(result.moves[0]);
    hintTicks = kHintTicks;
    messageTicks = 0;
    return hintDirection;
}

}  // namespace qm
