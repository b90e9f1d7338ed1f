// A solution replayed move by move through the rules' tick, to say what each
// move does: works a gizmo, stops against a plain wall, or ends where it does
// only because an earlier move changed the board. Also the wall shapes of a
// board (lone stones, pieces). Only the rules core is asked.
#pragma once
#include <string>

#include "IdeaMeasures.h"
#include "rules/Board.h"

namespace qm {

class SolutionMoves {
public:
    // Fills the gizmo, plain and dependent moves of `solution` (letters URDL
    // from the start) into `out`; false when a move does not play as written.
    static bool classify(const Board& board, const std::string& solution, IdeaMeasures& out);
    // Fills the lone stones, interior walls and big pieces into `out`.
    static void wallShapes(const Board& board, IdeaMeasures& out);
};

}  // namespace qm
