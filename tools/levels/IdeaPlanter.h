// Where an ordinary level's idea starts: its gizmos planted on the goal line
// (the line of cells in front of the end, along which the last move must
// roll), so that reaching that line is the puzzle: a closed lock 2 beside it
// as the stopper, a door or a shatter block across it with a booster behind
// to break it from afar, an angle block or booster on it as a lift, the
// partner teleport or the recall point on it as the way in. Walls come as
// pieces (bars and L shapes), not single stones. The annealing moves what
// is planted from there; the judge keeps what works.
#pragma once
#include <functional>

#include "Curriculum.h"
#include "rules/Board.h"

namespace qm {

class IdeaPlanter {
public:
    // Whether a cell is free for a piece: floor, not the frame, not in front
    // of the start or the end, not a partition.
    using FreeCell = std::function<bool(int x, int y)>;

    // Plants the level's kinds that have a place on the goal line; returns the
    // Feature bits it planted (the rest are the caller's to place).
    static int plant(Board& board, const LevelPlan& plan, const FreeCell& free);
    // Wall pieces of 2 to 5 cells (bars and L shapes) on free cells, `cells` cells in all.
    static void wallPieces(Board& board, int cells, const FreeCell& free);

};

}  // namespace qm
