// Fuzz target: the --script parser.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "runtime/Script.h"

using namespace qm;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    std::vector<ScriptEvent> events;
    std::string error;
    parseScript(text, events, error);
    return 0;
}
