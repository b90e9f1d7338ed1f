// The game's performance figures on this machine: start-up of the real
// program to its first frame after the splash, a headless play frame with a
// rolling ball and a full particle layer, the reachability search and the
// solver over the campaign levels present, decoding the birds' music, and
// peak resident memory.
// Usage: quillmere-bench-perf [GAME_DIR [--no-startup]]   (default: the build's game
// folder; --no-startup leaves out the start-up runs)
#include <spawn.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

#include "BenchClock.h"
#include "play/AssetCatalogue.h"
#include "app/GameController.h"
#include "play/PlayInput.h"
#include "play/PersonalBest.h"
#include "play/PlayerAids.h"
#include "play/Session.h"
#include "play/PlayerProfile.h"
#include "app/AppGlobals.h"
#include "play/HoverButtonBar.h"
#include "editor/ReachabilityView.h"
#include "play/LevelMap.h"
#include "play/Particle.h"
#include "play/ParticleNode.h"
#include "rules/Solver.h"
#include "runtime/Audio.h"
#include "runtime/Files.h"
#include "runtime/Graphics.h"
#include "runtime/Image.h"
#include "runtime/Random.h"
#include "runtime/Runtime.h"

extern char** environ;

using namespace qm;
namespace fs = std::filesystem;

namespace {

using bench::cpuMs;

double percentile(std::vector<double> v, double p) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    return v[std::min(v.size() - 1, size_t(p * double(v.size() - 1) + 0.5))];
}

double nowMs() {
    timespec t{};
    clock_gettime(CLOCK_REALTIME, &t);
    return double(t.tv_sec) * 1000.0 + double(t.tv_nsec) / 1e6;
}

// A scratch folder that sees the game's data, so nothing the program or this
// benchmark writes lands in the game folder.
std::string scratchFolder(const std::string& gameDir) {
    char pattern[] = "/tmp/qm-bench-XXXXXX";
    std::string dir = mkdtemp(pattern) ? pattern : "/tmp";
    for (const char* name : {"media", "levels", "system"}) {
        std::error_code ec;
        fs::create_directory_symlink(gameDir + "/" + name, dir + "/" + name, ec);
    }
    return dir;
}

// Runs the real program headless in `dir` on its script.txt and waits for it;
// false when it could not be started. `peakMb` takes its peak resident memory.
bool runProgram(const std::string& gameDir, const std::string& dir, int maxFrames, double& peakMb) {
    std::string program = gameDir + "/quillmere";
    std::vector<std::string> args = {program, "--headless", "--script", dir + "/script.txt", "--log", "",
                                     "--max-frames", std::to_string(maxFrames)};
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addchdir_np(&actions, dir.c_str());
    pid_t pid = 0;
    bool started = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ) == 0;
    if (started) {
        int status = 0;
        rusage usage{};
        wait4(pid, &status, 0, &usage);
        peakMb = double(usage.ru_maxrss) / 1024.0;
    }
    posix_spawn_file_actions_destroy(&actions);
    return started;
}

bool writeFile(const std::string& path, const std::string& bytes) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}

// Start-up: from spawning the real program to the shot of flip 2, the first
// frame after the splash (the shot is taken as that frame is presented).
std::vector<double> startupTimes(const std::string& gameDir, int runs, double& peakMb) {
    std::vector<double> times;
    std::string dir = scratchFolder(gameDir);
    if (!writeFile(dir + "/script.txt", "2 shot first.png\n3 close\n")) return times;
    for (int i = 0; i < runs; ++i) {
        fs::remove(dir + "/first.png");
        double start = nowMs(), runMb = 0;
        if (!runProgram(gameDir, dir, 10, runMb)) break;
        peakMb = std::max(peakMb, runMb);
        struct stat info{};
        if (stat((dir + "/first.png").c_str(), &info) != 0) continue;
        times.push_back(double(info.st_mtim.tv_sec) * 1000.0 + double(info.st_mtim.tv_nsec) / 1e6 - start);
    }
    fs::remove_all(dir);
    return times;
}

// The real program started on level 10 (group 2, the birds' music) and left
// on its board: its peak resident memory, with the first group's track
// decoded at start-up and the birds' at the level start.
double groupTwoPeakMb(const std::string& gameDir) {
    std::string dir = scratchFolder(gameDir);
    std::string profile(175, '\0');
    for (int i = 0; i < 10; ++i) profile[size_t(i)] = 1;
    for (int i = 165; i < 175; ++i) profile[size_t(i)] = 1;  // tutorial pages seen
    double peakMb = 0;
    if (writeFile(dir + "/save0.dat", profile) && writeFile(dir + "/script.txt", "60 key 13 down\n61 key 13 up\n120 close\n"))
        runProgram(gameDir, dir, 200, peakMb);
    fs::remove_all(dir);
    return peakMb;
}

// Decoding the birds' track, as the game does on the main thread when a
// level of another group starts.
std::vector<double> birdsDecodeTimes(int runs) {
    std::vector<double> times;
    std::vector<uint8_t> bytes;
    if (!readWholeFile("media\\music\\tuibirds.ogg", bytes)) return times;
    for (int i = 0; i < runs; ++i) {
        double start = nowMs();
        SoundPtr track = decodeOgg(bytes, SOUND_LOOP);
        if (!track) break;
        times.push_back(nowMs() - start);
    }
    return times;
}

// A board walled round with a long open row: the ball rolls from wall to wall.
LevelMapPtr rollingBoard() {
    LevelMapPtr board = LevelMap::createEmpty(0);
    for (int x = 0; x < kBoardWidth; ++x)
        for (int y = 0; y < kBoardHeight; ++y)
            board->cells[x][y] = (x == 0 || y == 0 || x == kBoardWidth - 1 || y == kBoardHeight - 1) ? Code::FirstWall
                                                                                                       : Code::WallBrush;
    board->cells[2][7] = Code::Start;
    board->startX = 2;
    board->startY = 7;
    board->restart();
    return board;
}

struct FrameFigures {
    double medianMs, p99Ms, medianCpuMs;
    int particles;
};

// The game as startGame sets it up, without its loops: profile, screens,
// button bar, player aids and the first level, then the rolling board.
void setUpPlay() {
    gameController = GameController::create();
    session = gameController;
    playerProfile = PlayerProfile::create(0);
    gameController->createScreens();
    buttonBar = HoverButtonBar::create();
    Particle::initStyles();
    personalBest = PersonalBest::create(0);
    playerAids = PlayerAids::create();
    gameController->startAtLevel(0);
    gameController->activeMenu = nullptr;  // the first level's tutorial page, read and closed
    gameController->resumePlay();
}

// Play frames as the play loop runs them: one logic step (the board, the
// particles, the bar) and the game's own frame drawing, then the flip. Extra
// particles are added to keep the layer at fullLayer when that is higher than
// what the rolling ball keeps alive by itself.
FrameFigures playFrames(int frames, int fullLayer) {
    currentMap = rollingBoard();
    gameController->beginRun(false);
    particleLayer = ParticleNode::create();
    std::vector<double> wall, cpu;
    int going = 0;
    for (int f = 0; f < frames + 150; ++f) {
        double start = nowMs(), cpuStart = cpuMs();
        PlayInput::resetInput();
        if (currentMap->play.ball.isStopped()) {
            if (going++ % 2 == 0) PlayInput::right = 1; else PlayInput::left = 1;
        }
        int missing = fullLayer - particleLayer->count();
        if (missing > 0 && currentMap->ball)
            spawnParticles(3, float(currentMap->play.ball.pixelX()), float(currentMap->play.ball.pixelY()),
                           float(missing), 0, 0, nullptr);
        gameController->playStep();
        gameController->drawPlayFrame();
        flipFrame(1);
        // The first 150 frames fill the trail up to its steady length.
        if (f >= 150) {
            wall.push_back(nowMs() - start);
            cpu.push_back(cpuMs() - cpuStart);
        }
    }
    FrameFigures out{percentile(wall, 0.5), percentile(wall, 0.99), percentile(cpu, 0.5), particleLayer->count()};
    return out;
}

// Every campaign level present, searched from its start; random boards when
// the folder holds none.
void reachability(int& boards, double& medianMs, double& worstMs, int& worstLevel, bool& campaign) {
    std::vector<double> times;
    std::vector<int> numbers;
    reachabilityView = ReachabilityView::create();
    for (int n = 0; n <= kLastLevel; ++n)
        if (fs::exists("levels/" + std::to_string(n) + ".lvl")) numbers.push_back(n);
    campaign = !numbers.empty();
    if (!campaign)
        for (int n = 0; n < 40; ++n) numbers.push_back(n);
    for (int n : numbers) {
        if (campaign) {
            currentMap = LevelMap::create(n);
        } else {
            seedRandom(n + 1);
            currentMap = rollingBoard();
            currentMap->randomize(4);
            currentMap->cells[2][7] = Code::Start;
            currentMap->cells[17][3] = Code::End;
        }
        double start = nowMs();
        reachabilityView->recomputeReachability();
        double ms = nowMs() - start;
        times.push_back(ms);
        if (ms >= percentile(times, 1.0)) worstLevel = n;
    }
    boards = int(times.size());
    medianMs = percentile(times, 0.5);
    worstMs = percentile(times, 1.0);
    currentMap = nullptr;
    reachabilityView = nullptr;
}

// The solver over every campaign level present: the shortest solution of
// each, and the exhaustive exploration the level tool's verify makes.
void solverTimes(int& levels, int& unsolved, double& solveMs, double& worstMs, int& worstLevel, double& exploreMs) {
    levels = unsolved = 0;
    solveMs = worstMs = exploreMs = 0;
    for (int n = 0; n <= kLastLevel; ++n) {
        if (!fs::exists("levels/" + std::to_string(n) + ".lvl")) continue;
        LevelMapPtr board = LevelMap::create(n);
        ++levels;
        double start = cpuMs();
        SolveResult shortest = Solver(*board).solve();
        double ms = cpuMs() - start;
        if (!shortest.solved) ++unsolved;
        solveMs += ms;
        if (ms > worstMs) worstMs = ms, worstLevel = n;
        start = cpuMs();
        Solver(*board).explore();
        exploreMs += cpuMs() - start;
    }
    currentMap = nullptr;
}

}  // namespace

int main(int argc, char** argv) {
    std::string gameDir = argc > 1 ? argv[1] : QM_GAME_DIR;
    gameDir = fs::absolute(gameDir).string();

    bool quick = argc > 2 && std::string(argv[2]) == "--no-startup";
    double startupPeakMb = 0;
    std::vector<double> startup = quick ? std::vector<double>{} : startupTimes(gameDir, 9, startupPeakMb);
    double groupTwoMb = quick ? 0 : groupTwoPeakMb(gameDir);
    std::string dir = scratchFolder(gameDir);
    fs::current_path(dir);
    resetGlobals();
    RuntimeOptions options;
    options.headless = true;
    if (!runtimeInit(options)) {
        std::fprintf(stderr, "bench: the headless runtime did not start\n");
        return 1;
    }
    AssetCatalogue::openWindow();
    AssetCatalogue::loadAssets();
    AssetCatalogue::selectArtStyle(0);
    effectImages[0] = loadImage("media\\trail.png", -1);
    effectImages[1] = loadImage("media\\shade.png", -1);
    effectImages[2] = loadImage("media\\spark.png", -1);
    setUpPlay();

    // The start-up runs end when the shot of the first menu frame is written;
    // the shot's own grab and PNG encoding come off, as measured here.
    std::vector<double> shot;
    for (int i = 0; i < 5; ++i) {
        gameController->drawPlayFrame();
        double start = nowMs();
        savePng(grabFrame(), "shot.png", 5);
        shot.push_back(nowMs() - start);
    }
    double shotMs = percentile(shot, 0.5);
    std::printf("start-up, program start to the first frame after the splash, %zu runs (%s):\n", startup.size(),
                QM_DEVELOPER_MODE ? "developer build" : "player build");
    std::printf("  median %.1f ms, best %.1f ms, worst %.1f ms (the shot that marks the frame, %.1f ms, taken off)\n",
                percentile(startup, 0.5) - shotMs, percentile(startup, 0) - shotMs, percentile(startup, 1) - shotMs,
                shotMs);

    const int frames = 600;
    for (int layer : {0, 1000, 3000}) {
        FrameFigures f = playFrames(frames, layer);
        std::printf("play frame, rolling ball, %4d particles, %d frames: median %.2f ms, 99th percentile %.2f ms "
                    "(median CPU %.2f ms)\n",
                    f.particles, frames, f.medianMs, f.p99Ms, f.medianCpuMs);
    }

    int boards = 0, worstLevel = -1;
    double medianMs = 0, worstMs = 0;
    bool campaign = false;
    reachability(boards, medianMs, worstMs, worstLevel, campaign);
    std::printf("reachability search over %d %s: median %.2f ms, worst %.2f ms (%s %d)\n", boards,
                campaign ? "campaign levels" : "random boards (no campaign levels present)", medianMs, worstMs,
                campaign ? "level" : "board", worstLevel);

    int levels = 0, unsolved = 0, worstSolve = -1;
    double solveMs = 0, worstSolveMs = 0, exploreMs = 0;
    solverTimes(levels, unsolved, solveMs, worstSolveMs, worstSolve, exploreMs);
    std::printf("solver over %d campaign levels (CPU): shortest solutions %.0f ms in all (worst %.1f ms, level %d; %d "
                "unsolved), exhaustive verify %.0f ms in all\n",
                levels, solveMs, worstSolveMs, worstSolve, unsolved, exploreMs);

    std::vector<double> decode = birdsDecodeTimes(9);
    std::printf("the birds' track decoded at a change of group, %zu runs: median %.0f ms, best %.0f ms, worst %.0f ms\n",
                decode.size(), percentile(decode, 0.5), percentile(decode, 0), percentile(decode, 1));

    rusage self{};
    getrusage(RUSAGE_SELF, &self);
    std::printf("peak resident memory: the real program %.1f MB at start-up, %.1f MB playing group 2; this benchmark "
                "%.1f MB\n",
                startupPeakMb, groupTwoMb, double(self.ru_maxrss) / 1024.0);
    runtimeShutdown();
    fs::current_path("/");
    fs::remove_all(dir);
    return 0;
}
