// The millisecond clock: real in a window, virtual in headless mode (starts
// at 0, advanced only by delayMs and flipFrame), so headless runs repeat bit
// for bit.
#pragma once
#include <cstdint>
#include <string>

namespace qm {

int32_t millisecs();
void delayMs(int ms);
// "%d %b %Y" with English month names whatever the locale: "06 Dec 2026".
std::string currentDate();

}  // namespace qm
