// The graph is written down as the rules' search reports it: the search is
// the Solver's, and nothing here plays a move.
#include "StateGraph.h"

#include "rules/Solver.h"

namespace qm {

namespace {

class GraphBuilder : public SearchListener {
public:
    GraphBuilder(std::vector<std::array<StateGraph::Edge, StateGraph::kDirections>>& edges, std::vector<int>& depths,
                 std::vector<int16_t>& balls)
        : edges(edges), depths(depths), balls(balls) {}

    void reached(int state, int depth, const PlayState& at) override {
        edges.emplace_back();
        depths.push_back(depth);
        balls.push_back(int16_t(at.ball.x * kBoardHeight + at.ball.y));
    }

    void moved(int state, int direction, MoveOutcome outcome, int to, int ticks) override {
        StateGraph::Edge& edge = edges[size_t(state)][size_t(direction - 1)];
        edge.ticks = ticks;
        switch (outcome) {
            case MoveOutcome::Solved: edge.end = MoveEnd::Solved; break;
            case MoveOutcome::Restarted: edge.end = MoveEnd::Restarted; break;
            // A rest in a state past the cap is of no more use than no move.
            case MoveOutcome::Rested: edge.end = to >= 0 ? MoveEnd::Rested : MoveEnd::Blocked; break;
            default: edge.end = MoveEnd::Blocked; break;
        }
        edge.to = edge.end == MoveEnd::Rested ? to : -1;
    }

private:
    std::vector<std::array<StateGraph::Edge, StateGraph::kDirections>>& edges;
    std::vector<int>& depths;
    std::vector<int16_t>& balls;
};

}  // namespace

StateGraph StateGraph::explore(const Board& board, int stateCap, Reach reach) {
    StateGraph graph;
    Board settled = board;
    settled.locateStartAndEnd();
    Solver solver(settled);
    solver.stateCap = stateCap;
    GraphBuilder builder(graph.edges, graph.depths, graph.balls);
    SolveResult result = reach == Reach::All ? solver.explore(&builder) : solver.solve(&builder);
    graph.capped = result.capped;
    graph.solvable = result.solved;
    graph.crossed = std::move(result.visited);
    graph.changed = std::move(result.touched);
    return graph;
}

}  // namespace qm
