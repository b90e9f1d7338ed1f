// The measures over a level's state graph; see the header.
#include "LevelStats.h"

#include "IdeaStats.h"

#include <algorithm>
#include <bit>
#include <climits>
#include <cstdio>
#include <deque>

namespace qm {

namespace {

bool isWallCode(int code) { return code >= Code::FirstWall && code <= Code::LastWall; }

struct KindCodes {
    int kind;
    int low, high;
};
// The cells that make up each kind: for recall, the pads; for beams, the switches.
constexpr KindCodes kKindCodes[] = {
    {FEATURE_SHATTER, Code::WeakShatter, Code::Shatter},
    {FEATURE_TELEPORT, Code::FirstTeleport, Code::LastTeleport},
    {FEATURE_KEY1, Code::Key1, Code::Key1},
    {FEATURE_KEY2, Code::Key2, Code::Key2},
    {FEATURE_RECALL, Code::RecallPad, Code::RecallPad},
    {FEATURE_ANGLE, Code::AngleBottomRight, Code::AngleTopLeft},
    {FEATURE_BOOSTER, Code::BoosterRight, Code::BoosterUp},
    {FEATURE_BEAM, Code::Switch, Code::Switch},
};

int countCodes(const Board& board, int low, int high) {
    int n = 0;
    for (int x = 0; x < kBoardWidth; ++x)
        for (int y = 0; y < kBoardHeight; ++y) n += board.cells[x][y] >= low && board.cells[x][y] <= high;
    return n;
}

Board withKindReplaced(const Board& board, const KindCodes& kind, int replacement) {
    Board copy = board;
    for (int x = 0; x < kBoardWidth; ++x)
        for (int y = 0; y < kBoardHeight; ++y) {
            int code = board.cells[x][y];
            if (code >= kind.low && code <= kind.high) copy.cells[x][y] = replacement;
        }
    return copy;
}

}  // namespace

std::vector<int> LevelStats::distancesToSolve(const StateGraph& graph) {
    int n = graph.size();
    std::vector<int> dist(size_t(n), kUnsolvable);
    std::vector<std::vector<int>> into{size_t(n)};
    std::deque<int> queue;
    for (int s = 0; s < n; ++s)
        for (int d = 0; d < StateGraph::kDirections; ++d) {
            const StateGraph::Edge& e = graph.edge(s, d);
            if (e.end == MoveEnd::Rested) into[size_t(e.to)].push_back(s);
            if (e.end == MoveEnd::Solved && dist[size_t(s)] == kUnsolvable) {
                dist[size_t(s)] = 1;
                queue.push_back(s);
            }
        }
    while (!queue.empty()) {
        int t = queue.front();
        queue.pop_front();
        for (int s : into[size_t(t)])
            if (dist[size_t(s)] == kUnsolvable) {
                dist[size_t(s)] = dist[size_t(t)] + 1;
                queue.push_back(s);
            }
    }
    return dist;
}

int LevelStats::kindsOn(const Board& board) {
    int kinds = 0;
    for (const KindCodes& k : kKindCodes)
        if (countCodes(board, k.low, k.high)) kinds |= k.kind;
    return kinds;
}

int LevelStats::inertOn(const Board& board) {
    int inert = 0;
    auto has = [&](int low, int high) { return countCodes(board, low, high) > 0; };
    auto hasCode = [&](int code) { return has(code, code); };
    if (hasCode(Code::RecallPoint) != hasCode(Code::RecallPad)) inert |= FEATURE_RECALL;
    if (hasCode(Code::Key1) != hasCode(Code::Lock1)) inert |= FEATURE_KEY1;
    if (hasCode(Code::Key2) != hasCode(Code::Lock2)) inert |= FEATURE_KEY2;
    if (hasCode(Code::Switch) != (hasCode(Code::BeamHorizontal) || hasCode(Code::BeamVertical))) inert |= FEATURE_BEAM;
    for (int code = Code::FirstTeleport; code < Code::LastTeleport; code += 2)
        if (hasCode(code) != hasCode(Board::teleportPartner(code))) inert |= FEATURE_TELEPORT;
    return inert;
}

int LevelStats::solvableWithout(const Board& board, int kinds, int stateCap) {
    int solvable = 0;
    for (const KindCodes& k : kKindCodes) {
        if (!(kinds & k.kind)) continue;
        int neutral = k.kind == FEATURE_SHATTER ? int(WallLook::Frame) : int(Code::Floor);
        bool solved = StateGraph::explore(withKindReplaced(board, k, neutral), stateCap,
                                          StateGraph::Reach::FirstSolve).solvable;
        // An angle block may be needed as a corner or only as a stop.
        if (!solved && k.kind == FEATURE_ANGLE)
            solved = StateGraph::explore(withKindReplaced(board, k, WallLook::Frame), stateCap, StateGraph::Reach::FirstSolve)
                         .solvable;
        if (solved) solvable |= k.kind;
    }
    return solvable;
}

LevelMeasures LevelStats::measureGraph(const Board& board, const StateGraph& graph) {
    LevelMeasures m;
    m.capped = graph.capped;
    m.states = graph.size();
    m.kinds = kindsOn(board);
    m.inert = inertOn(board);
    for (int x = 0; x < kBoardWidth; ++x)
        for (int y = 0; y < kBoardHeight; ++y) m.openCells += !isWallCode(board.cells[x][y]);

    std::vector<int> dist = distancesToSolve(graph);
    for (int s = 0; s < graph.size(); ++s) m.deadStates += dist[size_t(s)] == kUnsolvable;
    m.solvable = dist[0] != kUnsolvable;
    if (!m.solvable) return m;
    m.moves = dist[0];
    for (int s = 0; s < graph.size(); ++s) m.effort += graph.depth(s) < m.moves;

    // Fewest-move solutions step down the distances one at a time; count them
    // from the goal back, nearest states first (the count saturates), and
    // find the quickest of them in ticks, as the game's solver answers.
    std::vector<int> order;
    for (int s = 0; s < graph.size(); ++s)
        if (dist[size_t(s)] != kUnsolvable) order.push_back(s);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return dist[size_t(a)] < dist[size_t(b)]; });
    std::vector<long long> ways(size_t(graph.size()), 0);
    std::vector<int> ticks(size_t(graph.size()), INT_MAX), quickest(size_t(graph.size()), -1);
    for (int s : order) {
        long long w = 0;
        for (int d = 0; d < StateGraph::kDirections; ++d) {
            const StateGraph::Edge& e = graph.edge(s, d);
            int after = -1;
            if (e.end == MoveEnd::Solved && dist[size_t(s)] == 1) {
                ++w;
                after = 0;
            }
            if (e.end == MoveEnd::Rested && dist[size_t(e.to)] == dist[size_t(s)] - 1) {
                w += ways[size_t(e.to)];
                after = ticks[size_t(e.to)];
            }
            if (after >= 0 && e.ticks + after < ticks[size_t(s)]) {
                ticks[size_t(s)] = e.ticks + after;
                quickest[size_t(s)] = d;
            }
        }
        ways[size_t(s)] = std::min<long long>(w, LevelMeasures::kManySolutions);
    }
    m.shortestSolutions = int(ways[0]);
    m.ticks = ticks[0];

    // The quickest shortest path, and what each of its steps offers.
    std::vector<uint8_t> onPath(size_t(graph.size()), 0);
    int s = 0, before = -1;
    while (true) {
        onPath[size_t(s)] = 1;
        m.path.push_back(s);
        int here = dist[size_t(s)];
        int chosen = quickest[size_t(s)];
        const StateGraph::Edge& step = graph.edge(s, chosen);
        int next = step.end == MoveEnd::Rested ? step.to : -1;
        int onward = 0;
        bool costly = false;
        for (int d = 0; d < StateGraph::kDirections; ++d) {
            const StateGraph::Edge& e = graph.edge(s, d);
            if (e.end == MoveEnd::Solved) ++onward;
            if (e.end != MoveEnd::Rested || onPath[size_t(e.to)]) continue;
            ++onward;
            int there = dist[size_t(e.to)];
            if (there == kUnsolvable) m.trap = true;
            int extra = there == kUnsolvable ? -1 : there + 1 - here;
            costly = costly || extra < 0 || extra >= 4;
            if (d != chosen) m.wrongTurns.push_back(extra);
        }
        m.costlyChoices += costly;
        m.forcedSteps += onward == 1;
        m.solution += StateGraph::kLetters[chosen];
        if (next < 0) break;
        if (before >= 0 && graph.ballX(before) == graph.ballX(next) && graph.ballY(before) == graph.ballY(next))
            ++m.backAndForth;
        before = s;
        s = next;
    }
    return m;
}

LevelMeasures LevelStats::measure(const Board& board, int stateCap, int probeCap) {
    StateGraph graph = StateGraph::explore(board, stateCap);
    LevelMeasures m = measureGraph(board, graph);
    IdeaStats::measure(board, graph, m);
    if (m.solvable) m.essential = m.kinds & ~solvableWithout(board, m.kinds, probeCap);
    return m;
}

std::string LevelStats::kindNames(int kinds) {
    if (!kinds) return "-";
    std::string names = Curriculum::featureNames(kinds);
    std::replace(names.begin(), names.end(), '+', ' ');
    return names;
}

std::string LevelStats::header() {
    return "level moves states dead dead% costly forced% open% trap effort unique " + IdeaStats::header() +
           "  kinds / not essential / inert";
}

std::string LevelStats::line(const LevelMeasures& m) {
    char buffer[256];
    if (!m.solvable) {
        std::snprintf(buffer, sizeof buffer, "%5d unsolvable (%d states%s)", m.level, m.states,
                      m.capped ? ", capped" : "");
        return buffer;
    }
    std::snprintf(buffer, sizeof buffer, "%5d %5d %6d %4d %5.0f %6d %7.0f %5.0f %4s %6d %6s  ", m.level, m.moves,
                  m.states, m.deadStates, 100 * m.deadShare(), m.costlyChoices, 100 * m.forcedShare(),
                  100 * m.openFloor(), m.trap ? "yes" : "-", m.effort,
                  m.shortestSolutions == 1 ? "yes" : std::to_string(m.shortestSolutions).c_str());
    std::string out = buffer + IdeaStats::columns(m) + "  " + kindNames(m.kinds) + " / " +
                      kindNames(m.nonEssential()) + " / " + kindNames(m.inert);
    if (m.capped) out += "  (state cap reached)";
    if (!m.ideas.named.empty()) out += "  | " + m.ideas.named;
    return out;
}

namespace {

double median(std::vector<int> values) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2.0;
}

}  // namespace

bool LevelStats::summary(const std::vector<LevelMeasures>& levels, std::string& text) {
    constexpr int kFirstMeasured = 20;  // the teaching levels are spared the puzzle targets
    int measured = 0, costly = 0, roomy = 0, trapped = 0, unique = 0, nonEssential = 0, inert = 0, solvable = 0;
    int gizmoLevels = 0, allEssential = 0, noDead = 0, noCostly = 0, cheapTurns = 0, turns = 0;
    std::vector<std::vector<int>> effortByGroup;
    std::vector<int> shatterBumps;  // per mille of the solution's moves
    for (const LevelMeasures& m : levels) {
        solvable += m.solvable;
        unique += m.shortestSolutions == 1;
        nonEssential += std::popcount(unsigned(m.nonEssential()));
        inert += std::popcount(unsigned(m.inert));
        if (m.kinds) {
            ++gizmoLevels;
            allEssential += m.nonEssential() == 0;
        }
        noDead += m.deadStates == 0;
        if ((m.kinds & FEATURE_SHATTER) && m.moves) shatterBumps.push_back(1000 * m.backAndForth / m.moves);
        noCostly += m.costlyChoices == 0;
        for (int extra : m.wrongTurns) {
            ++turns;
            cheapTurns += extra >= 0 && extra <= 2;
        }
        // Groups of 20 levels; the last level joins the group before it.
        size_t group = size_t(std::min(m.level, 159) / 20);
        if (effortByGroup.size() <= group) effortByGroup.resize(group + 1);
        effortByGroup[group].push_back(m.effort);
        if (m.level < kFirstMeasured) continue;
        ++measured;
        costly += m.costlyChoices >= 2;
        roomy += m.forcedShare() <= 0.40 && m.openFloor() >= 0.30;
        trapped += m.deadShare() >= 0.10 && m.trap;
    }
    std::vector<double> medians;
    for (const auto& group : effortByGroup) medians.push_back(median(group));
    bool rising = true;
    for (size_t g = 1; g < medians.size(); ++g) rising = rising && medians[g] > medians[g - 1];
    double ratio = medians.size() > 1 && medians.front() > 0 ? medians.back() / medians.front() : 0;

    int n = int(levels.size());
    int costlyTarget = (measured * 120 + 140) / 141, trapTarget = (measured * 70 + 140) / 141,
        uniqueTarget = (n * 120 + 160) / 161;
    bool met = solvable == n && costly >= costlyTarget && nonEssential == 0 && inert == 0 && roomy == measured &&
               trapped >= trapTarget && unique >= uniqueTarget && rising && ratio >= 5;
    char buffer[1024];
    std::snprintf(buffer, sizeof buffer,
                  "%d levels, %d solvable; %d measured from level %d on\n"
                  "1. at least 2 costly choices: %d of %d (target %d)\n"
                  "2. gizmo kinds not essential: %d kind-level pairs (target 0); every kind essential in %d of %d "
                  "gizmo levels; inert pieces: %d\n"
                  "3. forced share <= 40%% and open floor >= 30%%: %d of %d (target all)\n"
                  "4. dead share >= 10%% and a trap on the path: %d of %d (target %d)\n"
                  "5. unique shortest solution: %d of %d (target %d)\n"
                  "6. effort, median per 20 levels:",
                  n, solvable, measured, kFirstMeasured, costly, measured, costlyTarget, nonEssential, allEssential,
                  gizmoLevels, inert, roomy, measured, trapped, measured, trapTarget, unique, n, uniqueTarget);
    text = buffer;
    for (double v : medians) {
        std::snprintf(buffer, sizeof buffer, " %g", v);
        text += buffer;
    }
    std::snprintf(buffer, sizeof buffer,
                  " (%s, last %.1f times the first; target rising, 5 times)\n"
                  "wrong turns costing at most 2 extra moves: %.0f%% of %d; levels with no costly choice: %d; "
                  "with no dead state: %d\n"
                  "back-and-forth moves in the solutions of shatter levels: median %.0f%%\n"
                  "%s\n",
                  rising ? "rising" : "not rising", ratio, turns ? 100.0 * cheapTurns / turns : 0.0, turns, noCostly,
                  noDead, median(shatterBumps) / 10, met ? "all targets met" : "targets not met");
    text += buffer;
    return met;
}

}  // namespace qm
