// The game's random generator: xorshift64* over a state spread from the seed
// by splitmix64. Only the seeding and range rules are the game's; the
// algorithm is ours, and with the virtual clock a headless run repeats.
#include "Random.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <random>

#include "Backend.h"
#include "Clock.h"

namespace qm {

namespace {

uint64_t state = 0x9E3779B97F4A7C15ull;

uint64_t next64() {
    state ^= state >> 12;
    state ^= state << 25;
    state ^= state >> 27;
    return state * 0x2545F4914F6CDD1Dull;
}

// Uniform in [0, 1) with 24 bits, so float rounding can never reach 1.
double unit() { return double(next64() >> 40) * (1.0 / 16777216.0); }

struct Seeder {
    Seeder() { seedRandom(4660); }
} seeder;

}  // namespace

void seedRandom(int32_t seed) {
    uint32_t s = uint32_t(seed) & 0x7FFFFFFFu;
    if (s == 0) s = 4660;
    uint64_t z = uint64_t(s) + 0x9E3779B97F4A7C15ull;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    z ^= z >> 31;
    state = z ? z : 0x9E3779B97F4A7C15ull;  // xorshift must not hold 0
}

int32_t startupSeed() {
    if (Backend::headless()) return millisecs();
    uint64_t mixed = uint64_t(std::chrono::system_clock::now().time_since_epoch().count());
    try {
        std::random_device entropy;
        mixed ^= (uint64_t(entropy()) << 32) ^ entropy();
    } catch (...) {
        // No entropy source: the clock's nanoseconds still differ between runs.
    }
    mixed ^= mixed >> 33;
    mixed *= 0xFF51AFD7ED558CCDull;
    mixed ^= mixed >> 33;
    return int32_t(uint32_t(mixed));
}

float randomFloat(float a, float b) {
    float lo = std::min(a, b), hi = std::max(a, b);
    float v = float(double(lo) + double(hi - lo) * unit());
    // A wide range can still round up to hi in float; keep the range half-open.
    if (v >= hi && hi > lo) v = std::nextafter(hi, lo);
    return v;
}

int32_t randomInt(int32_t a, int32_t b) {
    int64_t lo = std::min(a, b), hi = std::max(a, b);
    uint64_t span = uint64_t(hi - lo) + 1;  // at most 2^32
    // Rejection keeps every value equally likely.
    uint64_t limit = (UINT64_MAX / span) * span;
    uint64_t r;
    do r = next64();
    while (r >= limit);
    return int32_t(lo + int64_t(r % span));
}

}  // namespace qm
