// The game's only random generator. Seeding and range rules are fixed:
// randomFloat in [min, max), randomInt over min..max inclusive.
#pragma once
#include <cstdint>

namespace qm {

void seedRandom(int32_t seed);
// The seed a program starts with. Headless: the virtual clock's reading, so a
// scripted run repeats bit for bit. With a window: the wall clock mixed with
// the system's entropy, so fresh installs do not share a player number.
int32_t startupSeed();
float randomFloat(float a, float b);
int32_t randomInt(int32_t a, int32_t b);

}  // namespace qm
