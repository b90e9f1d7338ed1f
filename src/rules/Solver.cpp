// Breadth-first search over resting states, each move played from a state
// restored out of its key by the move simulator; nothing here knows a rule.
#include "rules/Solver.h"

#include <unordered_map>

namespace qm {

namespace {

constexpr char kLetters[5] = {'?', 'U', 'R', 'D', 'L'};
constexpr size_t kCellsAt = 8;  // where the cell states start in a key

struct Node {
    std::string key;
    int parent = -1;
    int direction = 0;
    int ticks = 0;
    int depth = 0;
};

// What the ball's centre met on this tick, as GizmoUse bits, and marks its cell.
int noteTick(const Board& board, const PlayState& state, std::vector<uint8_t>& visited) {
    const BallState& ball = state.ball;
    if (!ball.atCentre() || !Board::onBoard(ball.x, ball.y)) return 0;
    visited[size_t(ball.x * kBoardHeight + ball.y)] = 1;
    switch (board.tileCategory(ball.x, ball.y)) {
        case Category::Teleport: return USE_TELEPORT;
        case Category::Key: return USE_KEY;
        case Category::Lock: return USE_LOCK;
        case Code::RecallPoint: return USE_RECALL_POINT;
        case Code::RecallPad: return USE_RECALL_PAD;
        case Code::Switch: return USE_SWITCH;
        case Category::Booster: return USE_BOOSTER;
        case Code::AngleBottomRight: case Code::AngleBottomLeft:
        case Code::AngleTopRight: case Code::AngleTopLeft: return USE_ANGLE;
        default: return 0;
    }
}

// Shatter blocks whose state differs between two keys of the same board.
bool shatterChanged(const Board& board, const std::string& a, const std::string& b) {
    for (int x = 0; x < kBoardWidth; ++x)
        for (int y = 0; y < kBoardHeight; ++y) {
            size_t at = kCellsAt + size_t(x * kBoardHeight + y);
            if (board.tileCategory(x, y) == Category::Shatter && a[at] != b[at]) return true;
        }
    return false;
}


}  // namespace

int directionOfLetter(char letter) {
    for (int d = 1; d <= 4; d++)
        if (kLetters[d] == letter) return d;
    return 0;
}

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

Solver::Solver(const Board& b) : board(b), from(PlayState::start(b)) {}

Solver::Solver(const Board& b, const PlayState& state) : board(b), from(state) {}

std::string Solver::stateKey(const Board& board, const PlayState& state) {
    std::string key(kCellsAt + size_t(kBoardWidth * kBoardHeight), '\0');
    const GizmoStates& g = state.gizmos;
    key[0] = char(state.ball.x);
    key[1] = char(state.ball.y);
    key[2] = char(state.settledLock(board, 0));
    key[3] = char(state.settledLock(board, 1));
    key[4] = char(g.recallX_ + 1);
    key[5] = char(g.recallY_ + 1);
    key[6] = char(g.powered);
    for (int x = 0; x < kBoardWidth; ++x)
        for (int y = 0; y < kBoardHeight; ++y) key[kCellsAt + size_t(x * kBoardHeight + y)] = char(g.cellStates[x][y]);
    return key;
}

PlayState Solver::stateFromKey(const std::string& key) {
    PlayState state;
    state.ball.placeAt(key[0], key[1]);
    state.ball.justArrived = 0;
    GizmoStates& g = state.gizmos;
    g.lockStates[0] = key[2];
    g.lockStates[1] = key[3];
    g.recallX_ = int(key[4]) - 1;
    g.recallY_ = int(key[5]) - 1;
    g.powered = key[6];
    for (int x = 0; x < kBoardWidth; ++x)
        for (int y = 0; y < kBoardHeight; ++y)
            g.cellStates[x][y] = (unsigned char)key[kCellsAt + size_t(x * kBoardHeight + y)];
    return state;
}

SolveResult Solver::solve(SearchListener* listener) { return run(false, listener); }
SolveResult Solver::explore(SearchListener* listener) { return run(true, listener); }

SolveResult Solver::run(bool exhaustive, SearchListener* listener) {
    SolveResult result;
    result.visited.assign(size_t(kBoardWidth * kBoardHeight), 0);
    result.touched.assign(size_t(kBoardWidth * kBoardHeight), 0);
    const std::string startKey = stateKey(board, from);

    std::vector<Node> nodes;
    std::unordered_map<std::string, int> index;
    nodes.push_back({startKey, -1, 0, 0, 0});
    index.emplace(startKey, 0);
    std::vector<int> layer{0};
    int bestParent = -1, bestDirection = 0, bestTicks = 0;
    std::vector<uint8_t> seen(size_t(kBoardWidth * kBoardHeight), 0);

    TickObserver observer;
    if (exhaustive || listener) observer = [&](const PlayState& s) { noteTick(board, s, seen); };
    if (listener) listener->reached(0, 0, from);

    for (int depth = 0; !layer.empty(); ++depth) {
        std::vector<int> next;
        for (int n : layer) {
            const PlayState at = stateFromKey(nodes[size_t(n)].key);
            for (int dir = 1; dir <= 4; ++dir) {
                PlayState state = at;
                MoveResult move = MoveSimulator::play(board, state, dir, tickCap, observer);
                int total = nodes[size_t(n)].ticks + move.ticks;
                if (listener && move.outcome != MoveOutcome::Rested) listener->moved(n, dir, move.outcome, -1, move.ticks);
                if (move.outcome == MoveOutcome::Solved) {
                    if (bestParent < 0 || total < bestTicks) {
                        bestParent = n;
                        bestDirection = dir;
                        bestTicks = total;
                    }
                    continue;
                }
                if (move.outcome != MoveOutcome::Rested) continue;
                std::string key = stateKey(board, state);
                auto found = index.find(key);
                if (found == index.end()) {
                    if (int(nodes.size()) >= stateCap) {
                        result.capped = true;
                        if (listener) listener->moved(n, dir, move.outcome, -1, move.ticks);
                        continue;
                    }
                    for (size_t i = 0; i < result.touched.size(); ++i)
                        if (key[kCellsAt + i] != startKey[kCellsAt + i]) result.touched[i] = 1;
                    int added = int(nodes.size());
                    index.emplace(key, added);
                    next.push_back(added);
                    nodes.push_back({std::move(key), n, dir, total, depth + 1});
                    if (listener) {
                        listener->reached(added, depth + 1, state);
                        listener->moved(n, dir, move.outcome, added, move.ticks);
                    }
                } else {
                    if (listener) listener->moved(n, dir, move.outcome, found->second, move.ticks);
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
    if (result.solved) traceSolution(result);
    if (exhaustive || listener)
        for (size_t i = 0; i < seen.size(); ++i) result.visited[i] |= seen[i];
    return result;
}

void Solver::traceSolution(SolveResult& result) {
    int uses = 0;
    TickObserver observer = [&](const PlayState& s) { uses |= noteTick(board, s, result.visited); };
    std::string before = stateKey(board, from);
    PlayState state = stateFromKey(before);
    for (char letter : result.moves) {
        MoveResult move = MoveSimulator::play(board, state, directionOfLetter(letter), tickCap, observer);
        std::string after = stateKey(board, state);
        if (shatterChanged(board, before, after)) uses |= USE_SHATTER;
        if (move.outcome != MoveOutcome::Rested) break;
        before = after;
    }
    result.uses = uses;
}

}  // namespace qm
