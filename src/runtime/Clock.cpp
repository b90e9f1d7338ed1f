// The millisecond clock. In a window it is the real monotonic clock; in
// headless mode it is virtual: it starts at 0 and moves only when the game
// waits (delayMs) or flips a frame, so a headless run repeats bit for bit.
#include "Clock.h"

#include <chrono>
#include <ctime>
#include <thread>

#include "Backend.h"

namespace qm {

namespace {

int64_t thirds = 0;  // virtual time in thirds of a millisecond
const auto realStart = std::chrono::steady_clock::now();
// 1000/60 ms in thirds of a millisecond.
constexpr int64_t kFrameThirds = 50;

}  // namespace

int64_t Backend::virtualThirds() { return thirds; }
void Backend::setVirtualThirds(int64_t t) { thirds = t; }
void Backend::resetClock() { thirds = 0; }

void Backend::advanceToNextFrame() {
    thirds = (thirds / kFrameThirds + 1) * kFrameThirds;
    stepHeadlessAudio();
}

int32_t millisecs() {
    if (Backend::headless()) return int32_t(uint32_t(uint64_t(thirds / 3)));
    auto elapsed = std::chrono::steady_clock::now() - realStart;
    auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count();
    return int32_t(uint32_t(uint64_t(ms)));  // wraps like a 32-bit tick counter
}

void delayMs(int ms) {
    if (ms <= 0) return;
    if (Backend::headless()) {
        thirds += int64_t(ms) * 3;
        Backend::stepHeadlessAudio();
        return;
    }
#ifdef __EMSCRIPTEN__
    Backend::sleepInPage(ms);  // the page gets its turn meanwhile
#else
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
#endif
}

std::string currentDate() {
    static const char* const months[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                           "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%02d %s %04d", local.tm_mday, months[local.tm_mon % 12],
                  local.tm_year + 1900);
    return buffer;
}

}  // namespace qm
