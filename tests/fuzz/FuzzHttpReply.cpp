// Fuzz target: the HTTP reply reader, then the body read as the uploader does.
#include <cstddef>
#include <cstdint>
#include <string>

#include "runtime/Http.h"

using namespace qm;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string raw(reinterpret_cast<const char*>(data), size);
    StreamPtr body = parseHttpReply(raw);
    if (!body) return 0;
    for (int i = 0; i < 64 && !body->eof(); ++i) body->readLine();
    body->close();
    return 0;
}
