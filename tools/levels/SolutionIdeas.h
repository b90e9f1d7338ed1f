// Which ideas of the catalogue (docs/ideas.md) a level's solution shows,
// named in a few words for the campaign page: the solution replayed through
// the rules' tick, watching what each move meets and what stops it. Only
// what the moves actually do counts, not which pieces lie on the board.
#pragma once
#include <string>
#include <vector>

#include "rules/Board.h"

namespace qm {

struct LevelMeasures;

class SolutionIdeas {
public:
    // The catalogue's names for what `solution` (letters URDL from the start)
    // does, most telling first; `lureRest` is the first rest offering a lure
    // (0 the start, -1 none). Empty when the solution shows none, or does not
    // play as written.
    static std::vector<std::string> names(const Board& board, const std::string& solution, int lureRest);

    // A few words for a measured level: at most `most` names; a teaching
    // level (before the puzzles begin) first says what it teaches.
    static std::string describe(const Board& board, const LevelMeasures& m, size_t most = 3);
};

}  // namespace qm
