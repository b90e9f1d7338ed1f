// The par of each level (the fewest moves from its start), worked out once on
// the hint's worker and kept: the level being played and the level choice
// both ask here.
#pragma once
#include <future>
#include <map>

#include "rules/Board.h"
#include "rules/PlayState.h"

namespace qm {

class LevelPars {
public:
    static constexpr int kParStateCap = 200000;

    // The par of a level's board from its start, started on the worker the
    // first time a level is asked for; -1 when unsolvable or too large.
    std::shared_future<int> of(int levelNumber, const Board& board, const PlayState& start);
    // The same for a board that is no level file's (the editor changed it):
    // worked out afresh and not kept.
    static std::shared_future<int> workOut(const Board& board, const PlayState& start);
    // Drops what is kept (the level files changed).
    void clear() { pars.clear(); }

private:
    std::map<int, std::shared_future<int>> pars;
};

}  // namespace qm
