// The successor function lives here and only here: a resting state and a
// direction give what the game's rules do with them. Today that is the
// solver's state keys and the move simulator, which ticks a private copy of
// the board through its real update.
#include "StateGraph.h"

#include <memory>
#include <unordered_map>

#include "puzzle/MoveSimulator.h"
#include "puzzle/Solver.h"

namespace qm {

namespace {

// A ball that is still rolling after this many ticks never rests; such a
// move is of no use to a player, so it counts as doing nothing.
constexpr int kTickCap = 2000;

class Successor {
public:
    explicit Successor(const LevelMap& source) : board(std::make_shared<LevelMap>()) {
        for (int x = 0; x < kBoardWidth; ++x)
            for (int y = 0; y < kBoardHeight; ++y) board->cells[x][y] = source.cells[x][y];
        board->levelNumber = source.levelNumber;
        board->startX = source.startX;
        board->startY = source.startY;
        board->endX = source.endX;
        board->endY = source.endY;
        board->simulation = 1;
        board->gizmos = GizmoStates::createFrom(board.get());
        board->restart();
        start = Solver::stateKey(*board);
        observer = [this](const LevelMap& b) {
            const Ball& ball = *b.ball;
            if (ball.stepX == 0 && ball.stepY == 0 && ball.x >= 0 && ball.x < kBoardWidth && ball.y >= 0 &&
                ball.y < kBoardHeight)
                (*crossed)[size_t(ball.x * kBoardHeight + ball.y)] = 1;
        };
    }

    std::string start;

    // Plays `direction` (0 up, 1 right, 2 down, 3 left) from `state`; a rest
    // leaves its key in `next`. Cells crossed are marked in `cells`.
    MoveEnd play(const std::string& state, int direction, std::string& next, std::vector<uint8_t>& cells, int& ticks) {
        Solver::restoreState(*board, state);
        crossed = &cells;
        MoveResult move = MoveSimulator::play(*board, direction + 1, kTickCap, observer);
        ticks = move.ticks;
        switch (move.outcome) {
            case MoveOutcome::Solved: return MoveEnd::Solved;
            case MoveOutcome::Restarted: return MoveEnd::Restarted;
            case MoveOutcome::Rested: next = Solver::stateKey(*board); return MoveEnd::Rested;
            default: return MoveEnd::Blocked;
        }
    }

    // Where the ball rests and which cells' gizmo state differs from the
    // start, for the state the last `play` rested in.
    int ballCell() const { return board->ball->x * kBoardHeight + board->ball->y; }
    void markChanged(const GizmoStates& initial, std::vector<uint8_t>& cells) const {
        for (int x = 0; x < kBoardWidth; ++x)
            for (int y = 0; y < kBoardHeight; ++y)
                if (board->gizmos->cellStates[x][y] != initial.cellStates[x][y]) cells[size_t(x * kBoardHeight + y)] = 1;
    }
    GizmoStatesPtr initialGizmos() const { return GizmoStates::createFrom(board.get()); }

private:
    LevelMapPtr board;
    TickObserver observer;
    std::vector<uint8_t>* crossed = nullptr;
};

}  // namespace

StateGraph StateGraph::explore(const LevelMap& board, int stateCap, Reach reach) {
    StateGraph graph;
    graph.crossed.assign(size_t(kBoardWidth * kBoardHeight), 0);
    graph.changed.assign(size_t(kBoardWidth * kBoardHeight), 0);
    Successor rules(board);
    GizmoStatesPtr initial = rules.initialGizmos();
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
                    rules.markChanged(*initial, graph.changed);
                }
            }
            graph.edges[s][size_t(d)] = edge;
        }
    }
    return graph;
}

}  // namespace qm
