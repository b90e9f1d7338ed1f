// Throughput of the rules, linked against the rules library alone: resting
// states per second of the solver (an exhaustive explore of every campaign
// level, as the level tool's verify runs it), on one thread and on two, and
// rests explored per second by the reachability search.
//   quillmere-bench-rules [folder holding levels/]
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "BenchClock.h"
#include "rules/Board.h"
#include "rules/LevelFileFormat.h"
#include "rules/ReachabilitySearch.h"
#include "rules/Solver.h"

using namespace qm;

namespace {

using bench::cpuMs;
using bench::wallMs;

std::vector<Board> campaign(const std::string& folder) {
    std::vector<Board> boards;
    for (int level = 0; level <= kLastLevel; ++level) {
        std::ifstream in(folder + "/levels/" + std::to_string(level) + ".lvl", std::ios::binary);
        if (!in) continue;
        std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        LevelFileContents file = LevelFileFormat::decode(bytes);
        Board board;
        std::copy(&file.cells[0][0], &file.cells[0][0] + kBoardWidth * kBoardHeight, &board.cells[0][0]);
        board.entryX = file.entryX;
        board.entryY = file.entryY;
        board.locateStartAndEnd();
        boards.push_back(board);
    }
    return boards;
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// Every board explored by `threads` workers taking the next board in turn.
void exploreAll(const std::vector<Board>& boards, int threads) {
    std::atomic<size_t> next{0};
    std::vector<std::thread> workers;
    for (int t = 0; t < threads; ++t)
        workers.emplace_back([&] {
            for (size_t i; (i = next++) < boards.size();) Solver(boards[i]).explore();
        });
    for (auto& worker : workers) worker.join();
}

}  // namespace

int main(int argc, char** argv) {
    std::string folder = argc > 1 ? argv[1] : ".";
    std::vector<Board> boards = campaign(folder);
    if (boards.empty()) {
        std::printf("no levels in %s/levels\n", folder.c_str());
        return 0;
    }
    std::vector<double> solverCpu, oneWall, twoWall, searchCpu;
    long long states = 0, rests = 0;
    for (int run = 0; run < 5; ++run) {
        double w = wallMs();
        exploreAll(boards, 1);
        oneWall.push_back(wallMs() - w);
        w = wallMs();
        exploreAll(boards, 2);
        twoWall.push_back(wallMs() - w);

        double c = cpuMs();
        states = 0;
        for (const Board& board : boards) states += Solver(board).explore().states;
        solverCpu.push_back(cpuMs() - c);

        ReachabilitySearch search;
        rests = 0;
        c = cpuMs();
        for (const Board& board : boards) {
            search.search(board);
            rests += search.lastExplores;
        }
        searchCpu.push_back(cpuMs() - c);
    }
    std::printf("%zu campaign levels, medians of 5 runs\n", boards.size());
    std::printf("solver (explore): %lld resting states in %.0f ms CPU = %.0f states/s on one thread\n", states,
                median(solverCpu), double(states) / (median(solverCpu) / 1000));
    std::printf("campaign explore on one thread %.0f ms, on two %.0f ms (%.2fx)\n", median(oneWall), median(twoWall),
                median(oneWall) / median(twoWall));
    std::printf("reachability search: %lld rests explored in %.1f ms CPU = %.0f rests/s\n", rests, median(searchCpu),
                double(rests) / (median(searchCpu) / 1000));
    // Measured on this campaign's previous levels, the same machine, before
    // the rules stood alone (docs/performance.md has both runs).
    std::printf("before the rules core: solver 73000-75000 states/s, search 4150000 rests/s\n");
    return 0;
}
