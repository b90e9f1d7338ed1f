// Draws the game's board as the player sees it, or as the level editor shows
// it when asked. Drawing never changes the board.
#pragma once

#include "runtime/Image.h"

namespace qm {

class LevelMap;

// The board as the editor shows it: every gizmo in its start look, the start
// and the end, the teleports' pair digits, the protected strip, and the
// editor's markers from the strip it hands over. The editor's caller asks for
// it; the painter knows nothing of the editor.
struct EditingView {
    ImagePtr markers;
};

class BoardPainter {
public:
    // Cell (x, y) is drawn centred at (originX + 32 x + shift, originY + 32 y + shift);
    // `editing` null draws the board as played.
    static void draw(const LevelMap& map, float originX, float originY, int withGlow,
                     const EditingView* editing = nullptr);
};

}  // namespace qm
