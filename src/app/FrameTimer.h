// The fixed-step timing both frame loops share: a measured frame delta with a
// clamp, a double accumulator, and logic steps of 1/60 s.
#pragma once
#include <cstdint>

namespace qm {

class FrameTimer {
public:
    static constexpr double kStepMs = 16.666669845581055;
    static constexpr double kClampAboveMs = 333.3333969116211;
    static constexpr int kClampedDeltaMs = 333;

    int32_t lastFrameTime = 0;
    double stepAccumulator = 0.0;

    // Start of a loop: the clock now, nothing accumulated.
    void start();
    // Adds the time since the last measure; a long stall counts as 333 ms so
    // at most 20 steps catch up.
    void measure();
    // Adds a delta directly (the measured one, or a test's).
    void addDelta(int32_t delta);
    // True, and one step taken off the accumulator, while a whole step is due.
    bool takeStep();
};

}  // namespace qm
