// The ball's tick: at a cell centre it meets the end, the board edge and the
// gizmo under it, then rolls a third of a cell or rests and takes a
// direction; then the locks' timers run on.
#include "rules/PlayState.h"

#include <algorithm>
#include <string>

namespace qm {

PlayState PlayState::start(const Board& board, RuleLog* log) {
    PlayState state;
    state.restart(board, log);
    return state;
}

void PlayState::restart(const Board& board, RuleLog* log) {
    lockTimers[0] = lockTimers[1] = 0;
    gizmos = GizmoStates::createFrom(board, log);
    ball.placeAt(board.startX, board.startY);
}

TickEvents PlayState::tick(const Board& board, const TickInput& input, RuleLog* log) {
    TickEvents events = moveBall(board, input, log);
    advanceLocks(board, log);
    return events;
}

TickEvents PlayState::moveBall(const Board& board, const TickInput& input, RuleLog* log) {
    TickEvents events;
    bool stopped = false;
    bool atEnd = false;
    // A restart clears the keys held, so the rest of the tick takes none.
    bool inputCleared = false;
    if (ball.atCentre()) {
        int c = board.tileCategory(ball.x, ball.y);
        if (c == Code::End) {
            atEnd = true;
            stopped = true;
        } else if (c == Category::OffBoard) {
            stopped = true;
            restart(board, log);
            events.restarted = true;
            inputCleared = true;
        } else {
            if (c == Category::Teleport && ball.justArrived == 1) {
                note(log, "Teleport");
                teleportBall(board);
                events.teleported = true;
            } else if (c == Code::RecallPad) {
                note(log, "Recall");
                events.recalled = recallBall();
            } else {
                // Boosters and angle blocks turn the ball; a booster powers it too.
                if (c == Category::Booster) gizmos.setPowered(1);
                ball.direction = Board::turn(board.code(ball.x, ball.y), ball.direction);
            }
            bumpAhead(board);
            int open = canMove(board);
            stopped = ball.direction == 0 || open == 0;
            events.bumped = ball.direction != 0 && open == 0;
        }
        // By the category the ball arrived on, even when a teleport or recall
        // has just carried it elsewhere.
        if (c == Code::RecallPoint) {
            gizmos.setRecall(ball.x, ball.y);
        } else if (c == Category::Key) {
            events.keyTaken = takeKey(board, ball.x, ball.y, log);
        } else if (c == Code::Switch && ball.justArrived == 1) {
            gizmos.triggeredSwitch(board, log);
            events.switchHit = true;
        }
        ball.justArrived = 0;
    } else {
        ball.justArrived = 1;
    }

    if (input.restart && input.inputAllowed == 1 && !inputCleared) {
        restart(board, log);
        events.restarted = true;
        return events;
    }

    if (!stopped) {
        switch (ball.direction) {
            case Dir::Up: if (--ball.stepY <= -3) { ball.stepY = 0; ball.y -= 1; } break;
            case Dir::Down: if (++ball.stepY >= 3) { ball.stepY = 0; ball.y += 1; } break;
            case Dir::Left: if (--ball.stepX <= -3) { ball.stepX = 0; ball.x -= 1; } break;
            case Dir::Right: if (++ball.stepX >= 3) { ball.stepX = 0; ball.x += 1; } break;
            default: break;
        }
        events.rolled = true;
        return events;
    }

    // The ball loses its power whenever it comes to rest.
    if (gizmos.isPowered()) gizmos.setPowered(0);
    events.rested = true;
    if (atEnd) {
        events.solved = true;
        return events;
    }
    ball.direction = 0;
    if (input.inputAllowed == 1 && !inputCleared && input.direction != 0) {
        // A move only sticks where the way is open.
        ball.direction = input.direction;
        if (canMove(board) == 0) ball.direction = 0;
    }
    events.startedRolling = ball.direction != 0;
    return events;
}

void PlayState::advanceLocks(const Board& board, RuleLog* log) {
    int locks = std::min(board.lockCount, 2);
    for (int i = 0; i < locks; ++i) {
        if (gizmos.lockStates[i] != 2) continue;
        lockTimers[i] += 1;
        note(log, std::to_string(lockTimers[i]));
        if (lockTimers[i] >= 40) gizmos.setLockState(i, board.lockTypes[i] == 0 ? 1 : 0);
    }
}

void PlayState::bumpAhead(const Board& board) {
    if (ball.direction < 1 || ball.direction > 4) return;
    int x = ball.x, y = ball.y;
    Board::step(ball.direction, x, y);
    gizmos.bumpTile(x, y, board);
}

int PlayState::canMove(const Board& board) const {
    if (ball.direction < 1 || ball.direction > 4) return 0;
    int x = ball.x, y = ball.y;
    Board::step(ball.direction, x, y);
    return board.canEnter(x, y, gizmos, ball.direction);
}

void PlayState::teleportBall(const Board& board) {
    // Without a partner on the board the ball stays where it is.
    board.findTile(Board::teleportPartner(board.code(ball.x, ball.y)), ball.x, ball.y);
}

bool PlayState::recallBall() {
    if (!gizmos.hasRecall()) return false;
    ball.x = gizmos.recallX();
    ball.y = gizmos.recallY();
    return true;
}

int PlayState::takeKey(const Board& board, int x, int y, RuleLog* log) {
    int c = board.code(x, y);
    int k = c - Code::Key1;
    if (k < 0 || k > 1) return 0;  // code 5 itself (a damaged file) is no key
    int s = gizmos.lockStates[k];
    int t = board.lockTypes[k];
    if (s == 0 && t == 0) {
        note(log, "Opened " + std::to_string(c));
        gizmos.setLockState(k, 2);
        return c;
    }
    if (s == 1 && t == 1) {
        note(log, "Closed " + std::to_string(c));
        gizmos.setLockState(k, 2);
        return c;
    }
    return 0;
}

}  // namespace qm
