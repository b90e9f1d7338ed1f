// A move through the game's own tick, and what counts as the end of a move.
#include "rules/MoveSimulator.h"

#include <cstring>

namespace qm {

bool MoveSimulator::sameRest(const Board& board, const PlayState& a, const PlayState& b) {
    if (a.ball.x != b.ball.x || a.ball.y != b.ball.y || !a.ball.atCentre() || !b.ball.atCentre()) return false;
    if (a.ball.direction != 0 || b.ball.direction != 0) return false;
    for (int i = 0; i < 2; ++i)
        if (a.settledLock(board, i) != b.settledLock(board, i)) return false;
    const GizmoStates& g = a.gizmos;
    const GizmoStates& h = b.gizmos;
    if (g.powered != h.powered || g.recallX_ != h.recallX_ || g.recallY_ != h.recallY_) return false;
    return std::memcmp(g.cellStates, h.cellStates, sizeof g.cellStates) == 0;
}

bool MoveSimulator::restsForGood(const Board& board, const PlayState& state) {
    if (state.ball.direction != 0 || !state.ball.atCentre()) return false;
    PlayState probe = state;
    TickEvents events = probe.tick(board, TickInput{});
    return !events.solved && !events.restarted && sameRest(board, probe, state);
}

MoveResult MoveSimulator::play(const Board& board, PlayState& state, int direction, int tickCap,
                               const TickObserver& observer) {
    if (direction < 1 || direction > 4) return {MoveOutcome::Blocked, 0};
    TickInput input;
    input.direction = direction;
    // The resting tick that takes the direction; then no input at all, so the
    // ball cannot take a second direction when it comes to rest.
    TickEvents events = state.tick(board, input);
    if (observer) observer(state);
    if (events.solved) return {MoveOutcome::Solved, 1};
    if (events.restarted) return {MoveOutcome::Restarted, 1};
    if (state.ball.direction == 0) return {MoveOutcome::Blocked, 1};
    const TickInput none;
    for (int ticks = 1;; ++ticks) {
        if (ticks >= tickCap) return {MoveOutcome::TickCap, ticks};
        bool halted = state.ball.direction == 0;
        if (halted) {
            // The probing tick is the player's wait, not the move's: it is
            // kept only when the ball moves on by itself.
            PlayState probe = state;
            events = probe.tick(board, none);
            if (!events.solved && !events.restarted && sameRest(board, probe, state)) return {MoveOutcome::Rested, ticks};
            state = probe;
        } else {
            events = state.tick(board, none);
        }
        if (observer) observer(state);
        if (events.solved) return {MoveOutcome::Solved, ticks + 1};
        if (events.restarted) return {MoveOutcome::Restarted, ticks + 1};
    }
}

}  // namespace qm
