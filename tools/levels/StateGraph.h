// The resting states of a board as a graph, as the rules' own search (the
// Solver) meets them. A state is where the ball rests plus every gizmo state
// that matters; from each, the four directions rest again, solve the level,
// restart it (the ball rolled off) or do nothing. Every move is played by the
// game's own rules, so the graph is exactly what a player meets.
#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "rules/Board.h"

namespace qm {

enum class MoveEnd : uint8_t { Blocked, Rested, Solved, Restarted };

class StateGraph {
public:
    // Directions in the order of the move letters.
    static constexpr int kDirections = 4;
    static constexpr char kLetters[kDirections + 1] = "URDL";

    struct Edge {
        MoveEnd end = MoveEnd::Blocked;
        int to = -1;  // the state it rests in, when it rests
        int ticks = 0;  // how long the move takes, for the quickest of equally short solutions
    };

    // How far to go: every reachable state, or only until the first layer
    // that holds a solving move (enough to know that and how soon it solves).
    enum class Reach { All, FirstSolve };

    // The Solver's breadth-first search from the board's start, so state 0 is
    // the start and `depth` grows along the state numbers. At most `stateCap`
    // states. The board is copied: graphs of different boards may be explored
    // at once.
    static StateGraph explore(const Board& board, int stateCap, Reach reach = Reach::All);

    int size() const { return int(edges.size()); }
    const Edge& edge(int state, int direction) const { return edges[size_t(state)][size_t(direction)]; }
    int depth(int state) const { return depths[size_t(state)]; }
    int ballX(int state) const { return balls[size_t(state)] / kBoardHeight; }
    int ballY(int state) const { return balls[size_t(state)] % kBoardHeight; }

    bool capped = false;
    bool solvable = false;  // some explored state has a solving move
    // Cells whose centre the ball crossed in some explored move, x * 14 + y.
    std::vector<uint8_t> crossed;
    // Cells whose gizmo state differs from the start in some explored state
    // (a cracked block, a floor cell a beam left or reached).
    std::vector<uint8_t> changed;

private:
    std::vector<std::array<Edge, kDirections>> edges;
    std::vector<int> depths;
    std::vector<int16_t> balls;
};

}  // namespace qm
