// Two views of a level's state graph as a player without a plan meets it:
// the expected moves of a player who guesses (a Markov chain over the
// resting states, solved exactly), and whether the move that looks best,
// the one resting nearest the end, is a trap somewhere on the solution.
#pragma once
#include <vector>

#include "StateGraph.h"

namespace qm {

class NoviceWalk {
public:
    // `solveDistance` gives per state the fewest moves to a solve, or
    // `unsolvable` for a dead state. The player picks uniformly among the
    // moves that change the state (a roll off the board goes back to the
    // start); a move into a dead state is taken back, so it costs one move
    // and leaves the state as it was. 0 when the start is dead.
    static double expectedMoves(const StateGraph& graph, const std::vector<int>& solveDistance, int unsolvable);

    // The first index into `path` whose state offers a lure: the move resting
    // nearest (endX, endY), counting cells across and down, leads into a dead
    // state; a move that solves rests on the end. On a tie any of the nearest
    // moves may lure. -1 when no state of the path does.
    static int firstLure(const StateGraph& graph, const std::vector<int>& solveDistance, int unsolvable,
                         const std::vector<int>& path, int endX, int endY);

    // Above this many states, a strongly connected part of the graph is
    // solved by Gauss-Seidel sweeps to a relative change of 1e-12 instead of
    // by elimination.
    static constexpr int kEliminationLimit = 1200;
};

}  // namespace qm
