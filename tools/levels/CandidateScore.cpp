// The generator's judgement of a board; see the header.
#include "CandidateScore.h"

#include <algorithm>
#include <bit>
#include <cmath>

#include "BoardShaper.h"
#include "IdeaStats.h"

namespace qm {

namespace {

// Cells that stay open once the board is tidied.
int openAfterTidy(const Board& board, const StateGraph& graph) {
    Board tidied = BoardShaper::tidied(board, graph);
    int open = 0;
    for (int x = 0; x < kBoardWidth; ++x)
        for (int y = 0; y < kBoardHeight; ++y) open += !BoardShaper::isWall(tidied.cells[x][y]);
    return open;
}

// Stones standing alone, no wall beside them: a few make a puzzle, many a
// room of clutter.
int loneStones(const Board& board) {
    int lone = 0;
    for (int x = 1; x < kBoardWidth - 1; ++x)
        for (int y = 1; y < kBoardHeight - 1; ++y) {
            if (!BoardShaper::isWall(board.cells[x][y])) continue;
            bool beside = BoardShaper::isWall(board.cells[x - 1][y]) || BoardShaper::isWall(board.cells[x + 1][y]) ||
                          BoardShaper::isWall(board.cells[x][y - 1]) || BoardShaper::isWall(board.cells[x][y + 1]);
            lone += !beside;
        }
    return lone;
}

}  // namespace

Candidate CandidateScore::evaluate(const Board& board, const LevelPlan& plan, int stateCap) {
    Candidate c;
    StateGraph graph = StateGraph::explore(board, stateCap);
    if (graph.capped) return c;
    c.measures = LevelStats::measureGraph(board, graph);
    c.measures.level = plan.level;
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
    value -= 4 * std::max(0, loneStones(board) - kLoneStones);
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
    // An idea level aims at the novice band first; effort only keeps its rise.
    value -= (plan.ideas ? 60 : 120) * std::max(0.0, effortMiss - (plan.ideas ? 0.3 : 0.08));
    int movesMiss = m.moves < plan.low ? plan.low - m.moves : m.moves > plan.high ? m.moves - plan.high : 0;
    value -= 25 * movesMiss;
    value -= 15 * m.backAndForth;

    if (plan.ideas) {
        IdeaStats::measure(board, graph, c.measures);
        bool ideasMet = judgeIdeas(c.measures, plan, value);
        c.value = value;
        c.kept = kept;
        c.aimed = kept && ideasMet && m.shortestSolutions == 1 && movesMiss == 0 && m.costlyChoices >= 2 && trapped &&
                  effortMiss <= 0.5;
        return c;
    }

    c.value = value;
    c.kept = kept;
    c.aimed = kept && m.shortestSolutions == 1 && effortMiss <= 0.2 && movesMiss == 0 &&
              (!puzzle || (m.costlyChoices >= 2 && trapped));
    return c;
}

// The idea measures of an ordinary level: gizmos at work in most moves (a
// grind on one shatter block counts once), moves that lean on earlier ones,
// a lure, walls in pieces, a guessing player's moves inside the level's
// band, and no loop on a shatter block beyond one move. Plain moves are pushed below 35%, under the campaign's 45%. Adds to
// `value`; true when every idea aim is met.
bool CandidateScore::judgeIdeas(const LevelMeasures& m, const LevelPlan& plan, double& value) {
    const IdeaMeasures& i = m.ideas;
    int gizmo = i.gizmoMoves - i.grindMoves;
    double plain = m.moves ? double(i.plainMoves) / m.moves : 1.0;
    value += 60 * std::min(gizmo, 7);
    value -= 30 * i.grindMoves;
    // A loop on a shatter block pads the moves and the guessing player's
    // count without asking anything new: past one such move the board is
    // not what an idea level aims at, and every further move costs more.
    const bool grinding = i.shatterGrind > 1;
    if (grinding) value -= 150 + 100 * (i.shatterGrind - 1);
    value -= 800 * std::max(0.0, plain - 0.35);
    value += 80 * std::min(i.dependentMoves, 2) + (i.dependentMoves > 2 ? 30 : 0);
    // On a shatter level a knock on a cracked block was a dependent move for
    // free; with loops on a block refused, the search must find real ones,
    // so a board short of two costs more there.
    if ((plan.features & FEATURE_SHATTER) && i.dependentMoves < 2) value -= 100;
    value += i.lure ? 90 : 0;
    value += m.costlyChoices >= 2 ? 60 : 0;
    value -= 35 * std::max(0, i.loneStones - 1);
    // The band is 0.5 to 1.0 x the curve; outside it every doubling costs 200.
    double novice = std::max(1.0, i.noviceMoves);
    double miss = novice < plan.noviceLow ? std::log2(plan.noviceLow / novice)
                  : novice > plan.noviceHigh ? std::log2(novice / plan.noviceHigh) : 0.0;
    value -= 200 * miss + (miss > 0 ? 20 : 0);
    return gizmo >= 5 && plain <= 0.45 && i.dependentMoves >= 2 && i.lure && i.loneStones <= 2 && miss == 0 &&
           !grinding;
}

}  // namespace qm
