// Shaping boards and climbing towards the level's difficulty; see the header.
#include "LevelGenerator.h"

#include <algorithm>
#include <bit>
#include <vector>

#include "BoardJoin.h"
#include "LevelFile.h"
#include "runtime/Random.h"

namespace qm {

namespace {

constexpr int kFloor = 3;
// Cells the climb must leave alone: the frame and the strips, the cells in
// front of the start and the end, and the partition walls.
constexpr int kFree = 0, kFixed = 1, kPartition = 2;

bool onFrame(int x, int y) { return x == 0 || y == 0 || x == kBoardWidth - 1 || y == kBoardHeight - 1; }
bool isWall(int code) { return code >= 10 && code <= 15; }

LevelMapPtr cloneBoard(const LevelMap& board) {
    auto copy = LevelMap::createEmpty(board.levelNumber);
    for (int x = 0; x < kBoardWidth; ++x)
        for (int y = 0; y < kBoardHeight; ++y) copy->cells[x][y] = board.cells[x][y];
    copy->entryX = board.entryX;
    copy->entryY = board.entryY;
    copy->tileSet = board.tileSet;
    LevelFile::settle(*copy);
    return copy;
}

// The cell in front of a frame cell, towards the middle of the board.
void inward(int x, int y, int& ix, int& iy) {
    ix = x == 0 ? 1 : x == kBoardWidth - 1 ? kBoardWidth - 2 : x;
    iy = y == 0 ? 1 : y == kBoardHeight - 1 ? kBoardHeight - 2 : y;
}

}  // namespace

std::shared_ptr<LevelGenerator> LevelGenerator::create(int seed) {
    auto generator = std::make_shared<LevelGenerator>();
    generator->seed = seed;
    return generator;
}

bool LevelGenerator::randomFreeCell(const LevelMap& board, int& x, int& y) {
    for (int tries = 0; tries < 400; ++tries) {
        x = randomInt(1, kBoardWidth - 2);
        y = randomInt(1, kBoardHeight - 2);
        if (fixedCells[x][y] == kFree && board.cells[x][y] == kFloor) return true;
    }
    return false;
}

void LevelGenerator::planRoute() {
    route.clear();
    seedRandom(seed * 31 + 5);
    LevelMapPtr previous;
    for (int level = 0; level < Curriculum::kLevels; ++level) {
        auto board = LevelMap::createEmpty(level);
        board->tileSet = level / 5;
        for (int x = 0; x < kBoardWidth; ++x)
            for (int y = 0; y < kBoardHeight; ++y) board->cells[x][y] = onFrame(x, y) ? randomInt(10, 11) : kFloor;
        int entered = 0;  // the edge the previous board left by
        if (previous) {
            entered = BoardJoin::exitEdge(*previous);
            BoardJoin::apply(*previous, *board);
        } else {
            board->cells[0][randomInt(3, 10)] = 1;
        }
        int sx = 0, sy = 0;
        for (int x = 0; x < kBoardWidth; ++x)
            for (int y = 0; y < kBoardHeight; ++y)
                if (board->cells[x][y] == 1) { sx = x; sy = y; }
        // The world runs to the right, wandering up and down but never doubling back.
        int roll = randomInt(0, 99);
        int edge = 2;
        if (entered == 2) edge = roll < 50 ? 2 : roll < 75 ? 1 : 3;
        else if (entered == 1) edge = roll < 60 ? 2 : 1;
        else if (entered == 3) edge = roll < 60 ? 2 : 3;
        int ex = 0, ey = 0;
        for (int tries = 0;; ++tries) {
            if (edge == 2) { ex = kBoardWidth - 1; ey = randomInt(2, 11); }
            else { ex = randomInt(3, 16); ey = edge == 1 ? 0 : kBoardHeight - 1; }
            // Keep the end well away from the start.
            if (std::abs(ex - sx) + std::abs(ey - sy) >= 10) break;
            if (tries > 40) edge = 2;
        }
        board->cells[ex][ey] = 2;
        board->clearProtected();
        LevelFile::settle(*board);
        route.push_back(board);
        previous = board;
    }
}

LevelMapPtr LevelGenerator::skeleton(int level) {
    if (route.empty()) planRoute();
    if (level < 0 || level >= int(route.size())) return nullptr;
    return cloneBoard(*route[size_t(level)]);
}

LevelMapPtr LevelGenerator::shape() {
    auto board = skeleton(plan.level);
    for (int x = 0; x < kBoardWidth; ++x)
        for (int y = 0; y < kBoardHeight; ++y) fixedCells[x][y] = onFrame(x, y) ? kFixed : kFree;
    int ix, iy;
    inward(board->startX, board->startY, ix, iy);
    fixedCells[ix][iy] = kFixed;
    inward(board->endX, board->endY, ix, iy);
    fixedCells[ix][iy] = kFixed;
    board->clearProtected();

    // Partition walls divide the board into rooms joined by doorways.
    int partitions = 1 + randomInt(0, 1) + (plan.level >= 60 ? 1 : 0);
    for (int p = 0; p < partitions; ++p) {
        for (int tries = 0; tries < 30; ++tries) {
            bool vertical = randomInt(0, 1) == 1;
            int line = vertical ? randomInt(4, 15) : randomInt(4, 9);
            int length = vertical ? kBoardHeight - 2 : kBoardWidth - 2;
            // A parallel wall right beside another one makes a corridor of noise;
            // crossing one is fine (that touches one cell of each neighbouring line).
            bool crowded = false;
            for (int d = -1; d <= 1; ++d) {
                int touching = 0;
                for (int t = 1; t <= length; ++t) {
                    int x = vertical ? line + d : t, y = vertical ? t : line + d;
                    if (fixedCells[x][y] == kPartition) ++touching;
                }
                crowded = crowded || touching > 1;
            }
            if (crowded) continue;
            int from = 1, to = length;
            if (randomInt(0, 2) == 0) {  // a spur from one side only
                if (randomInt(0, 1)) to = randomInt(length / 2, length - 3);
                else from = randomInt(4, length / 2 + 1);
            }
            int gaps = randomInt(1, 2);
            std::vector<int> gapAt;
            for (int g = 0; g < gaps; ++g) gapAt.push_back(randomInt(from, to));
            for (int t = from; t <= to; ++t) {
                int x = vertical ? line : t, y = vertical ? t : line;
                if (fixedCells[x][y] == kFixed) continue;
                if (std::find(gapAt.begin(), gapAt.end(), t) != gapAt.end()) {
                    board->cells[x][y] = kFloor;
                    fixedCells[x][y] = kFree;
                    gapCells.push_back({x, y});
                    continue;
                }
                board->cells[x][y] = randomInt(12, 13);
                fixedCells[x][y] = kPartition;
            }
            break;
        }
    }
    return board;
}

void LevelGenerator::placeFeatures(LevelMap& board) {
    auto place = [&](int code, bool inDoorway) {
        int x, y;
        if (inDoorway) {
            std::vector<std::pair<int, int>> open;
            for (auto& cell : gapCells)
                if (board.cells[cell.first][cell.second] == kFloor) open.push_back(cell);
            if (!open.empty()) {
                auto cell = open[size_t(randomInt(0, int(open.size()) - 1))];
                board.cells[cell.first][cell.second] = code;
                return;
            }
        }
        if (randomFreeCell(board, x, y)) board.cells[x][y] = code;
    };
    int f = plan.features;
    if (f & FEATURE_SHATTER) {
        int n = 1 + randomInt(0, 1) + (plan.level >= 40 ? 1 : 0);
        for (int i = 0; i < n; ++i) place(randomInt(0, 3) == 0 ? 125 : 126, true);
    }
    if (f & FEATURE_TELEPORT) { place(16, false); place(17, false); }
    if (f & FEATURE_KEY1) { place(33, true); place(31, false); }
    if (f & FEATURE_KEY2) { place(34, false); place(32, false); }
    if (f & FEATURE_RECALL) { place(7, false); place(8, false); }
    if (f & FEATURE_ANGLE) {
        int n = 1 + randomInt(0, 1);
        for (int i = 0; i < n; ++i) place(randomInt(119, 122), false);
    }
    if (f & FEATURE_BOOSTER) {
        int n = 1 + randomInt(0, 1);
        for (int i = 0; i < n; ++i) place(randomInt(115, 118), false);
    }
    if (f & FEATURE_BEAM) {
        int n = 1 + randomInt(0, 1);
        for (int i = 0; i < n; ++i) place(randomInt(0, 1) ? 124 : 127, false);
        place(9, false);
    }
    int stones = 4 + randomInt(0, 4) + plan.level / 12;
    for (int i = 0; i < stones; ++i) place(randomInt(14, 15), false);
}

bool LevelGenerator::mutate(LevelMap& board) {
    std::vector<std::pair<int, int>> movable, stones, floors;
    for (int x = 1; x < kBoardWidth - 1; ++x)
        for (int y = 1; y < kBoardHeight - 1; ++y) {
            if (fixedCells[x][y] != kFree) continue;
            int code = board.cells[x][y];
            if (code == kFloor) floors.push_back({x, y});
            else movable.push_back({x, y});
            if (isWall(code)) stones.push_back({x, y});
        }
    if (floors.empty()) return false;
    auto pick = [](const std::vector<std::pair<int, int>>& v) { return v[size_t(randomInt(0, int(v.size()) - 1))]; };
    int roll = randomInt(0, 99);
    int maxStones = 12 + plan.level / 6;
    if (roll < 50 && !movable.empty()) {
        auto a = pick(movable), b = pick(floors);
        std::swap(board.cells[a.first][a.second], board.cells[b.first][b.second]);
        return true;
    }
    if (roll < 78 && int(stones.size()) < maxStones) {
        auto b = pick(floors);
        board.cells[b.first][b.second] = randomInt(14, 15);
        return true;
    }
    if (!stones.empty()) {
        auto a = pick(stones);
        board.cells[a.first][a.second] = kFloor;
        return true;
    }
    return false;
}

LevelGenerator::Score LevelGenerator::evaluate(const LevelMapPtr& board, bool strict) {
    Score score;
    LevelFile::settle(*board);
    auto solver = Solver::create(*board);
    solver->stateCap = stateCap;
    SolveResult r = solver->solve();
    score.solved = r.solved;
    score.states = r.states;
    if (!r.solved) return score;
    score.moves = int(r.moves.size());
    score.uses = r.uses;
    int missing = std::popcount(unsigned(Curriculum::requiredUses(plan.features) & ~r.uses));
    int over = std::max(0, score.moves - plan.high);
    score.value = std::min(score.moves, plan.high) * 10 - missing * 25 - over * 15;
    score.done = missing == 0 && score.moves >= plan.low && score.moves <= plan.high;
    if (score.done && strict && !essential(board, score.moves)) {
        score.done = false;
        score.value -= 20;
    }
    return score;
}

// Each featured gizmo must matter: taking it away (or, for shatter blocks,
// making them plain walls) must lengthen the solution or make it impossible.
bool LevelGenerator::essential(const LevelMapPtr& board, int moves) {
    struct Probe { int feature; int codeLow, codeHigh; int replacement; };
    static const Probe probes[] = {
        {FEATURE_SHATTER, 125, 126, 10}, {FEATURE_TELEPORT, 16, 25, kFloor}, {FEATURE_KEY1, 31, 31, kFloor},
        {FEATURE_KEY2, 32, 32, kFloor},   {FEATURE_RECALL, 8, 8, kFloor},     {FEATURE_BEAM, 9, 9, kFloor},
    };
    for (const Probe& probe : probes) {
        if (!(plan.features & probe.feature)) continue;
        auto without = cloneBoard(*board);
        for (int x = 0; x < kBoardWidth; ++x)
            for (int y = 0; y < kBoardHeight; ++y)
                if (without->cells[x][y] >= probe.codeLow && without->cells[x][y] <= probe.codeHigh)
                    without->cells[x][y] = probe.replacement;
        LevelFile::settle(*without);
        auto solver = Solver::create(*without);
        solver->stateCap = stateCap;
        SolveResult r = solver->solve();
        if (r.solved && int(r.moves.size()) <= moves) return false;
    }
    return true;
}

// Floor the ball can never reach, and gizmos it never touches, become rock,
// so the board shows only what matters; undone if it changed the solution.
void LevelGenerator::clearUnreached(LevelMapPtr& board, const Score& score) {
    LevelFile::settle(*board);
    auto solver = Solver::create(*board);
    solver->stateCap = stateCap * 5;
    SolveResult all = solver->explore();
    if (all.capped || !all.solved) return;
    auto cleared = cloneBoard(*board);
    for (int x = 1; x < kBoardWidth - 1; ++x)
        for (int y = 1; y < kBoardHeight - 1; ++y) {
            if (fixedCells[x][y] != kFree || all.visited[size_t(x * kBoardHeight + y)]) continue;
            int code = cleared->cells[x][y];
            // A shatter block the ball can never crack is only a wall in disguise.
            if ((code == 125 || code == 126) && !all.touched[size_t(x * kBoardHeight + y)]) {
                cleared->cells[x][y] = randomInt(10, 11);
                continue;
            }
            bool loose = code == kFloor || (code >= 16 && code <= 25) || code == 31 || code == 32 || code == 7 ||
                         code == 8 || code == 9 || (code >= 115 && code <= 122);
            if (loose) cleared->cells[x][y] = randomInt(10, 11);
        }
    Score after = evaluate(cleared, false);
    if (after.solved && after.moves == score.moves && (after.uses & Curriculum::requiredUses(plan.features)) ==
                                                          (score.uses & Curriculum::requiredUses(plan.features)))
        board = cleared;
}

LevelMapPtr LevelGenerator::generate(const LevelPlan& levelPlan, GenerationReport* report) {
    plan = levelPlan;
    if (route.empty()) planRoute();
    seedRandom(seed * 7919 + plan.level * 104729 + 17);
    LevelMapPtr best;
    Score bestScore;
    int bestFixed[20][14] = {};
    int evaluations = 0;
    for (int attempt = 0; attempt < attempts; ++attempt) {
        // Boards that cannot be solved at all are reshaped rather than climbed.
        LevelMapPtr current;
        Score score;
        for (int reshape = 0; reshape < 12 && !score.solved; ++reshape) {
            gapCells.clear();
            current = shape();
            placeFeatures(*current);
            score = evaluate(current, true);
            ++evaluations;
        }
        for (int i = 0; i < evaluationsPerAttempt && !score.done; ++i) {
            auto candidate = cloneBoard(*current);
            if (!mutate(*candidate)) continue;
            Score s = evaluate(candidate, true);
            ++evaluations;
            if (s.value >= score.value) {
                current = candidate;
                score = s;
            }
        }
        if (!best || score.value > bestScore.value || (score.done && !bestScore.done)) {
            best = current;
            bestScore = score;
            std::copy(&fixedCells[0][0], &fixedCells[0][0] + 20 * 14, &bestFixed[0][0]);
        }
        if (score.done) break;
    }
    std::copy(&bestFixed[0][0], &bestFixed[0][0] + 20 * 14, &fixedCells[0][0]);
    if (bestScore.solved) clearUnreached(best, bestScore);
    LevelFile::settle(*best);
    if (report) {
        auto solver = Solver::create(*best);
        solver->stateCap = stateCap * 5;
        SolveResult all = solver->explore();
        report->moves = int(all.moves.size());
        report->states = all.states;
        report->uses = all.uses;
        report->evaluations = evaluations;
        report->onTarget = bestScore.done;
    }
    return best;
}

}  // namespace qm

namespace qm {

LevelMapPtr LevelGenerator::tidy(const LevelPlan& levelPlan, const LevelMapPtr& board) {
    plan = levelPlan;
    seedRandom(seed * 7919 + plan.level * 104729 + 23);
    auto tidied = cloneBoard(*board);
    for (int x = 0; x < kBoardWidth; ++x)
        for (int y = 0; y < kBoardHeight; ++y) fixedCells[x][y] = onFrame(x, y) ? kFixed : kFree;
    Score score = evaluate(tidied, false);
    if (score.solved) clearUnreached(tidied, score);
    return tidied;
}

}  // namespace qm
