// The generator that makes the campaign. The route of ends is planned first
// from the seed, so every level's frame, start and end are known before any
// board is made. For each level it shapes boards with rooms, the level's
// gizmos and a few stones, then anneals them with small edits, judged by the
// puzzle measures (CandidateScore): boards that lack a must are never kept,
// and among the rest those with costly choices, traps, a unique solution and
// effort near the level's aim win. Each step of the annealing draws a batch
// of neighbours and judges them side by side on the worker threads; the
// draws are made in order on one thread, so the campaign is the same for a
// seed however many threads judge it.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "CandidateScore.h"
#include "Curriculum.h"
#include "Workers.h"
#include "LevelFile.h"

namespace qm {

struct GenerationReport {
    Candidate result;
    int evaluations = 0;
};

class LevelGenerator {
public:
    static std::shared_ptr<LevelGenerator> create(int seed);

    int evaluationsPerAttempt = 3000;
    int attempts = 6;
    int stateCap = 8000;
    // Threads judging the boards of a batch; the boards made do not depend on it.
    unsigned threads = 1;
    // The campaign's folder, whose designed/ boards the route is planned
    // around and which are installed rather than made; none when empty.
    std::string levelsDir;
    bool designed(int level) const;

    // The campaign's route is planned before any board: every level's frame,
    // its start (the previous level's end, carried over with its strip) and its
    // end. So any level can be made on its own and every pair stays joined.
    BoardPtr skeleton(int level);

    // Level `plan.level` built on its skeleton.
    BoardPtr generate(const LevelPlan& plan, GenerationReport* report);
    // The last step of `generate` on its own, for a level already made:
    // pockets the ball can never reach become rock and gizmos it never meets
    // go, when nothing else changes.
    static BoardPtr tidy(const BoardPtr& board);

private:
    // Neighbours judged together at each step of the annealing; the best of
    // them is the step's candidate.
    static constexpr int kBatch = 4;
    int seed = 1;
    std::vector<BoardPtr> route;
    std::unique_ptr<Workers> crew;
    unsigned crewSize = 0;
    std::vector<Candidate> evaluateAll(const std::vector<BoardPtr>& boards, const LevelPlan& plan);
    void planRoute();
};

}  // namespace qm
