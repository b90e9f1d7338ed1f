// The gizmo sheet (keys, locks, shatter blocks, recall, angle blocks, boosters),
// the editor markers, the ball, its hover arrows, the particle sprites, the
// progress tokens and the editor digits.
#pragma once
#include <string>

#include "Canvas.h"

namespace qm {

class GizmoPainter {
public:
    static const int gizmoCount = 19;
    // Gizmo frame n with its top-left at (x, y), 32 x 32.
    static void paint(cairo_t* cr, int frame, double x, double y);
    // Editor marker frame n (0..3 guide arrows up, left, down, right; 4 start; 5 end).
    static void paintMarker(cairo_t* cr, int frame, double x, double y);
    static void paintBall(cairo_t* cr, double cx, double cy, double radius);
    // A token (0 solved, 1 skipped) centred at (cx, cy), 40 x 40.
    static void paintToken(cairo_t* cr, int kind, double cx, double cy);

    static int writeAll(const std::string& media);
};

}  // namespace qm
