// Fuzz target: a level file as the game loads it, then the board's rules read
// every cell (categories, passability, gizmo state built from the codes), the
// ball rolls each way as the solver plays it, and the board is drawn in play
// and in the editor.
#include <sys/stat.h>

#include "FuzzSupport.h"
#include "play/BoardPainter.h"
#include "play/LevelMap.h"
#include "runtime/Graphics.h"

using namespace qm;

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::enterScratchFolder();
    mkdir("levels", 0755);
    qm::openGraphics(800, 600, 0, 60, 0);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::writeInput("levels/7.lvl", data, size);
    LevelMapPtr map = LevelMap::create(7);
    if (!map) return 0;
    for (int x = -1; x <= kBoardWidth; ++x) {
        for (int y = -1; y <= kBoardHeight; ++y) {
            map->tileCategory(x, y);
            for (int d = 0; d < 4; ++d) map->canEnter(x, y, map->play.gizmos, d);
        }
    }
    map->restart();
    for (int d = 1; d <= 4; ++d) {
        TickInput input;
        input.direction = d;
        map->play.tick(*map, input);
        for (int tick = 0; tick < 400 && !map->play.ball.isStopped(); ++tick) map->play.tick(*map, TickInput{});
    }
    EditingView editing;
    map->draw(47, 47, 1);
    map->draw(47, 47, 1, &editing);
    particleLayer = nullptr;
    return 0;
}
