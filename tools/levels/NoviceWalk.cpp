// The guessing player's expected moves E, one unknown per live state:
//   (k - dead) E[s] - sum of E[t] over its moves to live states = k,
// with k the moves that change the state and dead those into dead states.
// A roll off the board leads to the start from anywhere, which would make
// most of the graph one knot; so E is carried as a + b * E[start], the
// rolls off adding to b, the rest of the graph is solved part by part in
// the order its strongly connected parts finish (the ones it leads to
// first), and E[start] = a / (1 - b) at the end.
#include "NoviceWalk.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <utility>

namespace qm {

namespace {

struct Moves {
    int changing = 0;  // k
    int dead = 0;
    int offBoard = 0;
    std::vector<std::pair<int, int>> live;  // (state, how many moves lead there)
};

Moves movesOf(const StateGraph& graph, const std::vector<int>& dist, int unsolvable, int s) {
    Moves m;
    for (int d = 0; d < StateGraph::kDirections; ++d) {
        const StateGraph::Edge& e = graph.edge(s, d);
        if (e.end == MoveEnd::Solved) {
            ++m.changing;
        } else if (e.end == MoveEnd::Restarted) {
            if (s == 0) continue;
            ++m.changing;
            ++m.offBoard;
        } else if (e.end == MoveEnd::Rested && e.to != s) {
            ++m.changing;
            if (dist[size_t(e.to)] == unsolvable) {
                ++m.dead;
                continue;
            }
            auto known = std::find_if(m.live.begin(), m.live.end(), [&](const auto& p) { return p.first == e.to; });
            if (known != m.live.end()) ++known->second;
            else m.live.emplace_back(e.to, 1);
        }
    }
    return m;
}

// Strongly connected parts of the live states over their moves to live
// states, each listed when it is complete: every part a state leads to is
// listed before the state's own.
std::vector<std::vector<int>> knots(const std::vector<Moves>& moves, const std::vector<uint8_t>& live) {
    int n = int(moves.size());
    std::vector<int> index(static_cast<size_t>(n), -1), low(size_t(n), 0);
    std::vector<uint8_t> onStack(static_cast<size_t>(n), 0);
    std::vector<int> stack;
    std::vector<std::vector<int>> parts;
    int counter = 0;
    std::vector<std::pair<int, size_t>> call;  // state, next move to look at
    for (int root = 0; root < n; ++root) {
        if (!live[size_t(root)] || index[size_t(root)] >= 0) continue;
        call.emplace_back(root, 0);
        index[size_t(root)] = low[size_t(root)] = counter++;
        stack.push_back(root);
        onStack[size_t(root)] = 1;
        while (!call.empty()) {
            auto& [s, next] = call.back();
            const auto& out = moves[size_t(s)].live;
            if (next < out.size()) {
                int t = out[next++].first;
                if (index[size_t(t)] < 0) {
                    index[size_t(t)] = low[size_t(t)] = counter++;
                    stack.push_back(t);
                    onStack[size_t(t)] = 1;
                    call.emplace_back(t, 0);
                } else if (onStack[size_t(t)]) {
                    low[size_t(s)] = std::min(low[size_t(s)], index[size_t(t)]);
                }
                continue;
            }
            int done = s;
            call.pop_back();
            if (!call.empty()) {
                int parent = call.back().first;
                low[size_t(parent)] = std::min(low[size_t(parent)], low[size_t(done)]);
            }
            if (low[size_t(done)] != index[size_t(done)]) continue;
            std::vector<int> part;
            int t;
            do {
                t = stack.back();
                stack.pop_back();
                onStack[size_t(t)] = 0;
                part.push_back(t);
            } while (t != done);
            parts.push_back(std::move(part));
        }
    }
    return parts;
}

// Solves the dense system a · x = r for the two right-hand sides in `r`
// (row-major, n rows), by elimination with partial pivoting.
void eliminate(std::vector<double>& a, std::vector<std::array<double, 2>>& r, int n) {
    for (int col = 0; col < n; ++col) {
        int pivot = col;
        for (int row = col + 1; row < n; ++row)
            if (std::fabs(a[size_t(row * n + col)]) > std::fabs(a[size_t(pivot * n + col)])) pivot = row;
        if (pivot != col) {
            for (int j = 0; j < n; ++j) std::swap(a[size_t(col * n + j)], a[size_t(pivot * n + j)]);
            std::swap(r[size_t(col)], r[size_t(pivot)]);
        }
        double p = a[size_t(col * n + col)];
        for (int row = col + 1; row < n; ++row) {
            double f = a[size_t(row * n + col)] / p;
            if (f == 0) continue;
            for (int j = col; j < n; ++j) a[size_t(row * n + j)] -= f * a[size_t(col * n + j)];
            r[size_t(row)][0] -= f * r[size_t(col)][0];
            r[size_t(row)][1] -= f * r[size_t(col)][1];
        }
    }
    for (int row = n - 1; row >= 0; --row) {
        for (int j = row + 1; j < n; ++j) {
            r[size_t(row)][0] -= a[size_t(row * n + j)] * r[size_t(j)][0];
            r[size_t(row)][1] -= a[size_t(row * n + j)] * r[size_t(j)][1];
        }
        r[size_t(row)][0] /= a[size_t(row * n + row)];
        r[size_t(row)][1] /= a[size_t(row * n + row)];
    }
}

}  // namespace

double NoviceWalk::expectedMoves(const StateGraph& graph, const std::vector<int>& dist, int unsolvable) {
    int n = graph.size();
    if (n == 0 || dist[0] == unsolvable) return 0;
    std::vector<uint8_t> live(static_cast<size_t>(n), 0);
    std::vector<Moves> moves(static_cast<size_t>(n));
    for (int s = 0; s < n; ++s) {
        live[size_t(s)] = dist[size_t(s)] != unsolvable;
        if (live[size_t(s)]) moves[size_t(s)] = movesOf(graph, dist, unsolvable, s);
    }
    // E[s] = a[s] + b[s] * E[start].
    std::vector<std::array<double, 2>> value(static_cast<size_t>(n), {0.0, 0.0});
    std::vector<int> local(static_cast<size_t>(n), -1);
    for (const std::vector<int>& part : knots(moves, live)) {
        int size = int(part.size());
        for (int i = 0; i < size; ++i) local[size_t(part[size_t(i)])] = i;
        // Right-hand sides: the moves themselves, the rolls off, and the
        // parts already solved.
        std::vector<std::array<double, 2>> rhs(static_cast<size_t>(size));
        std::vector<double> diagonal(static_cast<size_t>(size));
        for (int i = 0; i < size; ++i) {
            const Moves& m = moves[size_t(part[size_t(i)])];
            diagonal[size_t(i)] = m.changing - m.dead;
            rhs[size_t(i)] = {double(m.changing), double(m.offBoard)};
            for (const auto& [t, count] : m.live)
                if (local[size_t(t)] < 0) {
                    rhs[size_t(i)][0] += count * value[size_t(t)][0];
                    rhs[size_t(i)][1] += count * value[size_t(t)][1];
                }
        }
        if (size <= kEliminationLimit) {
            std::vector<double> a(static_cast<size_t>(size) * size_t(size), 0.0);
            for (int i = 0; i < size; ++i) {
                a[size_t(i * size + i)] = diagonal[size_t(i)];
                for (const auto& [t, count] : moves[size_t(part[size_t(i)])].live)
                    if (local[size_t(t)] >= 0) a[size_t(i * size + local[size_t(t)])] -= count;
            }
            eliminate(a, rhs, size);
            for (int i = 0; i < size; ++i) value[size_t(part[size_t(i)])] = rhs[size_t(i)];
        } else {
            // Each row's weight is at least the sum of its others and the
            // part has a way out, so the sweeps converge.
            std::vector<std::array<double, 2>> x(static_cast<size_t>(size), {0.0, 0.0});
            for (int sweep = 0; sweep < 1000000; ++sweep) {
                double change = 0, scale = 1;
                for (int i = 0; i < size; ++i) {
                    std::array<double, 2> sum = rhs[size_t(i)];
                    for (const auto& [t, count] : moves[size_t(part[size_t(i)])].live)
                        if (local[size_t(t)] >= 0) {
                            sum[0] += count * x[size_t(local[size_t(t)])][0];
                            sum[1] += count * x[size_t(local[size_t(t)])][1];
                        }
                    for (int c = 0; c < 2; ++c) {
                        double v = sum[size_t(c)] / diagonal[size_t(i)];
                        change = std::max(change, std::fabs(v - x[size_t(i)][size_t(c)]));
                        scale = std::max(scale, std::fabs(v));
                        x[size_t(i)][size_t(c)] = v;
                    }
                }
                if (change <= 1e-12 * scale) break;
            }
            for (int i = 0; i < size; ++i) value[size_t(part[size_t(i)])] = x[size_t(i)];
        }
        for (int s : part) local[size_t(s)] = -2;  // solved: a known value from now on
    }
    return value[0][0] / (1 - value[0][1]);
}

int NoviceWalk::firstLure(const StateGraph& graph, const std::vector<int>& dist, int unsolvable,
                          const std::vector<int>& path, int endX, int endY) {
    for (size_t at = 0; at < path.size(); ++at) {
        int s = path[at];
        int nearest = -1;
        bool lures = false;
        for (int d = 0; d < StateGraph::kDirections; ++d) {
            const StateGraph::Edge& e = graph.edge(s, d);
            int away;
            if (e.end == MoveEnd::Solved) away = 0;
            else if (e.end == MoveEnd::Rested && e.to != s)
                away = std::abs(graph.ballX(e.to) - endX) + std::abs(graph.ballY(e.to) - endY);
            else continue;
            bool dead = e.end == MoveEnd::Rested && dist[size_t(e.to)] == unsolvable;
            if (nearest < 0 || away < nearest) {
                nearest = away;
                lures = dead;
            } else if (away == nearest) {
                lures = lures || dead;
            }
        }
        if (lures) return int(at);
    }
    return -1;
}

}  // namespace qm
