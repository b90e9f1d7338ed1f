// Help for the player beyond the classic rules: undo (U or Backspace), a hint
// (H) from the solver, the move count against the level's par, and the
// personal best. All of it watches the board from outside; the rules and the
// files of the classic game are untouched.
#pragma once
#include <future>
#include <memory>
#include <string>
#include <vector>

#include "rules/PlayState.h"
#include "rules/Solver.h"

namespace qm {

class LevelMap;
class PersonalBest;

class PlayerAids {
public:
    static constexpr int kHintTicks = 120;     // the hint arrow shows for two seconds
    static constexpr int kMessageTicks = 240;  // the "no way from here" notice
    static constexpr int kHintStateCap = 60000;
    static constexpr int kParStateCap = 200000;

    std::shared_ptr<PersonalBest> personalBest;
    int moves = 0;
    int par = -1;  // the fewest moves from the start; -1 when unsolvable or unknown
    int hintDirection = 0;
    int hintTicks = 0;
    int messageTicks = 0;
    std::vector<PlayState> history;

    static std::shared_ptr<PlayerAids> create(int profileNumber);

    // Once per logic step, before the board's tick: follows level changes,
    // takes a hint worked out since the last step, remembers where a resting
    // ball stands, takes undo and hint.
    void beforeBoardStep(int boardActive);
    // Once per logic step, after the board's tick with what it did: a restart
    // starts a fresh attempt; counts a move that began, keeps a solved
    // level's count as the personal best, shows the hint arrow.
    void afterBoardStep(const TickEvents& events);
    void draw() const;

    // The commands, callable directly (tests).
    bool undo();
    // Starts working out the next move of a shortest solution from here on a
    // worker thread, on copies of the board and its play; the play state is
    // never touched. False when the ball does not rest.
    bool requestHint();
    // The answer of the last request, waited for if need be: 1 up .. 4 left
    // and the arrow shows, or 0 and the "no way" notice shows. Nothing is
    // shown when the ball has moved on since the request.
    int collectHint();
    // Both at once.
    int hint();

private:
    const LevelMap* trackedBoard = nullptr;
    int trackedEditor = 0;
    bool wasResting = false;
    bool solvedRecorded = false;
    bool restIsFinal = false;
    PlayState restingState;
    std::future<SolveResult> pendingHint;
    PlayState hintFrom;  // where the ball rested when the hint was asked for

    void startTracking(LevelMap& board);
    void startAttempt();
    bool ballRests(LevelMap& board);
};

}  // namespace qm
