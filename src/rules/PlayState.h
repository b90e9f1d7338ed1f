// A level in play: the ball, the gizmos and the locks' timers, and one tick
// of the rules (1/60 s) over them. The tick takes the player's input as an
// argument and says what happened; the game turns that into sound, sparks,
// the flash and the next board, and a search simply plays on.
#pragma once
#include "rules/BallState.h"
#include "rules/Board.h"
#include "rules/GizmoStates.h"
#include "rules/RuleLog.h"

namespace qm {

struct TickInput {
    int direction = 0;     // the move the player asks for: 1 up .. 4 left, 0 none
    int restart = 0;       // the restart key
    int inputAllowed = 1;  // 0 while a menu or page covers the board

    // From the held keys, the first in the order up, left, right, down.
    static TickInput fromFlags(int up, int down, int left, int right, int restart, int inputAllowed) {
        TickInput input;
        input.direction = up ? 1 : left ? 4 : right ? 2 : down ? 3 : 0;
        input.restart = restart;
        input.inputAllowed = inputAllowed;
        return input;
    }
};

// What one tick did, in the order it happened.
struct TickEvents {
    bool teleported = false;      // carried to the partner teleport
    bool recalled = false;        // a recall pad sent it back to the recall point
    bool bumped = false;          // a cell refused the way it was heading
    int keyTaken = 0;             // 31: lock 1 starts to open; 32: lock 2 starts to close
    bool switchHit = false;       // every beam block turned
    bool restarted = false;       // off the board or the restart key: the level starts again
    bool rolled = false;          // it moved on a third of a cell
    bool rested = false;          // it stood on a cell centre this tick
    bool solved = false;          // it stands on the end
    bool startedRolling = false;  // it took the player's direction
};

class PlayState {
public:
    BallState ball;
    GizmoStates gizmos;
    int lockTimers[2] = {0, 0};  // ticks since a lock began to change, up to 40

    // The level as it starts: fresh gizmos, the ball at rest on the start.
    static PlayState start(const Board& board, RuleLog* log = nullptr);
    // Back to the start: timers, gizmos, the ball on the start.
    void restart(const Board& board, RuleLog* log = nullptr);

    // One tick: the ball's move, then the locks' timers.
    TickEvents tick(const Board& board, const TickInput& input, RuleLog* log = nullptr);
    // The two halves of a tick, for the game, which sometimes runs only the
    // second (while the boards slide or the editor is on).
    TickEvents moveBall(const Board& board, const TickInput& input, RuleLog* log = nullptr);
    void advanceLocks(const Board& board, RuleLog* log = nullptr);

    // The ball's gizmo rules, each at the ball's cell or the one ahead.
    void bumpAhead(const Board& board);
    int canMove(const Board& board) const;
    void teleportBall(const Board& board);
    bool recallBall();
    // 31 or 32 when the key's lock starts to change, else 0.
    int takeKey(const Board& board, int x, int y, RuleLog* log = nullptr);

    // A lock still changing already obeys the rules of its final state.
    int settledLock(const Board& board, int i) const {
        int s = gizmos.lockStates[i];
        return s == 2 ? (board.lockTypes[i] == 0 ? 1 : 0) : s;
    }
};

}  // namespace qm
