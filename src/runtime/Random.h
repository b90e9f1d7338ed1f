// The game's only random generator. Seeding and range rules are fixed:
// randomFloat in [min, max), randomInt over min..max inclusive.
#pragma once
#include <cstdint>

namespace qm {

void seedRandom(int32_t seed);
float randomFloat(float a, float b);
int32_t randomInt(int32_t a, int32_t b);

}  // namespace qm
