// Fuzz target: a level file as the game loads it, then the board's rules read
// every cell (categories, passability, gizmo state built from the codes).
#include <sys/stat.h>

#include "FuzzSupport.h"
#include "puzzle/LevelMap.h"

using namespace qm;

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::enterScratchFolder();
    mkdir("levels", 0755);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::writeInput("levels/7.lvl", data, size);
    LevelMapPtr map = LevelMap::create(7);
    if (!map) return 0;
    for (int x = -1; x <= kBoardWidth; ++x) {
        for (int y = -1; y <= kBoardHeight; ++y) {
            map->tileCategory(x, y);
            for (int d = 0; d < 4; ++d) map->canEnter(x, y, map->gizmos.get(), d);
        }
    }
    map->restart();
    return 0;
}
