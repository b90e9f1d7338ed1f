// Fuzz target: the WAV decoder (plain and looping samples).
#include <cstddef>
#include <cstdint>
#include <vector>

#include "runtime/Audio.h"

using namespace qm;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<uint8_t> bytes(data, data + size);
    decodeWav(bytes, size > 0 ? (data[0] & 3) : 0);
    return 0;
}
