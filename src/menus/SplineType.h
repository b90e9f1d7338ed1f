// One cubic Bezier segment of the world map's route, with its arc length,
// and the point functions the route is traced with.
#pragma once
#include <memory>

namespace qm {

struct SplinePoint {
    int x = 0;
    int y = 0;
};

class SplineType {
public:
    int xs[2] = {0, 0};   // start [0], end [1]
    int ys[2] = {0, 0};
    int cxs[2] = {0, 0};  // first [0] and second [1] control point
    int cys[2] = {0, 0};
    float length = 0;     // pixels, measured at creation

    // Start, first control, end, second control: the order the route table
    // lists them in.
    static std::shared_ptr<SplineType> create(int sx, int sy, int c1x, int c1y, int ex, int ey, int c2x, int c2y);
    // Arc length over 100 straight steps between rounded points.
    void measure();
    static float distance(const SplinePoint& a, const SplinePoint& b);
};
using SplinePtr = std::shared_ptr<SplineType>;

// The point at t of the curve p0 (start), p1, p2 (controls), p3 (end), in
// single precision, rounded to whole pixels.
SplinePoint bezierPoint(float t, SplinePoint p0, SplinePoint p1, SplinePoint p2, SplinePoint p3);
SplinePoint segmentPoint(float t, const SplineType& segment);

}  // namespace qm
