// Fuzz target: a player's "save0.dat", loaded and then walked the way the
// menus and the world map read it.
#include "FuzzSupport.h"
#include "play/PlayerProfile.h"

using namespace qm;

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::enterScratchFolder();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::writeInput("save0.dat", data, size);
    auto profile = PlayerProfile::create(0);
    if (!profile) return 0;
    for (int l = 0; l < kProfileLevels; ++l) profile->levelState(l);
    for (int g = 0; g < kProfileGroups; ++g) profile->groupLevelState(g);
    profile->indexInGroup(-1);
    profile->playableLevel();
    return 0;
}
