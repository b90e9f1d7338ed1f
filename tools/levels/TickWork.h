// What one tick of the rules did to the gizmos: which key was taken, whether
// a beam block turned, which shatter blocks were knocked, whether the ball
// jumped (teleport or recall) or crosses a booster or angle block. The
// solution's measures and its idea names both watch a replay through this.
#pragma once
#include <vector>

#include "rules/Board.h"
#include "rules/PlayState.h"

namespace qm {

class TickWork {
public:
    // One bit each, in the order of `kNames`.
    enum Bit : unsigned { Key1 = 1, Key2 = 2, Switch = 4, Teleport = 8, Recall = 16, Angle = 32, Booster = 64, Shatter = 128 };
    static constexpr const char* kNames[] = {"key1", "key2", "switch", "teleport", "recall", "angle", "booster", "shatter"};

    unsigned work = 0;
    std::vector<int> knocked;  // shatter cells cracked or broken, x * kBoardHeight + y

    static TickWork between(const Board& board, const PlayState& before, const PlayState& after);
};

}  // namespace qm
