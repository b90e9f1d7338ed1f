// Fuzz target: "uniqueID.idn" read (and rewritten) when the play log starts.
#include "FuzzSupport.h"
#include "playlog/GameLog.h"

using namespace qm;

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::enterScratchFolder();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::writeInput(GameLog::kIdFile, data, size);
    GameLog::create();
    return 0;
}
