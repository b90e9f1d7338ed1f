// The shared frame timing: a long frame is clamped, steps are fixed.
#include <gtest/gtest.h>

#include "app/FrameTimer.h"

using namespace qm;

namespace {

int stepsFor(FrameTimer& timer) {
    int steps = 0;
    while (timer.takeStep()) steps++;
    return steps;
}

TEST(FrameTimerTest, OneSecondFrameRunsNineteenStepsNotSixty) {
    FrameTimer timer;
    timer.addDelta(1000);
    EXPECT_EQ(stepsFor(timer), 19);
    EXPECT_NEAR(timer.stepAccumulator, 16.33, 0.01);
}

TEST(FrameTimerTest, DeltaJustAboveTheClampIsCut) {
    FrameTimer timer;
    timer.addDelta(334);
    EXPECT_DOUBLE_EQ(timer.stepAccumulator, 333.0);
    FrameTimer exact;
    exact.addDelta(333);
    EXPECT_DOUBLE_EQ(exact.stepAccumulator, 333.0);
}

TEST(FrameTimerTest, AStepIsTakenOnlyWhenMoreThanOneStepIsDue) {
    FrameTimer timer;
    timer.addDelta(16);
    EXPECT_EQ(stepsFor(timer), 0);
    timer.addDelta(1);
    EXPECT_EQ(stepsFor(timer), 1);
    // Sixty frames of 1000/60 ms give sixty steps over time, never a burst.
    FrameTimer steady;
    int total = 0;
    for (int i = 0; i < 600; i++) {
        steady.addDelta(i % 3 == 2 ? 16 : 17);
        int steps = stepsFor(steady);
        EXPECT_LE(steps, 2);
        total += steps;
    }
    EXPECT_NEAR(total, 600, 1);
}

}  // namespace
