// The play screen's frame: the rim round the board, the Menu, Restart and Skip
// faces with their hover glows, the progress column, and the editor panel.
#pragma once
#include <string>

#include "Canvas.h"

namespace qm {

class FramePainter {
public:
    static void paintFrame(cairo_t* cr);
    static void paintEditorHud(cairo_t* cr);
    static int writeAll(const std::string& media);
    // Sizes the game draws by.
    static constexpr int kMovesBoxW = 118, kMovesBoxH = 56, kPlateW = 150, kPlateH = 32, kRingSide = 54;
    // A soft rounded glow filling w x h (used by hovers and menu highlights).
    static void softGlow(cairo_t* cr, double x, double y, double w, double h, double radius, const Rgb& c, double alpha);
    // A raised plaque in the game's frame colours.
    static void plaque(cairo_t* cr, double x, double y, double w, double h, double radius, bool lit = false);
};

}  // namespace qm
