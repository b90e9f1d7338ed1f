// The successor function lives here and only here: a resting state and a
// direction give what the game's rules do with them, through the rules
// core's move simulator, its state keys and its tick.
#include "StateGraph.h"

#include <unordered_map>

#include "rules/MoveSimulator.h"
#include "rules/PlayState.h"
#include "rules/Solver.h"

namespace qm {

namespace {

// A ball that is still rolling after this many ticks never rests; such a
// move is of no use to a player, so it counts as doing nothing.
constexpr int kTickCap = 2000;

class Successor {
public:
    explicit Successor(const Board& source) : board(source) {
        board.locateStartAndEnd();
        initial = PlayState::start(board);
        start = Solver::stateKey(board, initial);
        observer = [this](const PlayState& s) {
            if (s.ball.atCentre() && Board::onBoard(s.ball.x, s.ball.y))
                (*crossed)[size_t(s.ball.x * kBoardHeight + s.ball.y)] = 1;
        };
    }

    std::string start;

    // Plays `direction` (0 up, 1 right, 2 down, 3 left) from `state`; a rest
    // leaves its key in `next` and the state in `rested`. Cells crossed are
    // marked in `cells`.
    MoveEnd play(const std::string& state, int direction, std::string& next, std::vector<uint8_t>& cells, int& ticks) {
        rested = Solver::stateFromKey(state);
        crossed = &cells;
        MoveResult move = MoveSimulator::play(board, rested, direction + 1, kTickCap, observer);
        ticks = move.ticks;
        switch (move.outcome) {
            case MoveOutcome::Solved: return MoveEnd::Solved;
            case MoveOutcome::Restarted: return MoveEnd::Restarted;
            case MoveOutcome::Rested: next = Solver::stateKey(board, rested); return MoveEnd::Rested;
            default: return MoveEnd::Blocked;
        }
    }

    // Where the ball rests and which cells' gizmo state differs from the
    // start, for the state the last `play` rested in.
    int ballCell() const { return rested.ball.x * kBoardHeight + rested.ball.y; }
    void markChanged(std::vector<uint8_t>& cells) const {
        for (int x = 0; x < kBoardWidth; ++x)
            for (int y = 0; y < kBoardHeight; ++y)
                if (rested.gizmos.cellStates[x][y] != initial.gizmos.cellStates[x][y])
                    cells[size_t(x * kBoardHeight + y)] = 1;
    }

private:
    Board board;
    PlayState initial, rested;
    TickObserver observer;
    std::vector<uint8_t>* crossed = nullptr;
};

}  // namespace

StateGraph StateGraph::explore(const Board& board, int stateCap, Reach reach) {
    StateGraph graph;
    graph.crossed.assign(size_t(kBoardWidth * kBoardHeight), 0);
    graph.changed.assign(size_t(kBoardWidth * kBoardHeight), 0);
    Successor rules(board);
    std::vector<std::string> keys{rules.start};
    std::unordered_map<std::string, int> index{{rules.start, 0}};
    graph.edges.emplace_back();
    graph.depths.push_back(0);
    graph.balls.push_back(int16_t(board.startX * kBoardHeight + board.startY));
    std::string next;
    for (size_t s = 0; s < keys.size(); ++s) {
        int depth = graph.depths[s];
        // Breadth first: when a layer has solved, the next layer is not needed.
        if (reach == Reach::FirstSolve && graph.solvable && depth > 0 && graph.depths[s - 1] < depth) break;
        for (int d = 0; d < kDirections; ++d) {
            Edge edge;
            edge.end = rules.play(keys[s], d, next, graph.crossed, edge.ticks);
            if (edge.end == MoveEnd::Solved) graph.solvable = true;
            if (edge.end == MoveEnd::Rested) {
                auto found = index.find(next);
                if (found != index.end()) {
                    edge.to = found->second;
                } else if (int(keys.size()) >= stateCap) {
                    graph.capped = true;
                    edge.end = MoveEnd::Blocked;
                } else {
                    edge.to = int(keys.size());
                    index.emplace(next, edge.to);
                    keys.push_back(next);
                    graph.edges.emplace_back();
                    graph.depths.push_back(depth + 1);
                    graph.balls.push_back(int16_t(rules.ballCell()));
                    rules.markChanged(graph.changed);
                }
            }
            graph.edges[s][size_t(d)] = edge;
        }
    }
    return graph;
}

}  // namespace qm
