// One move at a time: the player's direction given at rest, then ticks of
// the rules without input until the ball rests again, solves or falls off.
// The solver, the hint, the level tool and the tests roll the ball through
// this; it is the game's own tick, so the answers are what the game does.
#pragma once
#include <functional>

#include "rules/Board.h"
#include "rules/PlayState.h"

namespace qm {

enum class MoveOutcome {
    Blocked,    // the way in that direction was refused; nothing moved
    Rested,     // the ball rolled and came to rest on a cell
    Solved,     // the ball reached the end
    Restarted,  // the ball rolled off the board and the level restarted
    TickCap,    // the ball was still moving when the tick cap passed
};

struct MoveResult {
    MoveOutcome outcome = MoveOutcome::Blocked;
    int ticks = 0;
};

// Called after every tick a move plays, for tools that follow the ball's path.
using TickObserver = std::function<void(const PlayState&)>;

class MoveSimulator {
public:
    static constexpr int kDefaultTickCap = 20000;

    // Plays one move (1 up, 2 right, 3 down, 4 left) from a ball at rest;
    // `state` is left as the move leaves it.
    static MoveResult play(const Board& board, PlayState& state, int direction, int tickCap = kDefaultTickCap,
                           const TickObserver& observer = nullptr);

    // A rest is where the player's key decides what comes next: the ball is
    // still, and a tick without input would leave everything as it is. A
    // ball halted on a booster or angle block that turns it into an open way,
    // or that still cracks the block ahead, is moving on by itself.
    static bool restsForGood(const Board& board, const PlayState& state);

    // Whether two states are the same rest: ball cell, gizmos, and the locks
    // as they will settle.
    static bool sameRest(const Board& board, const PlayState& a, const PlayState& b);
};

}  // namespace qm
