// Shortest solutions of a board: a breadth-first search over the ball's
// resting positions, where every move is played by ticking the board's own
// update, so the answer is exactly what the game does. Used by the level tool
// and by the in-game hint.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>
#include "puzzle/LevelMap.h"

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

struct SolveResult {
    bool solved = false;
    std::string moves;      // one letter per move: U, R, D, L
    int ticks = 0;          // ticks the solution takes
    int states = 0;         // distinct resting states met
    bool capped = false;    // the search stopped at its state cap
    int uses = 0;           // GizmoUse bits of the solution
    // Cells the ball's centre crossed in the solution (exhaustive runs: in any
    // reachable line of play), indexed [x][y].
    std::vector<uint8_t> visited;  // 20 * 14, x * 14 + y
    // Cells whose gizmo state differs from the start in some resting state met
    // (a cracked block, a floor cell a beam left or reached), same indexing.
    std::vector<uint8_t> touched;
};

class Solver {
public:
    // Searches from the board's resting position (the start when the board has no ball yet).
    static std::shared_ptr<Solver> create(const LevelMapPtr& board);

    int stateCap = 200000;
    int tickCap = 2000;  // per move; a ball that never rests makes the move useless

    // Fewest moves, then fewest ticks. The board is left where the search began.
    SolveResult solve();
    // The same, but goes on until every reachable resting state is known, so
    // `states` counts them all and `visited` covers every reachable cell.
    SolveResult explore();

    // A compact, normalised resting state: ball cell and every gizmo state. A
    // lock still fading behaves as its final state and is stored as that.
    static std::string stateKey(const LevelMap& board);
    static void restoreState(LevelMap& board, const std::string& key);

private:
    LevelMapPtr board;
    SolveResult run(bool exhaustive);
    void traceSolution(SolveResult& result, const std::string& startKey);
};

}  // namespace qm
