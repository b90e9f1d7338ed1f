// The campaign's curriculum: each gizmo arrives on the level whose tutorial
// page explains it, on an easy board, and later groups combine what came
// before while the minimum number of moves climbs with a five-level rhythm.
#include "Curriculum.h"

#include <algorithm>
#include <cmath>


namespace qm {

namespace {

// Levels 0 to 14 teach; the table follows the tutorial pages.
const int kOpening[15] = {
    0, 0, 0,
    FEATURE_SHATTER,                     // 3: page 1
    FEATURE_TELEPORT,                    // 4: page 5
    FEATURE_SHATTER,
    FEATURE_KEY1,                        // 6: page 3
    FEATURE_RECALL,                      // 7: recall points and pads (page 5)
    FEATURE_KEY2,
    FEATURE_ANGLE | FEATURE_BOOSTER,     // 9: page 2
    FEATURE_ANGLE,
    FEATURE_BOOSTER,
    FEATURE_TELEPORT | FEATURE_KEY1,
    FEATURE_BEAM,                        // 13: page 4
    FEATURE_BEAM,
};

// From level 15 on the levels walk through these mixes; the later ones bring
// two or three gizmos together.
const int kMixes[] = {
    FEATURE_KEY2 | FEATURE_ANGLE,  // once walls only; walls-only levels end with the first group
    FEATURE_SHATTER,
    FEATURE_TELEPORT,
    FEATURE_KEY1,
    FEATURE_BEAM,
    FEATURE_ANGLE,
    FEATURE_RECALL,
    FEATURE_KEY2,
    FEATURE_BOOSTER,
    FEATURE_SHATTER | FEATURE_TELEPORT,
    FEATURE_KEY1 | FEATURE_BEAM,
    FEATURE_ANGLE | FEATURE_BOOSTER,
    FEATURE_TELEPORT | FEATURE_KEY2,
    FEATURE_RECALL | FEATURE_SHATTER,
    FEATURE_BEAM | FEATURE_ANGLE,
    FEATURE_KEY1 | FEATURE_KEY2,
    FEATURE_BOOSTER | FEATURE_SHATTER,
    FEATURE_TELEPORT | FEATURE_BEAM,
    FEATURE_RECALL | FEATURE_ANGLE,
    FEATURE_KEY1 | FEATURE_SHATTER | FEATURE_TELEPORT,
    FEATURE_BEAM | FEATURE_KEY2,
    FEATURE_ANGLE | FEATURE_TELEPORT | FEATURE_SHATTER,
    FEATURE_RECALL | FEATURE_KEY1,
    FEATURE_BOOSTER | FEATURE_BEAM,
};
constexpr int kMixCount = int(sizeof(kMixes) / sizeof(kMixes[0]));

// The partner an idea gives a mix of one kind (and the two keys, which
// work one move each): a key fetched through a teleport used from both
// ends, the closed gap beside a teleport, a booster breaking shatter from
// afar, power through a beam, a lift beside a booster, a booster sending the
// ball into the recall pad, key order with a lift.
int partnerOf(int features) {
    switch (features) {
        case FEATURE_SHATTER: return FEATURE_BOOSTER;
        case FEATURE_TELEPORT: return FEATURE_KEY1;
        case FEATURE_KEY1: return FEATURE_TELEPORT;
        case FEATURE_KEY2: return FEATURE_TELEPORT;
        case FEATURE_BEAM: return FEATURE_BOOSTER;
        case FEATURE_ANGLE: return FEATURE_BOOSTER;
        case FEATURE_RECALL: return FEATURE_BOOSTER;
        case FEATURE_BOOSTER: return FEATURE_BEAM;
        case FEATURE_KEY1 | FEATURE_KEY2: return FEATURE_BOOSTER;
        default: return 0;
    }
}

}  // namespace

LevelPlan Curriculum::plan(int level) {
    LevelPlan p;
    p.level = level;
    int group = level / 5, index = level % 5;
    if (level < 15) p.features = kOpening[level];
    else p.features = kMixes[(level - 15) % kMixCount];

    p.teaching = level < kFirstPuzzle;
    // Effort grows by a constant factor per level, eightfold over the campaign;
    // the first group is gentler still, and the fifth level of a group stands out.
    static const double effortRhythm[5] = {0.85, 0.95, 1.05, 0.95, 1.4};
    p.effort = int(std::lround(10.0 * std::exp(std::log(8.0) * level / 155.0) * effortRhythm[index]));
    if (group == 0) {
        static const int firstGroup[5] = {3, 3, 4, 6, 7};
        static const int firstEffort[5] = {3, 4, 5, 7, 9};
        p.target = firstGroup[index];
        p.low = level == 0 ? 2 : p.target - 1;
        p.high = level == 0 ? 3 : p.target + 2;
        p.effort = firstEffort[index];
        return p;
    }
    // The base climbs from 4 moves in group 1 to 17 in the last group; within a
    // group the fifth level stands out.
    static const int rhythm[5] = {-1, 0, 1, 0, 3};
    int base = 4 + (group - 1) * 13 / 31;
    p.target = std::max(2, base + rhythm[index]);
    // A shatter block takes three hits (a cracked one two), each from a rest
    // in front of it, and a recall point must be passed before its pad; the
    // range leaves room for those moves.
    if (p.features & FEATURE_SHATTER) p.target += 3;
    if (p.features & FEATURE_RECALL) p.target += 1;
    p.low = std::max(2, p.target - 1);
    p.high = p.target + 3;
    if (ordinary(level)) {
        p.ideas = true;
        p.high += 2;  // room for the moves that work the idea's pieces
        p.features |= partnerOf(p.features);
        p.noviceLow = 0.5 * noviceCurve(level);
        p.noviceHigh = noviceCurve(level);
    }
    return p;
}

double Curriculum::noviceCurve(int level) { return 30.0 * std::pow(100.0, level / 160.0); }

std::string Curriculum::featureNames(int features) {
    static const char* names[] = {"shatter", "teleport", "key1", "key2", "recall", "angle", "booster", "beam"};
    std::string out;
    for (int i = 0; i < 8; ++i)
        if (features & (1 << i)) out += (out.empty() ? "" : "+") + std::string(names[i]);
    return out.empty() ? "walls" : out;
}

}  // namespace qm
