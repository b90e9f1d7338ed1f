// What each campaign level is meant to be: the gizmos it features, the range
// of minimum moves it aims for, and how much a systematic explorer should
// meet before the goal (the effort), rising from group to group.
#pragma once
#include <string>

namespace qm {

enum Feature : int {
    FEATURE_SHATTER = 1,
    FEATURE_TELEPORT = 2,
    FEATURE_KEY1 = 4,    // key 1 opens lock 1
    FEATURE_KEY2 = 8,    // key 2 closes lock 2
    FEATURE_RECALL = 16, // recall point and pad
    FEATURE_ANGLE = 32,
    FEATURE_BOOSTER = 64,
    FEATURE_BEAM = 128,  // beam blocks and a switch
};

struct LevelPlan {
    int level = 0;
    int features = 0;
    int target = 0;  // minimum moves aimed at
    int low = 0;     // accepted range of minimum moves
    int high = 0;
    int effort = 0;  // effort aimed at
    // The first levels teach one gizmo each on a gentle board; the puzzle
    // targets (choices that cost, traps, few forced steps) hold from level 20.
    bool teaching = false;
    // From level 20 the ordinary levels (not a group's fifth, not the last)
    // are built on an idea of docs/ideas.md: the generator plants its pieces
    // first and judges boards on the idea measures, with the novice moves
    // (a guessing player's expected moves) aimed at 0.5 to 1.0 x
    // noviceCurve(level). A mix of one gizmo kind gets the idea's partner
    // kind in `features` too.
    bool ideas = false;
    double noviceLow = 0, noviceHigh = 0;
};

class Curriculum {
public:
    static constexpr int kLevels = 161;
    static constexpr int kFirstPuzzle = 20;
    static LevelPlan plan(int level);
    // The campaign's difficulty curve in novice moves: 30 x 100^(level/160),
    // 30 on level 0, 300 on level 80, 3000 on level 160.
    static double noviceCurve(int level);
    static bool ordinary(int level) { return level >= kFirstPuzzle && level % 5 != 4 && level < kLevels - 1; }
    // The fifth level of a group, and the last level of the game.
    static bool finale(int level) { return level % 5 == 4 || level == kLevels - 1; }
    static std::string featureNames(int features);
};

}  // namespace qm
