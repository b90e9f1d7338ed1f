// The idea measures of one level, and the campaign's targets for them.
#include "IdeaStats.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>

#include "NoviceWalk.h"
#include "SolutionMoves.h"

namespace qm {

void IdeaStats::measure(const Board& source, const StateGraph& graph, LevelMeasures& m) {
    Board board = source;
    board.locateStartAndEnd();
    SolutionMoves::wallShapes(board, m.ideas);
    if (!m.solvable) return;
    SolutionMoves::classify(board, m.solution, m.ideas);
    std::vector<int> dist = LevelStats::distancesToSolve(graph);
    m.ideas.lureRest = NoviceWalk::firstLure(graph, dist, LevelStats::kUnsolvable, m.path, board.endX, board.endY);
    m.ideas.lure = m.ideas.lureRest >= 0;
    m.ideas.noviceMoves = NoviceWalk::expectedMoves(graph, dist, LevelStats::kUnsolvable);
}

std::string IdeaStats::header() { return "gizmo plain dep grind lure  novice lone"; }

std::string IdeaStats::columns(const LevelMeasures& m) {
    char buffer[128];
    const IdeaMeasures& i = m.ideas;
    std::snprintf(buffer, sizeof buffer, "%5d %5d %3d %5d %4s %7.1f %4d", i.gizmoMoves, i.plainMoves,
                  i.dependentMoves, i.grind, i.lure ? "yes" : "-", i.noviceMoves, i.loneStones);
    return buffer;
}

namespace {

double median(std::vector<double> values) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2.0;
}

std::vector<double> ranks(const std::vector<double>& values) {
    std::vector<size_t> order(values.size());
    for (size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::sort(order.begin(), order.end(), [&](size_t a, size_t b) { return values[a] < values[b]; });
    std::vector<double> rank(values.size());
    for (size_t i = 0; i < order.size();) {
        size_t j = i;
        while (j + 1 < order.size() && values[order[j + 1]] == values[order[i]]) ++j;
        for (size_t k = i; k <= j; ++k) rank[order[k]] = (double(i) + double(j)) / 2 + 1;
        i = j + 1;
    }
    return rank;
}

}  // namespace

double IdeaStats::rankCorrelation(const std::vector<double>& a, const std::vector<double>& b) {
    std::vector<double> ra = ranks(a), rb = ranks(b);
    double n = double(a.size()), ma = 0, mb = 0;
    for (size_t i = 0; i < a.size(); ++i) {
        ma += ra[i] / n;
        mb += rb[i] / n;
    }
    double cov = 0, va = 0, vb = 0;
    for (size_t i = 0; i < a.size(); ++i) {
        cov += (ra[i] - ma) * (rb[i] - mb);
        va += (ra[i] - ma) * (ra[i] - ma);
        vb += (rb[i] - mb) * (rb[i] - mb);
    }
    return va > 0 && vb > 0 ? cov / std::sqrt(va * vb) : 0;
}

bool IdeaStats::summary(const std::vector<LevelMeasures>& levels, std::string& text) {
    constexpr int kFirstMeasured = 20, kLast = 160, kGroups = 32;
    std::map<int, const LevelMeasures*> byLevel;
    for (const LevelMeasures& m : levels) byLevel[m.level] = &m;
    int measured = 0, moves = 0, plain = 0, dependent = 0, lured = 0, wallsOnly = 0, interior = 0, lone = 0;
    std::vector<double> gizmo, stones, pieces, novice, number;
    std::vector<int> grinding;  // levels whose solution loops on a block or a rest
    for (const LevelMeasures& m : levels) {
        stones.push_back(m.ideas.loneStones);
        pieces.push_back(m.ideas.bigPieces);
        interior += m.ideas.interiorWalls;
        lone += m.ideas.loneStones;
        novice.push_back(m.ideas.noviceMoves);
        number.push_back(m.level);
        if (m.level >= 5 && m.kinds == 0) ++wallsOnly;
        if (m.level < kFirstMeasured) continue;
        ++measured;
        moves += m.moves;
        plain += m.ideas.plainMoves;
        gizmo.push_back(m.ideas.gizmoMoves);
        dependent += m.ideas.dependentMoves >= 2;
        lured += m.ideas.lure;
        if (m.ideas.grind > 1) grinding.push_back(m.level);
    }
    // The fifth level of a group against the four before it.
    int fifthHardest = 0, groups = 0;
    for (int g = 0; g < kGroups; ++g) {
        auto fifth = byLevel.find(5 * g + 4);
        if (fifth == byLevel.end()) continue;
        ++groups;
        bool hardest = true;
        for (int level = 5 * g; level < 5 * g + 4; ++level) {
            auto other = byLevel.find(level);
            if (other != byLevel.end() && other->second->ideas.noviceMoves >= fifth->second->ideas.noviceMoves)
                hardest = false;
        }
        fifthHardest += hardest;
    }
    int lastRank = 0;
    auto last = byLevel.find(kLast);
    if (last != byLevel.end()) {
        lastRank = 1;
        for (const LevelMeasures& m : levels) lastRank += m.ideas.noviceMoves > last->second->ideas.noviceMoves;
    }
    // Pairs at least 20 levels apart where the earlier is the harder.
    int pairs = 0, inverted = 0;
    for (const LevelMeasures& a : levels)
        for (const LevelMeasures& b : levels)
            if (b.level - a.level >= 20) {
                ++pairs;
                inverted += a.ideas.noviceMoves > b.ideas.noviceMoves;
            }
    double correlation = rankCorrelation(novice, number);
    double plainShare = moves ? double(plain) / moves : 0;
    int countTarget = (measured * 100 + 140) / 141;
    bool met = plainShare <= 0.45 && median(gizmo) >= 5 && dependent >= countTarget && lured >= countTarget &&
               median(stones) <= 2 && fifthHardest >= (groups * 28 + 31) / 32 && lastRank >= 1 && lastRank <= 3 &&
               correlation >= 0.85;
    std::string grindList;
    for (int level : grinding) grindList += (grindList.empty() ? " (" : " ") + std::to_string(level);
    if (!grindList.empty()) grindList += ")";
    char buffer[2400];
    std::snprintf(buffer, sizeof buffer,
                  "ideas, over levels %d to %d unless said:\n"
                  "i1. plain moves (no gizmo, stopped by a wall): %.0f%% of %d solution moves (target at most 45%%)\n"
                  "i2. gizmo moves per solution: median %g (target at least 5)\n"
                  "i3. at least 2 dependent moves: %d of %d (target %d)\n"
                  "i4. a lure on the solution: %d of %d (target %d)\n"
                  "i5. lone stones per board, all levels: median %g (target at most 2); %.0f%% of interior wall "
                  "cells stand alone; pieces of 4+ wall cells: median %g; walls-only levels after the first group: %d\n"
                  "i6. novice moves: the fifth level is its group's hardest in %d of %d groups (target 28 of 32); "
                  "level 160 ranks %d (target 3 or better); rank correlation with the level number %.2f "
                  "(target 0.85); pairs 20+ levels apart with the earlier harder: %.0f%%\n"
                  "i7. grind (moves that knock a block again or rest where the ball rested, beyond the first two) "
                  "above 1: %zu of %d levels%s\n"
                  "%s\n",
                  kFirstMeasured, kLast, 100 * plainShare, moves, median(gizmo), dependent, measured, countTarget,
                  lured, measured, countTarget, median(stones), interior ? 100.0 * lone / interior : 0.0,
                  median(pieces), wallsOnly, fifthHardest, groups, lastRank, correlation,
                  pairs ? 100.0 * inverted / pairs : 0.0, grinding.size(), measured, grindList.c_str(),
                  met ? "idea targets met" : "idea targets not met");
    text = buffer;
    return met;
}

}  // namespace qm
