// The generator that makes the campaign. The route of ends is planned first
// from the seed, so every level's frame, start and end are known before any
// board is made. For each level it shapes boards with rooms, the level's
// gizmos and a few stones, then anneals them with small edits, judged by the
// puzzle measures (CandidateScore): boards that lack a must are never kept,
// and among the rest those with costly choices, traps, a unique solution and
// effort near the level's aim win. Deterministic for a seed.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "CandidateScore.h"
#include "Curriculum.h"
#include "play/LevelMap.h"

namespace qm {

struct GenerationReport {
    Candidate result;
    int evaluations = 0;
};

class LevelGenerator {
public:
    static std::shared_ptr<LevelGenerator> create(int seed);

    int evaluationsPerAttempt = 1500;
    int attempts = 4;
    int stateCap = 8000;
    // Threads judging the boards of a batch; the boards made do not depend on it.
    unsigned threads = 1;

    // The campaign's route is planned before any board: every level's frame,
    // its start (the previous level's end, carried over with its strip) and its
    // end. So any level can be made on its own and every pair stays joined.
    LevelMapPtr skeleton(int level);

    // Level `plan.level` built on its skeleton.
    LevelMapPtr generate(const LevelPlan& plan, GenerationReport* report);
    // The last step of `generate` on its own, for a level already made:
    // pockets the ball can never reach become rock and gizmos it never meets
    // go, when nothing else changes.
    static LevelMapPtr tidy(const LevelMapPtr& board);

private:
    // Neighbours judged together at each step of the annealing.
    static constexpr int kBatch = 2;
    int seed = 1;
    std::vector<LevelMapPtr> route;
    std::vector<Candidate> evaluateAll(const std::vector<LevelMapPtr>& boards, const LevelPlan& plan) const;
    void planRoute();
};

}  // namespace qm
