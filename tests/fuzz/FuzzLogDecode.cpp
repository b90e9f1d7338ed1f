// Fuzz target: the play-log text decoder, and encode of what it gives back.
#include <string>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "playlog/LogEncoder.h"

using namespace qm;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    std::string decoded = LogEncoder::decode(text);
    std::vector<uint8_t> bytes(decoded.begin(), decoded.end());
    LogEncoder::encode(bytes, size & 1);
    return 0;
}
