// quillmere-levels: the campaign's level tool.
//   solve FILE                       shortest solution as U/R/D/L letters (exit 1: none)
//   verify [DIR] [--table MD] [--plot PNG]
//                                    checks levels 0..160 (files, solvable, joined)
//   render FILE OUT.png [--style N]  the board as the game draws it
//   generate [--seed S] [--from A] [--to B] [--dir DIR]
//                                    makes levels A..B; the route of ends is planned from
//                                    the seed first, so any range can be remade on its own
//   tidy [--from A] [--to B] [--dir DIR]
//                                    generate's last step again: unreachable floor and gizmos become rock
//   stats [FILES | --dir DIR] [--check]
//                                    the puzzle measures per level and the campaign's targets
//                                    (--check: exit 1 when a target is missed)
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "BoardJoin.h"
#include "BoardPicture.h"
#include "Curriculum.h"
#include "LevelFile.h"
#include "LevelGenerator.h"
#include "LevelStats.h"
#include "app/Globals.h"
#include "puzzle/Solver.h"
#include "runtime/Diagnostics.h"
#include "runtime/Files.h"
#include "runtime/Runtime.h"

using namespace qm;

namespace {

int usage() {
    std::fprintf(stderr,
                 "usage: quillmere-levels solve FILE\n"
                 "       quillmere-levels verify [DIR] [--table FILE.md] [--plot FILE.png]\n"
                 "       quillmere-levels render FILE OUT.png [--style N]\n"
                 "       quillmere-levels generate [--seed S] [--from A] [--to B] [--dir DIR]\n"
                 "       quillmere-levels tidy [--from A] [--to B] [--dir DIR]\n"
                 "       quillmere-levels stats [FILES...] [--dir DIR] [--check]\n");
    return 2;
}

bool startRuntime() {
    RuntimeOptions options;
    options.headless = true;
    if (!runtimeInit(options)) return false;
    setDebugLogTarget("");
    return true;
}

std::string absolute(const std::string& path) { return std::filesystem::absolute(path).string(); }

int solveCommand(const std::string& path) {
    std::string problem;
    auto board = LevelFile::read(path, LevelFile::levelNumberOf(path), &problem);
    if (!board) {
        std::fprintf(stderr, "%s %s\n", path.c_str(), problem.c_str());
        return 2;
    }
    SolveResult result = Solver::create(board)->solve();
    if (!result.solved) {
        std::fprintf(stderr, "no solution (%d states%s)\n", result.states, result.capped ? ", search capped" : "");
        return 1;
    }
    std::printf("%s\n", result.moves.c_str());
    std::fprintf(stderr, "%zu moves, %d ticks, %d states, gizmos: %s\n", result.moves.size(), result.ticks,
                 result.states, gizmoUseNames(result.uses).c_str());
    return 0;
}

struct LevelLine {
    int level = 0;
    int moves = 0;
    int states = 0;
    int uses = 0;
};

int verifyCommand(const std::string& dir, const std::string& tablePath, const std::string& plotPath) {
    auto began = std::chrono::steady_clock::now();
    int failures = 0;
    LevelMapPtr previous;
    std::vector<LevelLine> lines;
    for (int level = 0; level < Curriculum::kLevels; ++level) {
        std::string path = LevelFile::pathFor(dir, level);
        std::string problem;
        auto board = LevelFile::read(path, level, &problem);
        auto fail = [&](const std::string& why) {
            std::printf("level %d: FAILED: %s\n", level, why.c_str());
            ++failures;
        };
        if (!board) {
            fail(path + " " + problem);
            previous = nullptr;
            continue;
        }
        if (!problem.empty()) fail(path + " " + problem);
        std::string joinProblem;
        if (level > 0 && previous && !BoardJoin::check(*previous, *board, &joinProblem))
            fail("not joined to level " + std::to_string(level - 1) + ": " + joinProblem);
        auto solver = Solver::create(board);
        SolveResult result = solver->explore();
        if (!result.solved) {
            fail(result.capped ? "no solution found within the state cap" : "cannot be solved");
        } else {
            std::printf("level %d: %zu moves, %d states, gizmos: %s\n", level, result.moves.size(), result.states,
                        gizmoUseNames(result.uses).c_str());
            if (level >= 5 && result.moves.size() < 2) fail("solved by a single move");
            lines.push_back({level, int(result.moves.size()), result.states, result.uses});
        }
        previous = board;
    }
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count();
    std::printf("%d levels checked in %.2f s, %d failure%s\n", Curriculum::kLevels, seconds, failures,
                failures == 1 ? "" : "s");
    if (!tablePath.empty()) {
        std::ofstream md(tablePath);
        md << "# The campaign\n\n"
              "Levels 0 to 160 as `quillmere-levels verify` measures them: the minimum number of moves,\n"
              "the resting states the ball can reach (ball cell and gizmo states), and the gizmos the\n"
              "shortest solution uses. The plot of minimum moves per level is `level-moves.png`.\n\n"
              "![minimum moves per level](level-moves.png)\n\n"
              "How it was made: `quillmere-levels generate --seed 1` plans the route first (each\n"
              "level's end on its frame, and so the next level's start, carried over with its strip\n"
              "as the editor's next-board builder copies it), then for every level shapes rooms with\n"
              "partition walls and doorways, places the level's gizmos and some stones, and moves\n"
              "them about while the solver's minimum rises into the level's range and every featured\n"
              "gizmo is used and needed; floor and gizmos the ball can never reach become rock\n"
              "(`quillmere-levels tidy`). Gizmos arrive with their tutorial pages: shatter blocks on\n"
              "level 3, teleports on 4, keys and locks on 6, recall points and pads on 7, angle blocks\n"
              "and boosters on 9, beam blocks and switches on 13; later levels mix them. The fifth\n"
              "level of each group is made to need more moves than the four before it.\n\n"
              "| level | moves | states | gizmos |\n|---:|---:|---:|---|\n";
        for (const LevelLine& l : lines)
            md << "| " << l.level << " | " << l.moves << " | " << l.states << " | " << gizmoUseNames(l.uses) << " |\n";
    }
    if (!plotPath.empty()) {
        std::vector<int> moves(size_t(Curriculum::kLevels), 0);
        for (const LevelLine& l : lines) moves[size_t(l.level)] = l.moves;
        if (!BoardPicture::plotMoves(moves, plotPath)) std::fprintf(stderr, "could not write %s\n", plotPath.c_str());
    }
    return failures == 0 ? 0 : 1;
}

int renderCommand(const std::string& path, const std::string& out, int style) {
    std::string problem;
    int level = LevelFile::levelNumberOf(path);
    auto board = LevelFile::read(path, level, &problem);
    if (!board) {
        std::fprintf(stderr, "%s %s\n", path.c_str(), problem.c_str());
        return 2;
    }
    if (style < 0) style = level >= 0 ? level / 5 : 0;
    if (!BoardPicture::render(board, style, programFolder(), absolute(out))) {
        std::fprintf(stderr, "could not write %s\n", out.c_str());
        return 1;
    }
    return 0;
}

int tidyCommand(int seed, int from, int to, const std::string& dir) {
    auto generator = LevelGenerator::create(seed);
    for (int level = from; level <= to; ++level) {
        std::string problem, path = LevelFile::pathFor(dir, level);
        auto board = LevelFile::read(path, level, &problem);
        if (!board) continue;
        auto tidied = generator->tidy(Curriculum::plan(level), board);
        int changed = 0;
        for (int x = 0; x < kBoardWidth; ++x)
            for (int y = 0; y < kBoardHeight; ++y) changed += tidied->cells[x][y] != board->cells[x][y];
        if (changed && !LevelFile::write(*tidied, path)) return 1;
        std::printf("level %d: %d cells tidied\n", level, changed);
    }
    return 0;
}

int statsCommand(std::vector<std::string> files, const std::string& dir, bool check) {
    if (files.empty())
        for (int level = 0; level < Curriculum::kLevels; ++level) files.push_back(LevelFile::pathFor(dir, level));
    std::vector<LevelMeasures> all;
    std::printf("%s\n", LevelStats::header().c_str());
    for (const std::string& path : files) {
        std::string problem;
        auto board = LevelFile::read(path, LevelFile::levelNumberOf(path), &problem);
        if (!board) {
            std::fprintf(stderr, "%s %s\n", path.c_str(), problem.c_str());
            return 2;
        }
        all.push_back(LevelStats::measure(*board));
        std::printf("%s\n", LevelStats::line(all.back()).c_str());
        std::fflush(stdout);
    }
    std::string summary;
    bool met = LevelStats::summary(all, summary);
    std::printf("%s", summary.c_str());
    return check && !met ? 1 : 0;
}

int generateCommand(int seed, int from, int to, const std::string& dir) {
    auto began = std::chrono::steady_clock::now();
    auto generator = LevelGenerator::create(seed);
    int notKept = 0, notAimed = 0;
    for (int level = from; level <= to; ++level) {
        LevelPlan plan = Curriculum::plan(level);
        if (level % 5 == 4) {
            // The fifth level of a group must stand above the four before it.
            int most = 0;
            for (int before = level - 4; before < level; ++before) {
                std::string problem;
                auto board = LevelFile::read(LevelFile::pathFor(dir, before), before, &problem);
                if (board) most = std::max(most, LevelStats::measureGraph(*board, StateGraph::explore(*board, LevelStats::kStateCap)).moves);
            }
            plan.low = std::max(plan.low, most + 1);
            plan.high = std::max(plan.high, plan.low + 3);
        }
        GenerationReport report;
        auto board = generator->generate(plan, &report);
        if (!board || !LevelFile::write(*board, LevelFile::pathFor(dir, level))) {
            std::fprintf(stderr, "level %d could not be written\n", level);
            return 1;
        }
        const Candidate& c = report.result;
        notKept += c.kept ? 0 : 1;
        notAimed += c.aimed ? 0 : 1;
        double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count();
        std::printf("level %d [%s; moves %d-%d, effort %d]: %d moves, effort %d, %d states, %d costly, dead %.0f%%%s, "
                    "forced %.0f%%, open %.0f%%%s, %d tries, %.0f s%s\n",
                    level, Curriculum::featureNames(plan.features).c_str(), plan.low, plan.high, plan.effort,
                    c.measures.moves, c.measures.effort, c.measures.states, c.measures.costlyChoices,
                    100 * c.measures.deadShare(), c.measures.trap ? " (trap)" : "", 100 * c.measures.forcedShare(),
                    100.0 * c.openAfterTidy / (kBoardWidth * kBoardHeight),
                    c.measures.shortestSolutions == 1 ? "" : ", not unique", report.evaluations, seconds,
                    !c.kept ? "  (NOT KEPT: a must is missing)" : c.aimed ? "" : "  (short of an aim)");
        std::fflush(stdout);
    }
    std::printf("%d level%s short of an aim, %d missing a must\n", notAimed, notAimed == 1 ? "" : "s", notKept);
    return notKept == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty()) return usage();
    if (!startRuntime()) {
        std::fprintf(stderr, "the headless runtime did not start\n");
        return 2;
    }
    std::string command = args[0];
    std::vector<std::string> positional;
    std::string table, plot, dir = QM_LEVELS_DIR;
    int style = -1, seed = 1, from = 0, to = Curriculum::kLevels - 1;
    bool check = false;
    for (size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        bool hasValue = i + 1 < args.size();
        if (a == "--table" && hasValue) table = args[++i];
        else if (a == "--plot" && hasValue) plot = args[++i];
        else if (a == "--style" && hasValue) style = std::atoi(args[++i].c_str());
        else if (a == "--seed" && hasValue) seed = std::atoi(args[++i].c_str());
        else if (a == "--from" && hasValue) from = std::atoi(args[++i].c_str());
        else if (a == "--to" && hasValue) to = std::atoi(args[++i].c_str());
        else if (a == "--dir" && hasValue) dir = args[++i];
        else if (a == "--check") check = true;
        else if (a.rfind("--", 0) == 0) return usage();
        else positional.push_back(a);
    }
    int status;
    if (command == "solve" && positional.size() == 1) status = solveCommand(positional[0]);
    else if (command == "verify" && positional.size() <= 1)
        status = verifyCommand(positional.empty() ? dir : positional[0], table, plot);
    else if (command == "render" && positional.size() == 2) status = renderCommand(positional[0], positional[1], style);
    else if (command == "stats") status = statsCommand(positional, dir, check);
    else if (command == "tidy" && positional.empty() && from >= 0 && to < Curriculum::kLevels && from <= to)
        status = tidyCommand(seed, from, to, dir);
    else if (command == "generate" && positional.empty() && from >= 0 && to < Curriculum::kLevels && from <= to)
        status = generateCommand(seed, from, to, dir);
    else status = usage();
    resetGlobals();
    runtimeShutdown();
    return status;
}
