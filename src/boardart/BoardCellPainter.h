// Draws a board's cells from its tile codes: each category's picture from
// the art style's tile set and the gizmo sheet, in the state the play gives
// it. The game's board painter and the level tool's pictures both draw
// through it. Drawing never changes the board or the play.
#pragma once
#include "boardart/BoardArt.h"
#include "rules/Board.h"
#include "rules/PlayState.h"

namespace qm {

// How the board is to be shown beyond its cells and play.
struct BoardLook {
    // The editor's view: start and end marked, teleports numbered, locks and
    // shatter blocks as placed, the guide arrows, the protected strip lit.
    bool editing = false;
    Board::Strip strip{-1, -1, -1, -1};
    // The slide's shift, in pixels.
    int shiftX = 0, shiftY = 0;
    // Each cell's glow (walls, locks, beam and shatter blocks light up), or none.
    const int (*glow)[kBoardHeight] = nullptr;
};

class BoardCellPainter {
public:
    // Cell (x, y) is drawn centred at (originX + 32 x + shift, originY + 32 y + shift).
    static void draw(const Board& board, const PlayState& play, const BoardArt& art, const BoardLook& look,
                     float originX, float originY);
    // The ball's picture at (px, py) turned by `angle` degrees; the blend is
    // left light, for the hover arrow drawn beside it.
    static void drawBall(const BoardArt& art, float px, float py, float angle);
    // What the game shows with particles, and what it does not show at all,
    // for a still picture: the end's sparkle, the teleports' glow over their
    // pair marks (as the game stacks it, fifteen copies), and the gaps lock 2
    // will close, dashed. Cells as `draw` places them with no shift.
    static void drawStillEffects(const Board& board, const BoardArt& art, float originX, float originY);
};

}  // namespace qm
