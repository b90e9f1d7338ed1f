// Prints how long the in-game hint's search takes: the solver from the start
// of every campaign level (the hint searches from the ball's resting place;
// the start is its dearest case on most boards). Run from the game folder or
// give the levels folder as the argument.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "app/Globals.h"
#include "app/PlayerAids.h"
#include "puzzle/LevelMap.h"
#include "puzzle/Solver.h"
#include "runtime/Diagnostics.h"
#include "runtime/Files.h"
#include "runtime/Runtime.h"

using namespace qm;

int main(int argc, char** argv) {
    std::string folder = argc > 1 ? argv[1] : "levels";
    RuntimeOptions options;
    options.headless = true;
    runtimeInit(options);
    std::vector<double> times;
    int unsolved = 0, worstLevel = -1;
    double worst = 0;
    for (int level = 0; level <= kLastLevel; level++) {
        std::vector<uint8_t> bytes;
        std::string path = folder + "/" + std::to_string(level) + ".lvl";
        if (!readWholeFile(path, bytes)) continue;
        std::string here = currentDir();
        changeDir(folder + "/..");
        auto board = LevelMap::create(level);
        changeDir(here);
        board->restart();
        auto started = std::chrono::steady_clock::now();
        auto solver = Solver::create(board);
        solver->stateCap = PlayerAids::kHintStateCap;
        SolveResult result = solver->solve();
        double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - started).count();
        if (!result.solved) unsolved++;
        times.push_back(ms);
        if (ms > worst) {
            worst = ms;
            worstLevel = level;
        }
    }
    if (times.empty()) {
        std::printf("no levels found in %s\n", folder.c_str());
        return 0;
    }
    std::sort(times.begin(), times.end());
    std::printf("hint search over %zu levels: median %.2f ms, worst %.2f ms (level %d), unsolved %d\n",
                times.size(), times[times.size() / 2], worst, worstLevel, unsolved);
    runtimeShutdown();
    return 0;
}
