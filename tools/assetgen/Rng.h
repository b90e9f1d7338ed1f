// A small deterministic random generator for the art and sound: every asset
// seeds its own, so files come out byte-identical whatever the build order.
#pragma once
#include <cstdint>
#include <string>

namespace qm {

class Rng {
public:
    explicit Rng(uint64_t seed) : state(seed * 0x9E3779B97F4A7C15ull + 0x1234567ull) {}
    explicit Rng(const std::string& name) : Rng(hash(name)) {}

    uint64_t next() {
        // splitmix64: good enough for art and reproducible everywhere
        uint64_t z = (state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    double uniform() { return double(next() >> 11) * (1.0 / 9007199254740992.0); }
    double range(double a, double b) { return a + (b - a) * uniform(); }
    int integer(int a, int b) { return a + int(next() % uint64_t(b - a + 1)); }
    bool chance(double p) { return uniform() < p; }

    static uint64_t hash(const std::string& s) {
        uint64_t h = 1469598103934665603ull;
        for (unsigned char c : s) h = (h ^ c) * 1099511628211ull;
        return h;
    }

private:
    uint64_t state;
};

}  // namespace qm
