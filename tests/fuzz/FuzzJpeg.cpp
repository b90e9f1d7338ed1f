// Fuzz target: the JPEG decoder.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "runtime/Image.h"

using namespace qm;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<uint8_t> bytes(data, data + size);
    Pixmap out;
    decodeJpeg(bytes, out);
    return 0;
}
