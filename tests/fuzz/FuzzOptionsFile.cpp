// Fuzz target: "options.dat" as read at start-up.
#include "FuzzSupport.h"
#include "play/OptionsFile.h"

using namespace qm;

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::enterScratchFolder();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::writeInput("options.dat", data, size);
    OptionsFile::resetAll();
    OptionsFile::loadOptions();
    return 0;
}
