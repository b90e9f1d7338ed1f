// Plays one move on a board by ticking the board's own update, exactly as the
// game does, with the board marked as simulated so that nothing outside it is
// touched. The solver, the hint and the tests roll the ball through this.
#pragma once
#include <functional>
#include <memory>

#include "puzzle/GizmoStates.h"

namespace qm {

class LevelMap;

enum class MoveOutcome {
    Blocked,    // the way in that direction was refused; nothing moved
    Rested,     // the ball rolled and came to rest on a cell
    Solved,     // the ball reached the end
    Restarted,  // the ball rolled off the board and the level restarted
    TickCap,    // the ball was still moving when the tick cap passed
};

// Everything that decides the future of a board whose ball rests.
struct RestState {
    int ballX = 0;
    int ballY = 0;
    GizmoStatesPtr gizmos;
    int lockTimers[2] = {0, 0};
};

// Called after every tick a move plays, for tools that follow the ball's path.
using TickObserver = std::function<void(const LevelMap&)>;

struct MoveResult {
    MoveOutcome outcome = MoveOutcome::Blocked;
    int ticks = 0;
};

// Puts a live board back exactly as it was when the guard goes: the resting
// state, the glow, the ball's spin and arrival flag, the restart count. The
// hint searches the board the player is on through this.
class LiveBoardGuard {
public:
    explicit LiveBoardGuard(LevelMap& board);
    ~LiveBoardGuard();
    LiveBoardGuard(const LiveBoardGuard&) = delete;
    LiveBoardGuard& operator=(const LiveBoardGuard&) = delete;

    LevelMap& board;
    RestState state;
    int restarts = 0;
    int glow[20][14] = {};
    int age = 0;
    int justArrived = 0;
    int hoverDirection = 0;
};

class MoveSimulator {
public:
    static constexpr int kDefaultTickCap = 20000;

    // Plays one move (direction 1 up, 2 right, 3 down, 4 left) on `board`,
    // whose ball rests (a board without a ball is restarted first). The board
    // is left in the resulting state; PlayInput is left as it was found.
    static MoveResult play(LevelMap& board, int direction, int tickCap = kDefaultTickCap,
                           const TickObserver& observer = nullptr);

    // Whether a still ball is at rest for good: a tick without input would
    // change nothing, so the next move is the player's. False for a ball
    // halted on a booster or angle block that moves on by itself. The board
    // is left exactly as it was.
    static bool restsForGood(LevelMap& board);

    static RestState save(const LevelMap& board);
    static void restore(LevelMap& board, const RestState& state);
};

}  // namespace qm
