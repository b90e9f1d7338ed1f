// How good a generated board is for its place in the campaign. Some things a
// board must have, or it is never kept: it solves, every gizmo kind on it is
// essential, no piece is inert, the level's gizmos are all there and, from
// level 20 on, a player has choices (forced share at most 40%); and every
// board keeps 40% open floor once unreached floor is rock. Beyond those the value rewards
// costly choices, a trap with dead states, a unique shortest solution, effort
// and moves near the level's aim, open rooms without clutter, and few
// back-and-forth moves.
// A pure function of the board, over the rules core alone: boards may be
// judged on several threads at once.
#pragma once
#include "Curriculum.h"
#include "LevelStats.h"
#include "rules/Board.h"

namespace qm {

struct Candidate {
    LevelMeasures measures;
    int openAfterTidy = 0;   // cells still open once unreached floor and unused gizmos are rock
    double value = -1e18;
    bool kept = false;       // has everything a board must have
    bool aimed = false;      // and meets every aim, so the search may stop
};

class CandidateScore {
public:
    static Candidate evaluate(const Board& board, const LevelPlan& plan, int stateCap);

    static constexpr double kMostForced = 0.40;
    static constexpr double kLeastOpen = 0.30;
    // What the generator asks of every board, teaching ones too: more open
    // floor after tidying than the target's least, so no board is a maze of rock.
    static constexpr double kLeastLooks = 0.40;
    static constexpr int kLoneStones = 10;  // more than this many stones standing alone is clutter
    static constexpr double kLeastDead = 0.10;

    // The idea measures of an ordinary level judged: adds to `value`, true
    // when every idea aim is met.
    static bool judgeIdeas(const LevelMeasures& m, const LevelPlan& plan, double& value);
};

}  // namespace qm
