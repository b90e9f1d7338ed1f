// Wall tiles of every art style (six variants each) and the tile border.
// The same code draws the tile strips, the tutorial pictures and the editor panel.
#pragma once
#include "ArtStyle.h"
#include "Canvas.h"

namespace qm {

class TilePainter {
public:
    // Draws frame 0..5 of the style's tile set with its top-left at (x, y), 32 x 32.
    // square: fill the whole cell (for files without alpha).
    static void paint(cairo_t* cr, int style, int frame, double x, double y, bool square = false);
    // The subtle rim drawn over every tile from style 2 on.
    static void paintBorder(cairo_t* cr, double x, double y);
    // The game draws the border over walls of every set above the first two.
    static bool hasBorder(int style) { return style > 1; }
    static bool writeStrip(int style, const std::string& path);
};

}  // namespace qm
