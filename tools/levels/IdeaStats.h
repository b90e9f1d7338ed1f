// The idea measures of a level (IdeaMeasures.h) from its explored graph, and
// their targets over a campaign: gizmos at work in the solutions, moves that
// lean on earlier ones, lures, walls in shapes, and difficulty for a guessing
// player that rises through each group and the whole campaign.
#pragma once
#include <string>
#include <vector>

#include "IdeaMeasures.h"
#include "LevelStats.h"

namespace qm {

class IdeaStats {
public:
    // Fills `m.ideas`; `m` holds the other measures of the same graph.
    static void measure(const Board& board, const StateGraph& graph, LevelMeasures& m);

    // The targets over a campaign of levels 0..160; `text` gets the summary
    // lines. True when all are met.
    static bool summary(const std::vector<LevelMeasures>& levels, std::string& text);

    // The columns a level's line gains, and their header.
    static std::string header();
    static std::string columns(const LevelMeasures& m);

    // Spearman's rank correlation of two equally long series (ties share
    // their mean rank).
    static double rankCorrelation(const std::vector<double>& a, const std::vector<double>& b);
};

}  // namespace qm
