// One move at a time through the board's real update: the rules exist once.
#include "puzzle/MoveSimulator.h"

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

// Ticks until the ball rests, solves, restarts or the cap passes. `ticks`
// already counts the ticks spent before the call.
MoveResult runUntilRest(LevelMap& board, int ticks, int tickCap, bool moved, const TickObserver& observer = nullptr) {
    int restarts = board.restartCount;
    while (true) {
        if (board.solvedInSimulation) return {MoveOutcome::Solved, ticks};
        if (board.restartCount != restarts) return {MoveOutcome::Restarted, ticks};
        if (board.ball->direction == 0) return {moved ? MoveOutcome::Rested : MoveOutcome::Blocked, ticks};
        if (ticks >= tickCap) return {MoveOutcome::TickCap, ticks};
        board.update(1);
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

MoveResult MoveSimulator::settle(LevelMap& board, int tickCap) {
    InputFlagsGuard inputGuard;
    SimulationGuard simulationGuard(board);
    if (!board.ball) board.restart();
    clearFlags();
    int restarts = board.restartCount;
    board.update(1);
    if (board.solvedInSimulation) return {MoveOutcome::Solved, 1};
    if (board.restartCount != restarts) return {MoveOutcome::Restarted, 1};
    if (board.ball->direction == 0) return {MoveOutcome::Rested, 1};
    return runUntilRest(board, 1, tickCap, true);
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
