// The generator that made the campaign: for each level it shapes a walled
// board with rooms (partition walls with doorways), places the level's gizmos
// and a few stones, then moves stones and gizmos about, keeping changes the
// solver likes, until the minimum number of moves lies in the level's range
// and the shortest solution uses every featured gizmo. Deterministic for a seed.
#pragma once
#include <memory>
#include <string>
#include <utility>
#include <vector>
#include "Curriculum.h"
#include "play/LevelMap.h"
#include "rules/Solver.h"

namespace qm {

struct GenerationReport {
    int moves = 0;
    int states = 0;
    int uses = 0;
    int evaluations = 0;
    bool onTarget = false;  // in range, every featured gizmo used and needed
};

class LevelGenerator {
public:
    static std::shared_ptr<LevelGenerator> create(int seed);

    int evaluationsPerAttempt = 500;
    int attempts = 6;
    int stateCap = 20000;

    // The campaign's route is planned before any board: every level's frame,
    // its start (the previous level's end, carried over with its strip) and its
    // end. So any level can be made on its own and every pair stays joined.
    LevelMapPtr skeleton(int level);

    // Level `plan.level` built on its skeleton.
    LevelMapPtr generate(const LevelPlan& plan, GenerationReport* report);
    // The last step of `generate` on its own, for a level already made: floor
    // and gizmos the ball can never reach become rock when the solution stays.
    LevelMapPtr tidy(const LevelPlan& plan, const LevelMapPtr& board);

private:
    int seed = 1;
    int fixedCells[20][14] = {};
    LevelPlan plan;
    std::vector<std::pair<int, int>> gapCells;  // doorways in the partition walls

    struct Score {
        bool solved = false;
        int moves = 0;
        int uses = 0;
        int states = 0;
        int value = -100000;
        bool done = false;
    };
    Score evaluate(const LevelMapPtr& board, bool strict);
    bool essential(const LevelMapPtr& board, int moves);
    std::vector<LevelMapPtr> route;
    void planRoute();
    LevelMapPtr shape();
    void placeFeatures(LevelMap& board);
    bool mutate(LevelMap& board);
    void clearUnreached(LevelMapPtr& board, const Score& score);
    bool randomFreeCell(const LevelMap& board, int& x, int& y);
};

}  // namespace qm
