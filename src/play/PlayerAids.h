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
#include "runtime/Image.h"

namespace qm {

class LevelMap;
class PersonalBest;

class PlayerAids {
public:
    // Set when the hint arrow shows; it stays until the next move, an undo or
    // a restart, so a player who looks away does not miss it.
    static constexpr int kHintTicks = 120;
    static constexpr int kMessageTicks = 240;  // the "no way from here" notice
    static constexpr int kHintStateCap = 60000;
    static constexpr int kParStateCap = 200000;

    std::shared_ptr<PersonalBest> personalBest;
    int moves = 0;
    int par = -1;  // the fewest moves from the start; -1 when unsolvable or unknown
    int hintDirection = 0;
    int hintTicks = 0;
    int messageTicks = 0;
    // Counts down while the word of a solved level shows; its moves.
    int solvedTicks = 0;
    int solvedMoves = 0;
    static constexpr int kSolvedTicks = 150;
    std::vector<PlayState> history;

    static std::shared_ptr<PlayerAids> create(int profileNumber);

    // Once per logic step, before the board's tick: follows level changes,
    // takes a hint worked out since the last step, remembers where a resting
    // ball stands, takes undo and hint.
    void beforeBoardStep(int boardActive);
    // Once per logic step, after the board's tick with what it did: a restart
    // starts a fresh attempt; a move the player began (from a rest, even one
    // the ball reached this very tick) is counted and can be taken back; a
    // solved level's count is kept as the personal best; the hint arrow shows.
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
    bool solvedRecorded = false;
    bool restIsFinal = false;
    std::future<SolveResult> pendingHint;
    PlayState hintFrom;  // where the ball rested when the hint was asked for
    ImagePtr movesBox, levelPlate;
    void drawSolvedWord() const;

    void startTracking(LevelMap& board);
    void startAttempt();
    bool ballRests(LevelMap& board);
};

}  // namespace qm
