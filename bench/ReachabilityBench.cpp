// How long one reachability search takes: the editor runs one after every
// painted cell, so dragging the mouse must stay smooth at 60 steps a second.
// Prints the median and the worst time over the shipped levels (when a
// levels folder is found) and over 1,000 random boards sprinkled with gizmos.
//   quillmere-bench-reach [folder holding levels/] [board count]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <string>
#include <vector>

#include "BenchClock.h"
#include "app/AppGlobals.h"
#include "rules/ReachabilitySearch.h"
#include "rules/GizmoStates.h"
#include "play/LevelMap.h"
#include "runtime/Diagnostics.h"
#include "runtime/Files.h"
#include "runtime/Random.h"
#include "runtime/Runtime.h"
#include "runtime/TextConv.h"

using namespace qm;

namespace {

using bench::cpuMs;
using bench::wallMs;

struct Sample {
    double cpu, wall;
    int states, cutRolls;
    int64_t explores, rollCells;
    std::string name;
};

// Searches the board a few times and keeps the fastest run: on a shared
// machine the slower runs measure the neighbours, not the search.
Sample measure(ReachabilitySearch& search, const std::shared_ptr<LevelMap>& board, const std::string& name) {
    Sample best{1e30, 1e30, 0, 0, 0, 0, name};
    for (int run = 0; run < 3; ++run) {
        double c0 = cpuMs(), w0 = wallMs();
        search.search(*board);
        double c1 = cpuMs(), w1 = wallMs();
        best.cpu = std::min(best.cpu, c1 - c0);
        best.wall = std::min(best.wall, w1 - w0);
    }
    best.states = search.lastStateCount;
    best.cutRolls = search.lastCutRolls;
    best.explores = search.lastExplores;
    best.rollCells = search.lastRollCells;
    return best;
}

void report(const char* title, std::vector<Sample> samples) {
    if (samples.empty()) {
        std::printf("%s: no boards\n", title);
        return;
    }
    std::sort(samples.begin(), samples.end(), [](const Sample& a, const Sample& b) { return a.cpu < b.cpu; });
    const Sample& median = samples[samples.size() / 2];
    const Sample& worst = samples.back();
    int over1 = 0, over20 = 0, cut = 0, maxStates = 0;
    for (const Sample& s : samples) {
        over1 += s.cpu > 1.0 ? 1 : 0;
        over20 += s.cpu > 20.0 ? 1 : 0;
        cut += s.cutRolls > 0 ? 1 : 0;
        maxStates = std::max(maxStates, s.states);
    }
    std::printf("%s: %zu boards\n", title, samples.size());
    std::printf("  median %.3f ms cpu (%.3f ms wall)\n", median.cpu, median.wall);
    std::printf("  worst  %.3f ms cpu (%.3f ms wall), %s: %d gizmo states, %lld rests explored, %lld cells rolled\n",
                worst.cpu, worst.wall, worst.name.c_str(), worst.states, (long long)worst.explores,
                (long long)worst.rollCells);
    std::printf("  boards over 1 ms: %d, over 20 ms: %d; boards with a roll cut short: %d; most gizmo states: %d\n",
                over1, over20, cut, maxStates);
}

// Floor with walls, then a handful of every kind of gizmo, a start and an end.
std::shared_ptr<LevelMap> randomBoard(int index) {
    auto board = LevelMap::createEmpty(index);
    for (int x = 0; x < 20; ++x)
        for (int y = 0; y < 14; ++y) board->cells[x][y] = randomInt(0, 5) == 0 ? randomInt(Code::FirstWall, Code::LastWall) : int(Code::Floor);
    auto place = [&](int code) { board->cells[randomInt(0, 19)][randomInt(0, 13)] = code; };
    static const int kSingles[] = {Code::Key1,         Code::Key2,          Code::Lock1,          Code::Lock2,
                                   Code::RecallPoint,  Code::RecallPad,     Code::Switch,         Code::BeamHorizontal,
                                   Code::BeamVertical, Code::WeakShatter,   Code::Shatter,        Code::AngleBottomRight,
                                   Code::AngleBottomLeft, Code::AngleTopRight, Code::AngleTopLeft, Code::BoosterRight,
                                   Code::BoosterLeft,  Code::BoosterDown,   Code::BoosterUp};
    int gizmoCount = randomInt(6, 30);
    for (int i = 0; i < gizmoCount; ++i) place(kSingles[randomInt(0, int(std::size(kSingles)) - 1)]);
    int pairs = randomInt(0, 3);
    for (int p = 0; p < pairs; ++p) {
        int first = Code::FirstTeleport + 2 * randomInt(0, 4);
        place(first);
        place(first + 1);
    }
    place(Code::Start);
    place(Code::End);
    board->endX = board->endY = -1;
    for (int x = 0; x < 20; ++x)
        for (int y = 0; y < 14; ++y) {
            if (board->cells[x][y] == Code::Start) { board->startX = x; board->startY = y; }
            if (board->cells[x][y] == Code::End) { board->endX = x; board->endY = y; }
        }
    return board;
}

}  // namespace

int main(int argc, char** argv) {
    std::string folder = argc > 1 ? argv[1] : std::string(QM_SOURCE_DIR);
    int boardCount = argc > 2 ? std::max(1, toInt(argv[2])) : 1000;
    RuntimeOptions options;
    options.headless = true;
    runtimeInit(options);
    setDebugLogTarget("");
    editorOn = 1;  // boards load as in the editor: no tutorial pages
    auto search = std::make_shared<ReachabilitySearch>();

    std::vector<Sample> shipped;
    if (changeDir(folder)) {
        for (int level = 0; level <= kLastLevel; ++level) {
            if (fileType("levels\\" + str(level) + ".lvl") != FILE_REGULAR) continue;
            shipped.push_back(measure(*search, LevelMap::create(level), "level " + str(level)));
        }
    }
    report("shipped levels", shipped);

    seedRandom(7);
    std::vector<Sample> random;
    for (int i = 0; i < boardCount; ++i) random.push_back(measure(*search, randomBoard(i), "random board " + str(i)));
    report("random boards with gizmos", random);

    runtimeShutdown();
    return 0;
}
