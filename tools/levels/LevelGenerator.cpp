// Planning the route, annealing boards and tidying the result; see the header.
#include "LevelGenerator.h"

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <vector>

#include "BoardJoin.h"
#include "BoardShaper.h"
#include "DesignedLevels.h"
#include "LevelFile.h"
#include "Workers.h"
#include "runtime/Random.h"

namespace qm {

namespace {

bool onFrame(int x, int y) { return x == 0 || y == 0 || x == kBoardWidth - 1 || y == kBoardHeight - 1; }

// A kept board beats one that is not; then the higher value wins.
bool better(const Candidate& a, const Candidate& b) {
    if (a.kept != b.kept) return a.kept;
    return a.value > b.value;
}

}  // namespace

std::shared_ptr<LevelGenerator> LevelGenerator::create(int seed) {
    auto generator = std::make_shared<LevelGenerator>();
    generator->seed = seed;
    return generator;
}

namespace {

// The start a board gets from the previous board's end at (ex, ey): the same
// line on the opposite edge.
void startFromEnd(int ex, int ey, int& sx, int& sy) {
    switch (Board::nearestEdge(ex, ey)) {
        case 1: sx = ex; sy = kBoardHeight - 1; break;
        case 3: sx = ex; sy = 0; break;
        case 4: sx = kBoardWidth - 1; sy = ey; break;
        default: sx = 0; sy = ey; break;
    }
}

// The end a board needs so that the next board starts at (sx, sy).
void endForStart(int sx, int sy, int& ex, int& ey) {
    ex = sx == 0 ? kBoardWidth - 1 : sx == kBoardWidth - 1 ? 0 : sx;
    ey = sy == 0 ? kBoardHeight - 1 : sy == kBoardHeight - 1 ? 0 : sy;
}

}  // namespace

void LevelGenerator::planRoute() {
    route.clear();
    std::vector<BoardPtr> designed(size_t(Curriculum::kLevels));
    if (!levelsDir.empty())
        for (int level : DesignedLevels::list(levelsDir))
            designed[size_t(level)] = DesignedLevels::read(levelsDir, level, nullptr);
    seedRandom(seed * 31 + 5);
    BoardPtr previous;
    // The draws are made from the route as it would run without designed
    // boards (the ends drawn, not the ends placed), so a designed board moves
    // no other level's start or end but the ones it touches.
    int drawnEndX = -1, drawnEndY = -1;
    for (int level = 0; level < Curriculum::kLevels; ++level) {
        auto board = std::make_shared<Board>();
        for (int x = 0; x < kBoardWidth; ++x)
            for (int y = 0; y < kBoardHeight; ++y)
                board->cells[x][y] = onFrame(x, y) ? randomInt(Code::FrameWall, Code::FrameWall + 1) : BoardShaper::kFloor;
        int entered = 0;  // the edge the previous board left by
        int sx = 0, sy = 0;
        if (previous) {
            entered = Board::nearestEdge(drawnEndX, drawnEndY);
            startFromEnd(drawnEndX, drawnEndY, sx, sy);
            BoardJoin::apply(*previous, *board);
        } else {
            sy = randomInt(3, 10);
            board->cells[0][sy] = Code::Start;
        }
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
        drawnEndX = ex;
        drawnEndY = ey;
        LevelFile::settle(*board);
        if (designed[size_t(level)]) {
            // Installed as drawn, its walls dressed on this frame, its entry
            // line as the previous board leaves it.
            auto made = BoardShaper::copyOf(*designed[size_t(level)]);
            DesignedLevels::dress(*made, *board);
            if (previous) BoardJoin::apply(*previous, *made);
            board = made;
        } else {
            const BoardPtr& after = level + 1 < Curriculum::kLevels ? designed[size_t(level + 1)] : nullptr;
            if (after) {
                endForStart(after->startX, after->startY, ex, ey);
            } else if (std::abs(ex - board->startX) + std::abs(ey - board->startY) < 10) {
                // The start was moved by a designed board before: the end goes
                // to the far end of its edge instead.
                if (ey == 0 || ey == kBoardHeight - 1) ex = board->startX < kBoardWidth / 2 ? 16 : 3;
                else ey = board->startY < kBoardHeight / 2 ? 11 : 2;
            }
            board->cells[ex][ey] = Code::End;
        }
        LevelFile::settle(*board);
        route.push_back(board);
        previous = board;
    }
}

std::vector<Candidate> LevelGenerator::evaluateAll(const std::vector<BoardPtr>& boards, const LevelPlan& plan) {
    std::vector<Candidate> scores(boards.size());
    if (!crew || crewSize != threads) {
        crew = std::make_unique<Workers>(threads);
        crewSize = threads;
    }
    crew->run(boards.size(), [&](size_t k) { scores[k] = CandidateScore::evaluate(*boards[k], plan, stateCap); });
    return scores;
}

bool LevelGenerator::designed(int level) const {
    return !levelsDir.empty() && level >= 0 && level < Curriculum::kLevels &&
           std::filesystem::exists(DesignedLevels::pathFor(levelsDir, level));
}

BoardPtr LevelGenerator::skeleton(int level) {
    if (route.empty()) planRoute();
    if (level < 0 || level >= int(route.size())) return nullptr;
    return BoardShaper::copyOf(*route[size_t(level)]);
}

BoardPtr LevelGenerator::generate(const LevelPlan& plan, GenerationReport* report) {
    if (route.empty()) planRoute();
    if (designed(plan.level)) {
        // A designed board is installed, not made.
        if (report) *report = GenerationReport();
        return BoardShaper::copyOf(*route[size_t(plan.level)]);
    }
    seedRandom(seed * 7919 + plan.level * 104729 + 17);
    const Board& frame = *route[size_t(plan.level)];
    BoardPtr best;
    Candidate bestScore;
    int evaluations = 0;
    // A level whose boards all lack a must gets more attempts, up to three times as many.
    for (int attempt = 0; attempt < 3 * attempts && !bestScore.aimed && (attempt < attempts || !bestScore.kept);
         ++attempt) {
        BoardShaper shaper(plan);
        BoardPtr current;
        Candidate score;
        // A board that cannot be solved at all is reshaped rather than edited.
        for (int reshape = 0; reshape < 20 && score.value < -1e17; ++reshape) {
            current = shaper.shape(frame);
            score = CandidateScore::evaluate(*current, plan, stateCap);
            ++evaluations;
        }
        BoardPtr attemptBest = current;
        Candidate attemptScore = score;
        for (int i = 0; i < evaluationsPerAttempt && !attemptScore.aimed; i += kBatch) {
            // A batch of neighbours, drawn here in order so the search is the
            // same however many threads judge them.
            std::vector<BoardPtr> batch;
            for (int k = 0; k < kBatch; ++k) {
                auto candidate = BoardShaper::copyOf(*current);
                bool edited = shaper.mutate(*candidate);
                if (randomInt(0, 2) == 0) edited = shaper.mutate(*candidate) || edited;
                if (!edited) continue;
                LevelFile::settle(*candidate);
                batch.push_back(candidate);
            }
            std::vector<Candidate> scores = evaluateAll(batch, plan);
            evaluations += int(batch.size());
            size_t pick = 0;
            for (size_t k = 0; k < batch.size(); ++k) {
                if (scores[k].value > scores[pick].value) pick = k;
                if (better(scores[k], attemptScore)) {
                    attemptBest = batch[k];
                    attemptScore = scores[k];
                }
            }
            if (batch.empty()) continue;
            // Annealing: a worse board is taken now and then, less often as the
            // search cools, so the climb can leave a dead end.
            const Candidate& s = scores[pick];
            double temperature = 1.0 + 40.0 * (1.0 - double(i) / evaluationsPerAttempt);
            bool take = s.value >= score.value ||
                        (s.value > -1e17 && randomFloat(0, 1) < std::exp((s.value - score.value) / temperature));
            if (take) {
                current = batch[pick];
                score = s;
            }
        }
        if (!best || better(attemptScore, bestScore)) {
            best = attemptBest;
            bestScore = attemptScore;
        }
    }
    if (bestScore.value > -1e17) {
        auto tidied = tidy(best);
        Candidate after = CandidateScore::evaluate(*tidied, plan, stateCap * 4);
        if (after.kept == bestScore.kept && after.measures.solution == bestScore.measures.solution) {
            best = tidied;
            bestScore = after;
        }
    }
    LevelFile::settle(*best);
    if (report) {
        report->result = bestScore;
        report->evaluations = evaluations;
    }
    return best;
}

// Pockets the ball can never reach become rock and gizmos it never meets
// go, so the board shows only what matters; undone if that changed the
// level's graph (a beam that now runs further or stops short).
BoardPtr LevelGenerator::tidy(const BoardPtr& board) {
    StateGraph all = StateGraph::explore(*board, LevelStats::kStateCap);
    if (all.capped || !all.solvable) return BoardShaper::copyOf(*board);
    auto tidied = BoardShaper::copyOf(*board);
    Board cells = BoardShaper::tidied(*board, all);
    std::copy(&cells.cells[0][0], &cells.cells[0][0] + kBoardWidth * kBoardHeight, &tidied->cells[0][0]);
    LevelFile::settle(*tidied);
    StateGraph after = StateGraph::explore(*tidied, LevelStats::kStateCap);
    LevelMeasures was = LevelStats::measureGraph(*board, all), now = LevelStats::measureGraph(*tidied, after);
    bool same = now.solvable && now.solution == was.solution && now.states == was.states &&
                now.deadStates == was.deadStates && now.effort == was.effort;
    return same ? tidied : BoardShaper::copyOf(*board);
}

}  // namespace qm
