// Help for the player beyond the classic rules: undo (U or Backspace), a hint
// (H) from the solver, the move count against the level's par, and the
// personal best. All of it watches the board from outside; the rules and the
// files of the classic game are untouched.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "puzzle/MoveSimulator.h"

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
    std::vector<RestState> history;

    static std::shared_ptr<PlayerAids> create(int profileNumber);

    // Once per logic step, before the board's tick: follows level changes and
    // restarts, remembers where a resting ball stands, takes undo and hint.
    void beforeBoardStep(int boardActive);
    // Once per logic step, after the board's tick: counts a move that began,
    // keeps a solved level's count as the personal best, shows the hint arrow.
    void afterBoardStep();
    void draw() const;

    // The commands, callable directly (tests).
    bool undo();
    // The next move of a shortest solution from here: 1 up .. 4 left, 0 when
    // there is none (then the notice shows).
    int hint();

private:
    const LevelMap* trackedBoard = nullptr;
    int trackedRestarts = 0;
    int trackedEditor = 0;
    bool wasResting = false;
    bool solvedRecorded = false;
    RestState restingState;

    void startTracking(LevelMap& board);
    void startAttempt(const LevelMap& board);
    bool restIsFinal = false;
    bool ballRests(LevelMap& board);
};

}  // namespace qm
