// Bezier segments of the world map's route.
#include "menus/SplineType.h"
#include <cmath>

namespace qm {

namespace {
// One coordinate in power form. Every product and sum is a float on
// purpose: the route's pixels are those of single precision.
int bezierCoordinate(float t, int p0, int p1, int p2, int p3) {
    int c = 3 * (p1 - p0);
    int b = 3 * (p2 - p1) - c;
    int a = p3 - p0 - c - b;
    float t2 = t * t;
    float t3 = t2 * t;
    float term3 = float(a) * t3;
    float term2 = float(b) * t2;
    float term1 = float(c) * t;
    float value = term3 + term2;
    value = value + term1;
    value = value + float(p0);
    return int(std::lround(value));
}
}  // namespace

SplinePoint bezierPoint(float t, SplinePoint p0, SplinePoint p1, SplinePoint p2, SplinePoint p3) {
    return SplinePoint{bezierCoordinate(t, p0.x, p1.x, p2.x, p3.x), bezierCoordinate(t, p0.y, p1.y, p2.y, p3.y)};
}

SplinePoint segmentPoint(float t, const SplineType& s) {
    return bezierPoint(t, {s.xs[0], s.ys[0]}, {s.cxs[0], s.cys[0]}, {s.cxs[1], s.cys[1]}, {s.xs[1], s.ys[1]});
}

std::shared_ptr<SplineType> SplineType::create(int sx, int sy, int c1x, int c1y, int ex, int ey, int c2x, int c2y) {
    auto s = std::make_shared<SplineType>();
    s->xs[0] = sx;
    s->ys[0] = sy;
    s->xs[1] = ex;
    s->ys[1] = ey;
    s->cxs[0] = c1x;
    s->cys[0] = c1y;
    s->cxs[1] = c2x;
    s->cys[1] = c2y;
    s->measure();
    return s;
}

void SplineType::measure() {
    length = 0;
    SplinePoint previous = segmentPoint(0.0f, *this);
    for (int i = 0; i <= 100; i++) {
        SplinePoint point = segmentPoint(float(i * 1.0 / 100), *this);
        length += distance(point, previous);
        previous = point;
    }
}

float SplineType::distance(const SplinePoint& a, const SplinePoint& b) {
    float dx = float(a.x - b.x);
    float dy = float(a.y - b.y);
    return std::sqrt(dx * dx + dy * dy);
}

}  // namespace qm
