// How the in-game hint performs. For every campaign level, the board as the
// game loads it is played to its start and the hint is asked for through the
// player aids, as the H key does: the search runs on a worker thread over
// copies, the frame loop goes on, and the answer is taken at the next logic
// step. Prints the search's own time, how long that next step still had to
// wait for it, and whether the play state was touched. Run from the game
// folder or give the folder holding levels/ as the argument.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "app/AppGlobals.h"
#include "play/LevelMap.h"
#include "play/LevelPars.h"
#include "play/LevelRun.h"
#include "rules/Solver.h"
#include "runtime/Diagnostics.h"
#include "runtime/Files.h"
#include "runtime/Runtime.h"

using namespace qm;

namespace {

double msSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

bool samePlay(const PlayState& a, const PlayState& b) {
    return std::memcmp(&a.ball, &b.ball, sizeof a.ball) == 0 && a.gizmos.equals(b.gizmos) &&
           a.lockTimers[0] == b.lockTimers[0] && a.lockTimers[1] == b.lockTimers[1];
}

}  // namespace

int main(int argc, char** argv) {
    std::string folder = argc > 1 ? argv[1] : ".";
    RuntimeOptions options;
    options.headless = true;
    runtimeInit(options);
    setDebugLogTarget("");
    changeDir(folder);
    editorOn = 0;
    std::vector<double> search, waited;
    int unsolved = 0, touched = 0, worstLevel = -1;
    double worst = 0;
    for (int level = 0; level <= kLastLevel; level++) {
        if (fileType("levels\\" + std::to_string(level) + ".lvl") != FILE_REGULAR) continue;
        currentMap = LevelMap::create(level);
        currentMap->restart();
        // The level's run, its par worked out as the game does.
        LevelRun run(*currentMap, currentMap->play, level, LevelRun::Mode::Campaign,
                     LevelPars::workOut(*currentMap, currentMap->play), nullptr);
        run.par();

        // The search alone, on this thread.
        auto started = std::chrono::steady_clock::now();
        Solver solver(*currentMap, currentMap->play);
        solver.stateCap = LevelRun::kHintStateCap;
        if (!solver.solve().solved) unsolved++;
        double ms = msSince(started);
        search.push_back(ms);
        if (ms > worst) worst = ms, worstLevel = level;

        // As the game asks for it: a frame goes by, then the next step takes it.
        PlayState before = run.live();
        run.requestHint();
        std::this_thread::sleep_for(std::chrono::microseconds(16667));
        started = std::chrono::steady_clock::now();
        run.collectHint();
        waited.push_back(msSince(started));
        if (!samePlay(before, run.live())) touched++;
    }
    if (search.empty()) {
        std::printf("no levels found in %s/levels\n", folder.c_str());
        return 0;
    }
    std::printf("hint search over %zu levels: median %.2f ms, worst %.2f ms (level %d), unsolved %d\n", search.size(),
                median(search), worst, worstLevel, unsolved);
    std::printf("hint on a worker thread, taken one frame later: the step waited median %.3f ms, worst %.2f ms; "
                "play state touched on %d levels\n",
                median(waited), *std::max_element(waited.begin(), waited.end()), touched);
    resetGlobals();
    runtimeShutdown();
    return 0;
}
