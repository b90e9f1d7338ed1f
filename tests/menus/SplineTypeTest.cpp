// Route segments: the Bezier points and the measured arc lengths.
#include "menus/SplineType.h"

#include <gtest/gtest.h>

#include <cmath>

#include "menus/worldMapType.h"
#include "app/AppGlobals.h"
#include "runtime/Runtime.h"

namespace qm {
namespace {

TEST(SplineTypeTest, ACurvePassesThroughItsEndsAndItsMiddle) {
    SplinePoint p0{10, 20}, p1{10, 80}, p2{90, 80}, p3{90, 20};
    SplinePoint start = bezierPoint(0.0f, p0, p1, p2, p3);
    SplinePoint end = bezierPoint(1.0f, p0, p1, p2, p3);
    SplinePoint middle = bezierPoint(0.5f, p0, p1, p2, p3);
    EXPECT_EQ(start.x, 10);
    EXPECT_EQ(start.y, 20);
    EXPECT_EQ(end.x, 90);
    EXPECT_EQ(end.y, 20);
    // (p0 + 3 p1 + 3 p2 + p3) / 8.
    EXPECT_EQ(middle.x, 50);
    EXPECT_EQ(middle.y, 65);
    // Rounded to the nearest pixel, not truncated: y at t = 0.2 is 48.8.
    EXPECT_EQ(bezierPoint(0.2f, p0, p1, p2, p3).y, 49);
}

TEST(SplineTypeTest, MeasureGivesTheLengthOfStraightSegments) {
    // Controls at the thirds: the curve runs evenly along the line.
    auto flat = SplineType::create(0, 0, 30, 0, 90, 0, 60, 0);
    EXPECT_FLOAT_EQ(flat->length, 90.0f);
    auto exact = SplineType::create(0, 0, 100, 0, 300, 0, 200, 0);
    EXPECT_FLOAT_EQ(exact->length, 300.0f);
    auto point = SplineType::create(5, 5, 5, 5, 5, 5, 5, 5);
    EXPECT_FLOAT_EQ(point->length, 0.0f);
    EXPECT_FLOAT_EQ(SplineType::distance({0, 0}, {3, 4}), 5.0f);
}

TEST(SplineTypeTest, SegmentPointUsesStartControlsEndInThatOrder) {
    auto s = SplineType::create(0, 0, 0, 100, 100, 100, 100, 0);
    // The first control pulls the start of the curve upwards (towards y 100).
    EXPECT_GT(segmentPoint(0.1f, *s).y, segmentPoint(0.1f, *s).x);
    EXPECT_LT(segmentPoint(0.9f, *s).y, 100);
    EXPECT_EQ(segmentPoint(1.0f, *s).x, 100);
    EXPECT_EQ(segmentPoint(1.0f, *s).y, 100);
}

class RouteTest : public ::testing::Test {
protected:
    void SetUp() override {
        resetGlobals();
        RuntimeOptions options;
        options.headless = true;
        ASSERT_TRUE(runtimeInit(options));
        map = worldMapType::create();
    }
    void TearDown() override {
        runtimeShutdown();
        resetGlobals();
    }
    std::shared_ptr<worldMapType> map;
};

TEST_F(RouteTest, TheRouteIsAClosedChainOf28MeasuredSegments) {
    ASSERT_EQ(map->route.size(), 28u);
    for (int i = 0; i < 28; i++) {
        const SplineType& s = *map->route[i];
        const SplineType& next = *map->route[(i + 1) % 28];
        // Segments 5 and 7 start one pixel below the end of the one before.
        EXPECT_EQ(next.xs[0], s.xs[1]) << "segment " << i;
        EXPECT_LE(next.ys[0] - s.ys[1], 1) << "segment " << i;
        EXPECT_GE(next.ys[0] - s.ys[1], 0) << "segment " << i;

        // A curve is at least as long as its chord and at most as long as
        // its control polygon (plus the zigzag of whole-pixel points).
        float chord = SplineType::distance({s.xs[0], s.ys[0]}, {s.xs[1], s.ys[1]});
        float polygon = SplineType::distance({s.xs[0], s.ys[0]}, {s.cxs[0], s.cys[0]}) +
                        SplineType::distance({s.cxs[0], s.cys[0]}, {s.cxs[1], s.cys[1]}) +
                        SplineType::distance({s.cxs[1], s.cys[1]}, {s.xs[1], s.ys[1]});
        EXPECT_GE(s.length, chord) << "segment " << i;
        EXPECT_LE(s.length, polygon * 1.05f + 8.0f) << "segment " << i;
        EXPECT_GT(s.length, 0.0f) << "segment " << i;
    }
    // Segment 15 leaves and returns to the same point.
    EXPECT_GT(map->route[15]->length, 5.0f);
}

// Continuity says nothing of the control points: the middles of three curves
// lie where the world map's path runs (worked out by hand from the Bezier
// sums of their start, controls and end).
TEST_F(RouteTest, TheRoutePassesThroughThePicturesPath) {
    auto middle = [&](int segment) { return segmentPoint(0.5f, *map->route[size_t(segment)]); };
    EXPECT_EQ(middle(0).x, 123);
    EXPECT_EQ(middle(0).y, 345);
    EXPECT_EQ(middle(4).x, 463);
    EXPECT_EQ(middle(4).y, 297);
    EXPECT_EQ(middle(26).x, 255);
    EXPECT_EQ(middle(26).y, 206);
}

}  // namespace
}  // namespace qm
