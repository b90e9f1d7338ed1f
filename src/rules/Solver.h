// Shortest solutions of a board: a breadth-first search over the ball's
// resting states, every move played by the game's own tick, so the answer is
// exactly what the game does. Used by the level tool and by the in-game hint,
// on any thread: a solver holds its own copy of the board.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "rules/Board.h"
#include "rules/MoveSimulator.h"
#include "rules/PlayState.h"

namespace qm {

// Gizmo kinds a line of play made use of, as bits.
enum GizmoUse : int {
    USE_SHATTER = 1,
    USE_TELEPORT = 2,
    USE_KEY = 4,
    USE_LOCK = 8,
    USE_RECALL_POINT = 16,
    USE_RECALL_PAD = 32,
    USE_SWITCH = 64,
    USE_BOOSTER = 128,
    USE_ANGLE = 256,
};
// "shatter teleport key ..." for the bits set, "walls" for none.
std::string gizmoUseNames(int uses);
// A solution's letter (U, R, D, L) as a direction; any other letter is none.
int directionOfLetter(char letter);

struct SolveResult {
    bool solved = false;
    std::string moves;      // one letter per move: U, R, D, L
    int ticks = 0;          // ticks the solution takes
    int states = 0;         // distinct resting states met
    bool capped = false;    // the search stopped at its state cap
    int uses = 0;           // GizmoUse bits of the solution
    // Cells the ball's centre crossed in the solution (exhaustive runs: in any
    // reachable line of play), indexed x * 14 + y.
    std::vector<uint8_t> visited;
    // Cells whose gizmo state differs from the start in some resting state met
    // (a cracked block, a floor cell a beam left or reached), same indexing.
    std::vector<uint8_t> touched;
};

// Told what the search meets, for a caller that keeps the whole graph of
// resting states (the level tool's measures).
class SearchListener {
public:
    virtual ~SearchListener() = default;
    // A resting state met for the first time, numbered in the order met: the
    // start is 0 and the numbers grow with the depth.
    virtual void reached(int state, int depth, const PlayState& at) = 0;
    // Every move tried from `state` (directions 1 to 4): how it ended, the
    // state it rests in (-1 unless it rested in a state the search keeps)
    // and the ticks it took.
    virtual void moved(int state, int direction, MoveOutcome outcome, int to, int ticks) = 0;
};

class Solver {
public:
    // From the level's start.
    explicit Solver(const Board& board);
    // From a ball at rest somewhere in play.
    Solver(const Board& board, const PlayState& from);

    int stateCap = 200000;
    int tickCap = 2000;  // per move; a ball that never rests makes the move useless

    // Fewest moves, then fewest ticks. With a listener, `visited` covers
    // every move the search tried.
    SolveResult solve(SearchListener* listener = nullptr);
    // The same, but goes on until every reachable resting state is known, so
    // `states` counts them all and `visited` covers every reachable cell.
    SolveResult explore(SearchListener* listener = nullptr);

    // A compact, normalised resting state: ball cell and every gizmo state. A
    // lock still changing is stored as its final state, which it obeys.
    static std::string stateKey(const Board& board, const PlayState& state);
    static PlayState stateFromKey(const std::string& key);

private:
    Board board;
    PlayState from;
    SolveResult run(bool exhaustive, SearchListener* listener);
    void traceSolution(SolveResult& result);
};

}  // namespace qm
