// Breadth-first search over resting states. Each move restores a state on the
// real board and plays it with the move simulator, which ticks the board's own
// update; nothing here knows a tile rule.
#include "puzzle/Solver.h"

#include <unordered_map>

#include "puzzle/MoveSimulator.h"

namespace qm {

namespace {

constexpr char kLetters[5] = {'?', 'U', 'R', 'D', 'L'};

struct Node {
    std::string key;
    int parent = -1;
    int direction = 0;
    int ticks = 0;
    int depth = 0;
};

bool atCentre(const Ball& ball) { return ball.stepX == 0 && ball.stepY == 0; }

// What the ball's centre met on this tick, as GizmoUse bits, and marks its cell.
int noteTick(const LevelMap& board, std::vector<uint8_t>& visited) {
    const Ball* ball = board.ball.get();
    if (!ball || !atCentre(*ball)) return 0;
    int x = ball->x, y = ball->y;
    if (x < 0 || x >= kBoardWidth || y < 0 || y >= kBoardHeight) return 0;
    visited[size_t(x * kBoardHeight + y)] = 1;
    switch (board.tileCategory(x, y)) {
        case 4: return USE_TELEPORT;
        case 5: return USE_KEY;
        case 6: return USE_LOCK;
        case 7: return USE_RECALL_POINT;
        case 8: return USE_RECALL_PAD;
        case 9: return USE_SWITCH;
        case 114: return USE_BOOSTER;
        case 119: case 120: case 121: case 122: return USE_ANGLE;
        default: return 0;
    }
}

// Shatter blocks whose state differs between two keys of the same board.
bool shatterChanged(const LevelMap& board, const std::string& a, const std::string& b) {
    for (int x = 0; x < kBoardWidth; ++x)
        for (int y = 0; y < kBoardHeight; ++y)
            if (board.tileCategory(x, y) == 126 && a[size_t(8 + x * kBoardHeight + y)] != b[size_t(8 + x * kBoardHeight + y)])
                return true;
    return false;
}

}  // namespace

std::string gizmoUseNames(int uses) {
    static const char* names[] = {"shatter", "teleport", "key", "lock", "recall-point",
                                  "recall-pad", "switch", "booster", "angle"};
    std::string out;
    for (int i = 0; i < 9; ++i) {
        if (!(uses & (1 << i))) continue;
        if (!out.empty()) out += ' ';
        out += names[i];
    }
    return out.empty() ? "walls" : out;
}

std::shared_ptr<Solver> Solver::create(const LevelMapPtr& board) {
    auto solver = std::make_shared<Solver>();
    solver->board = board;
    return solver;
}

std::string Solver::stateKey(const LevelMap& board) {
    std::string key(size_t(8 + kBoardWidth * kBoardHeight), '\0');
    const GizmoStates* g = board.gizmos.get();
    key[0] = char(board.ball ? board.ball->x : board.startX);
    key[1] = char(board.ball ? board.ball->y : board.startY);
    for (int i = 0; i < 2; ++i) {
        int s = g ? g->lockStates[i] : 0;
        // A fading lock already obeys the rules of its final state.
        if (s == 2) s = board.lockTypes[i] == 0 ? 1 : 0;
        key[size_t(2 + i)] = char(s);
    }
    key[4] = char(g ? g->recallX_ + 1 : 0);
    key[5] = char(g ? g->recallY_ + 1 : 0);
    key[6] = char(g ? g->powered : 0);
    if (g)
        for (int x = 0; x < kBoardWidth; ++x)
            for (int y = 0; y < kBoardHeight; ++y) key[size_t(8 + x * kBoardHeight + y)] = char(g->cellStates[x][y]);
    return key;
}

void Solver::restoreState(LevelMap& board, const std::string& key) {
    RestState state;
    state.ballX = key[0];
    state.ballY = key[1];
    auto g = std::make_shared<GizmoStates>();
    g->lockStates[0] = key[2];
    g->lockStates[1] = key[3];
    g->recallX_ = int(key[4]) - 1;
    g->recallY_ = int(key[5]) - 1;
    g->powered = key[6];
    for (int x = 0; x < kBoardWidth; ++x)
        for (int y = 0; y < kBoardHeight; ++y) g->cellStates[x][y] = (unsigned char)key[size_t(8 + x * kBoardHeight + y)];
    state.gizmos = g;
    MoveSimulator::restore(board, state);
}

SolveResult Solver::solve() { return run(false); }
SolveResult Solver::explore() { return run(true); }

SolveResult Solver::run(bool exhaustive) {
    SolveResult result;
    result.visited.assign(size_t(kBoardWidth * kBoardHeight), 0);
    result.touched.assign(size_t(kBoardWidth * kBoardHeight), 0);
    if (!board) return result;
    int wasSimulation = board->simulation;
    board->simulation = 1;
    if (!board->ball) board->restart();
    const std::string startKey = stateKey(*board);

    std::vector<Node> nodes;
    std::unordered_map<std::string, int> index;
    nodes.push_back({startKey, -1, 0, 0, 0});
    index.emplace(startKey, 0);
    std::vector<int> layer{0};
    int bestParent = -1, bestDirection = 0, bestTicks = 0;
    std::vector<uint8_t> seen(size_t(kBoardWidth * kBoardHeight), 0);

    TickObserver observer;
    if (exhaustive) observer = [&](const LevelMap& b) { noteTick(b, seen); };

    for (int depth = 0; !layer.empty(); ++depth) {
        std::vector<int> next;
        for (int n : layer) {
            for (int dir = 1; dir <= 4; ++dir) {
                restoreState(*board, nodes[size_t(n)].key);
                MoveResult move = MoveSimulator::play(*board, dir, tickCap, observer);
                int total = nodes[size_t(n)].ticks + move.ticks;
                if (move.outcome == MoveOutcome::Solved) {
                    if (bestParent < 0 || total < bestTicks) {
                        bestParent = n;
                        bestDirection = dir;
                        bestTicks = total;
                    }
                    continue;
                }
                if (move.outcome != MoveOutcome::Rested) continue;
                std::string key = stateKey(*board);
                auto found = index.find(key);
                if (found == index.end()) {
                    if (int(nodes.size()) >= stateCap) {
                        result.capped = true;
                        continue;
                    }
                    for (size_t i = 0; i < result.touched.size(); ++i)
                        if (key[8 + i] != startKey[8 + i]) result.touched[i] = 1;
                    index.emplace(key, int(nodes.size()));
                    next.push_back(int(nodes.size()));
                    nodes.push_back({std::move(key), n, dir, total, depth + 1});
                } else {
                    Node& old = nodes[size_t(found->second)];
                    if (old.depth == depth + 1 && total < old.ticks) {
                        old.parent = n;
                        old.direction = dir;
                        old.ticks = total;
                    }
                }
            }
        }
        if (bestParent >= 0 && result.moves.empty()) {
            std::string moves(1, kLetters[bestDirection]);
            for (int n = bestParent; nodes[size_t(n)].parent >= 0; n = nodes[size_t(n)].parent)
                moves.insert(moves.begin(), kLetters[nodes[size_t(n)].direction]);
            result.solved = true;
            result.moves = moves;
            result.ticks = bestTicks;
            if (!exhaustive) break;
        }
        layer.swap(next);
    }
    result.states = int(nodes.size());
    if (result.solved) traceSolution(result, startKey);
    if (exhaustive)
        for (size_t i = 0; i < seen.size(); ++i) result.visited[i] |= seen[i];
    restoreState(*board, startKey);
    board->simulation = wasSimulation;
    return result;
}

void Solver::traceSolution(SolveResult& result, const std::string& startKey) {
    int uses = 0;
    TickObserver observer = [&](const LevelMap& b) { uses |= noteTick(b, result.visited); };
    restoreState(*board, startKey);
    std::string before = startKey;
    for (char letter : result.moves) {
        int dir = letter == 'U' ? 1 : letter == 'R' ? 2 : letter == 'D' ? 3 : 4;
        MoveResult move = MoveSimulator::play(*board, dir, tickCap, observer);
        std::string after = stateKey(*board);
        if (shatterChanged(*board, before, after)) uses |= USE_SHATTER;
        if (move.outcome != MoveOutcome::Rested) break;
        before = after;
    }
    result.uses = uses;
}

}  // namespace qm
