// The generator's judgement of a board; see the header.
#include "CandidateScore.h"

#include <algorithm>
#include <bit>
#include <cmath>

namespace qm {

namespace {

// Cells that stay open when the generator turns unreached floor and gizmos
// the ball never meets into rock.
int openAfterTidy(const LevelMap& board, const StateGraph& graph) {
    int open = 0;
    for (int x = 0; x < kBoardWidth; ++x)
        for (int y = 0; y < kBoardHeight; ++y) {
            int code = board.cells[x][y];
            size_t at = size_t(x * kBoardHeight + y);
            if (code >= 10 && code <= 15) continue;
            bool shatter = code == 125 || code == 126;
            bool loose = code == 3 || (code >= 16 && code <= 25) || code == 31 || code == 32 || code == 7 ||
                         code == 8 || code == 9 || (code >= 115 && code <= 122);
            if (shatter && !graph.changed[at] && !graph.crossed[at]) continue;
            if (loose && !graph.crossed[at]) continue;
            ++open;
        }
    return open;
}

}  // namespace

Candidate CandidateScore::evaluate(const LevelMap& board, const LevelPlan& plan, int stateCap) {
    Candidate c;
    StateGraph graph = StateGraph::explore(board, stateCap);
    if (graph.capped) return c;
    c.measures = LevelStats::measureGraph(board, graph);
    const LevelMeasures& m = c.measures;
    if (!m.solvable) return c;
    c.measures.essential = m.kinds & ~LevelStats::solvableWithout(board, m.kinds, stateCap);
    c.openAfterTidy = openAfterTidy(board, graph);

    const bool puzzle = !plan.teaching;
    const double open = c.openAfterTidy / double(kBoardWidth * kBoardHeight);
    const int missing = std::popcount(unsigned(plan.features & ~m.kinds));
    const int faults = std::popcount(unsigned(m.nonEssential())) + std::popcount(unsigned(m.inert)) + missing;
    double value = -400.0 * faults;
    bool kept = faults == 0;
    // Open rooms, not a maze of rock: every board keeps a good share of its
    // floor once what the ball never reaches is rock.
    if (open < kLeastLooks) value -= 3000 * (kLeastLooks - open) + 30;
    kept = kept && open >= kLeastLooks;
    value += 150 * std::min(open, 0.65);
    if (puzzle) {
        if (m.forcedShare() > kMostForced) value -= 1000 * (m.forcedShare() - kMostForced) + 30;
        kept = kept && m.forcedShare() <= kMostForced;
    }

    bool trapped = m.trap && m.deadShare() >= kLeastDead;
    if (puzzle) {
        static const int costlyValue[4] = {0, 90, 180, 210};
        value += costlyValue[std::min(m.costlyChoices, 3)];
        value += trapped ? 60 : (m.trap ? 20 : 0) + 25 * std::min(1.0, m.deadShare() / kLeastDead);
    } else if (plan.level < 5) {
        // The very first boards forgive: a wrong move never needs a restart.
        value -= 200 * m.deadShare();
    } else {
        value += 10 * std::min(m.costlyChoices, 2);
    }
    if (m.shortestSolutions == 1) value += 40;

    double effortMiss = std::fabs(std::log((m.effort + 1.0) / (plan.effort + 1.0)));
    value -= 120 * std::max(0.0, effortMiss - 0.08);
    int movesMiss = m.moves < plan.low ? plan.low - m.moves : m.moves > plan.high ? m.moves - plan.high : 0;
    value -= 25 * movesMiss;
    value -= 15 * m.backAndForth;

    c.value = value;
    c.kept = kept;
    c.aimed = kept && m.shortestSolutions == 1 && effortMiss <= 0.2 && movesMiss == 0 &&
              (!puzzle || (m.costlyChoices >= 2 && trapped));
    return c;
}

}  // namespace qm
