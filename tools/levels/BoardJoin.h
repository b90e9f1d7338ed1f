// The joined-boards rule of the campaign: the strip between a board's end and
// its nearest edge reappears on the opposite side of the next board, exactly
// as the editor's next-board builder copies it.
#pragma once
#include <string>
#include "rules/Board.h"

namespace qm {

class BoardJoin {
public:
    // The edge the previous board's end lies nearest: 1 up, 2 right, 3 down, 4 left.
    static int exitEdge(const Board& previous);
    // Copies the strip onto `next` (its old end becomes the start) and sets its entry.
    static void apply(const Board& previous, Board& next);
    // Whether `next` carries the strip and entry that `apply` would give it.
    static bool check(const Board& previous, const Board& next, std::string* problem);
    // The side of the next board where the strip lands (the opposite edge).
    static int entrySide(int exitEdge) { return exitEdge == 1 ? 3 : exitEdge == 3 ? 1 : exitEdge == 2 ? 4 : 2; }
};

}  // namespace qm
