#include "app/FrameTimer.h"

#include "runtime/Clock.h"

namespace qm {

void FrameTimer::start() {
    lastFrameTime = millisecs();
    stepAccumulator = 0.0;
}

void FrameTimer::measure() {
    int32_t now = millisecs();
    int32_t delta = now - lastFrameTime;
    lastFrameTime = now;
    addDelta(delta);
}

void FrameTimer::addDelta(int32_t delta) {
    double d = delta;
    if (d > kClampAboveMs) d = kClampedDeltaMs;
    stepAccumulator += d;
}

bool FrameTimer::takeStep() {
    if (stepAccumulator > kStepMs) {
        stepAccumulator -= kStepMs;
        return true;
    }
    return false;
}

}  // namespace qm
