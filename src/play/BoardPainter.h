// Draws the game's board as the player sees it (the editor's markers too while
// the editor is on). Drawing never changes the board.
#pragma once

namespace qm {

class LevelMap;

class BoardPainter {
public:
    // Cell (x, y) is drawn centred at (originX + 32 x + shift, originY + 32 y + shift).
    static void draw(const LevelMap& map, float originX, float originY, int withGlow);
};

}  // namespace qm
