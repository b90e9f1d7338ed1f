// The backgrounds: the floor the ball rolls on (calm over the board) and the
// scenery of the style round it.
#pragma once
#include <cstdint>
#include <memory>

#include "Canvas.h"

namespace qm {

class BackgroundPainter {
public:
    // Board area on screen: the floor the ball rolls on.
    static constexpr int boardLeft = 63, boardTop = 61, boardRight = 703, boardBottom = 509;
    static std::shared_ptr<Canvas> render(int style);
    static bool write(int style, const std::string& path);
    // One piece of the style's scenery (a tree, a rock, a crystal...) centred at (x, y).
    static void drawScenery(cairo_t* cr, int style, double x, double y, double size, uint64_t seed);
};

}  // namespace qm
