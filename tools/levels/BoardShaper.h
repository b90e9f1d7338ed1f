// The generator's hands: shapes a first board for a level on its skeleton
// (rooms divided by partition walls with doorways, the level's gizmos, a few
// stones) and makes small random edits to it (move a piece, add or lift a
// stone, turn a booster or angle block, open or close a doorway). It never
// touches the frame, the strips joining boards, or the cells in front of the
// start and the end. Draws only from the runtime's random generator.
#pragma once
#include <utility>
#include <vector>

#include "Curriculum.h"
#include "StateGraph.h"
#include "LevelFile.h"

namespace qm {

class BoardShaper {
public:
    explicit BoardShaper(const LevelPlan& plan) : plan(plan) {}

    // A fresh board on `skeleton` (which carries the frame, start and end).
    BoardPtr shape(const Board& skeleton);
    // One random edit; false when none could be made.
    bool mutate(Board& board);
    // Whether an edit may change the cell.
    bool editable(int x, int y) const { return fixed[x][y] != kFixed; }

    // A board with the same cells, start, end and entry, start and end
    // settled afresh from the cells.
    static BoardPtr copyOf(const Board& board);

    // What tidying leaves of a board whose graph is `graph`: gizmos the ball
    // never meets become floor (angle blocks and shatter blocks that only ever
    // stopped it become rock), then every pocket of floor the ball never
    // enters becomes rock. Floor the ball cannot reach inside its rooms stays
    // floor: a room is not to look like a maze of rock.
    static Board tidied(const Board& board, const StateGraph& graph);

    static constexpr int kFloor = Code::Floor;
    static bool isWall(int code) { return code >= Code::FirstWall && code <= Code::LastWall; }

private:
    static constexpr int kFree = 0, kFixed = 1, kPartition = 2;
    LevelPlan plan;
    int fixed[20][14] = {};

    void placeFeatures(Board& board, const std::vector<std::pair<int, int>>& doorways);
    bool randomFloorCell(const Board& board, int& x, int& y) const;
    int stoneBudget() const;
    // Gizmo pieces of the level's kinds that an edit may add or lift, within
    // their limits: the code to add, or 0.
    int pieceToAdd(const Board& board) const;
    bool removablePiece(const Board& board, int code) const;
};

}  // namespace qm
