// One move at a time through the board's real update: the rules exist once.
#include "puzzle/MoveSimulator.h"

#include <cstring>

#include "app/PlayInput.h"
#include "puzzle/LevelMap.h"

namespace qm {

namespace {

// Saves the play loop's input flags and puts them back, so that a hint asked
// for during play leaves the player's input untouched.
struct InputFlagsGuard {
    int up = PlayInput::up, down = PlayInput::down, left = PlayInput::left, right = PlayInput::right;
    int restart = PlayInput::restart, skip = PlayInput::skip;
    ~InputFlagsGuard() {
        PlayInput::up = up;
        PlayInput::down = down;
        PlayInput::left = left;
        PlayInput::right = right;
        PlayInput::restart = restart;
        PlayInput::skip = skip;
    }
};

void clearFlags() {
    PlayInput::up = PlayInput::down = PlayInput::left = PlayInput::right = 0;
    PlayInput::restart = PlayInput::skip = 0;
}

// Marks the board simulated for the length of one call.
struct SimulationGuard {
    LevelMap& board;
    int was;
    explicit SimulationGuard(LevelMap& b) : board(b), was(b.simulation) {
        board.simulation = 1;
        board.solvedInSimulation = 0;
    }
    ~SimulationGuard() { board.simulation = was; }
};

// A lock still fading already obeys the rules of its final state.
int settledLock(const LevelMap& board, const GizmoStates& g, int i) {
    int s = g.lockStates[i];
    return s == 2 ? (board.lockTypes[i] == 0 ? 1 : 0) : s;
}

// Whether the board, after a tick, is where it was: same cell, no direction,
// the same gizmo states (a fading lock counting as its final state).
bool unchanged(const LevelMap& board, const RestState& before) {
    const Ball& ball = *board.ball;
    if (ball.direction != 0 || ball.stepX != 0 || ball.stepY != 0) return false;
    if (ball.x != before.ballX || ball.y != before.ballY || !board.gizmos || !before.gizmos) return false;
    const GizmoStates& a = *board.gizmos;
    const GizmoStates& b = *before.gizmos;
    for (int i = 0; i < 2; ++i)
        if (settledLock(board, a, i) != settledLock(board, b, i)) return false;
    if (a.powered != b.powered || a.recallX_ != b.recallX_ || a.recallY_ != b.recallY_) return false;
    return std::memcmp(a.cellStates, b.cellStates, sizeof a.cellStates) == 0;
}

// Ticks until the ball rests, solves, restarts or the cap passes. `ticks`
// already counts the ticks spent before the call.
//
// A rest is a state where the player's key decides what comes next: the ball
// is still, and a tick without input leaves everything as it is. A ball that
// halts for a tick on a booster or angle block whose exit is closed is turned
// again on the next tick and rolls on by itself if the other way is open, or
// bumps the shatter block ahead until it breaks; a key pressed in the halt is
// overruled by the gizmo, so the halt is no rest and the move goes on.
MoveResult runUntilRest(LevelMap& board, int ticks, int tickCap, bool moved, const TickObserver& observer = nullptr) {
    int restarts = board.restartCount;
    while (true) {
        if (board.solvedInSimulation) return {MoveOutcome::Solved, ticks};
        if (board.restartCount != restarts) return {MoveOutcome::Restarted, ticks};
        if (ticks >= tickCap) return {MoveOutcome::TickCap, ticks};
        bool halted = board.ball->direction == 0;
        RestState before;
        if (halted) {
            if (!moved) return {MoveOutcome::Blocked, ticks};
            before = MoveSimulator::save(board);
        }
        board.update(1);
        if (halted && !board.solvedInSimulation && board.restartCount == restarts && unchanged(board, before))
            return {MoveOutcome::Rested, ticks};  // the probing tick is the player's wait, not the move's
        ++ticks;
        moved = true;
        if (observer) observer(board);
    }
}

}  // namespace

MoveResult MoveSimulator::play(LevelMap& board, int direction, int tickCap, const TickObserver& observer) {
    InputFlagsGuard inputGuard;
    SimulationGuard simulationGuard(board);
    if (!board.ball) board.restart();
    clearFlags();
    switch (direction) {
        case 1: PlayInput::up = 1; break;
        case 2: PlayInput::right = 1; break;
        case 3: PlayInput::down = 1; break;
        case 4: PlayInput::left = 1; break;
        default: return {MoveOutcome::Blocked, 0};
    }
    int restarts = board.restartCount;
    // The resting tick that takes the direction; then no input at all, so the
    // ball cannot take a second direction when it comes to rest.
    board.update(1);
    clearFlags();
    if (observer) observer(board);
    if (board.solvedInSimulation) return {MoveOutcome::Solved, 1};
    if (board.restartCount != restarts) return {MoveOutcome::Restarted, 1};
    if (board.ball->direction == 0) return {MoveOutcome::Blocked, 1};
    return runUntilRest(board, 1, tickCap, true, observer);
}

bool MoveSimulator::restsForGood(LevelMap& board) {
    if (!board.ball || board.ball->direction != 0 || board.ball->stepX != 0 || board.ball->stepY != 0) return false;
    InputFlagsGuard inputGuard;
    clearFlags();
    LiveBoardGuard liveGuard(board);
    SimulationGuard simulationGuard(board);
    RestState before = save(board);
    board.update(1);
    return !board.solvedInSimulation && board.restartCount == liveGuard.restarts && unchanged(board, before);
}

LiveBoardGuard::LiveBoardGuard(LevelMap& b)
    : board(b), state(MoveSimulator::save(b)), restarts(b.restartCount) {
    std::memcpy(glow, b.glow, sizeof glow);
    if (b.ball) {
        age = b.ball->age;
        justArrived = b.ball->justArrived;
        hoverDirection = b.ball->hoverDirection;
    }
}

LiveBoardGuard::~LiveBoardGuard() {
    bool hadBall = board.ball != nullptr;
    MoveSimulator::restore(board, state);
    std::memcpy(board.glow, glow, sizeof glow);
    board.restartCount = restarts;
    if (hadBall) {
        board.ball->age = age;
        board.ball->justArrived = justArrived;
        board.ball->hoverDirection = hoverDirection;
    }
}

RestState MoveSimulator::save(const LevelMap& board) {
    RestState state;
    if (board.ball) {
        state.ballX = board.ball->x;
        state.ballY = board.ball->y;
    } else {
        state.ballX = board.startX;
        state.ballY = board.startY;
    }
    state.gizmos = board.gizmos ? board.gizmos->copy() : nullptr;
    state.lockTimers[0] = board.lockTimers[0];
    state.lockTimers[1] = board.lockTimers[1];
    return state;
}

void MoveSimulator::restore(LevelMap& board, const RestState& state) {
    if (!board.ball) board.ball = Ball::create(&board);
    board.ball->placeAt(state.ballX, state.ballY);
    board.ball->justArrived = 0;
    board.gizmos = state.gizmos ? state.gizmos->copy() : GizmoStates::createFrom(&board);
    board.lockTimers[0] = state.lockTimers[0];
    board.lockTimers[1] = state.lockTimers[1];
}

}  // namespace qm
