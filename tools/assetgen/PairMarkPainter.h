// The marks that tell teleport pairs apart: one per pair, cut into the floor
// beneath the teleport's glow in each art style's own colours, so the two
// ends of a pair share a sign a player can match at a glance. One strip of
// 5 frames per style, style after style (frame = 5 * style + pair), and the
// soft glow sprite the teleports' particles are drawn with.
#pragma once
#include <string>

#include "Canvas.h"

namespace qm {

class PairMarkPainter {
public:
    static constexpr int kPairs = 5;
    // Pair `pair`'s mark in art style `style`, top-left at (x, y), 32 x 32.
    static void paint(cairo_t* cr, int style, int pair, double x, double y);
    // The glow: a halo that the fifteen copies a teleport stacks light into a
    // warm ring round the socket, faint over the sign so its colour shows.
    static void paintGlow(cairo_t* cr, double size);
    // tiles/tile_pairs.png and glow.png under `media`; the files not written.
    static int writeAll(const std::string& media);
};

}  // namespace qm
