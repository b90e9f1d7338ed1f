// How much of a puzzle a level is, measured on the graph of its resting
// states: how far each state is from a solve, which states are dead (only a
// restart helps), the choices along one shortest solution, how much a
// systematic explorer meets before the goal, and which gizmo kinds the level
// cannot be solved without. `quillmere-levels stats` prints them; the
// generator aims at them.
#pragma once
#include <string>
#include <vector>

#include "Curriculum.h"
#include "IdeaMeasures.h"
#include "StateGraph.h"
#include "rules/Board.h"

namespace qm {

struct LevelMeasures {
    int level = -1;
    bool solvable = false;
    bool capped = false;
    std::string solution;    // the quickest fewest-move solution, as letters
    int ticks = 0;           // ticks it takes
    int moves = 0;
    int states = 0;          // reachable resting states
    int deadStates = 0;      // states from which no line of moves solves
    int costlyChoices = 0;   // path steps offering a dead state or a detour of 4+ moves
    int forcedSteps = 0;     // path steps with exactly one way onward to something new
    bool trap = false;       // some path step offers a dead state
    int effort = 0;          // states nearer the start than the solution's length
    int shortestSolutions = 0;  // fewest-move solutions, counted up to kManySolutions
    int backAndForth = 0;    // solution moves that rest where the ball rested two moves before
    int openCells = 0;       // cells that are not wall codes
    int kinds = 0;           // Feature bits of the gizmo kinds on the board
    int essential = 0;       // those the level cannot be solved without
    int inert = 0;           // Feature bits of pieces that can do nothing (a pad with no point, ...)
    // Extra moves each wrong turn on offer along the path costs; -1 for a dead state.
    std::vector<int> wrongTurns;
    std::vector<int> path;  // the states the solution rests in, from the start
    IdeaMeasures ideas;     // filled by `measure`, not by `measureGraph`

    static constexpr int kManySolutions = 1000000;

    double forcedShare() const { return moves ? double(forcedSteps) / moves : 0.0; }
    double deadShare() const { return states ? double(deadStates) / states : 0.0; }
    double openFloor() const { return openCells / double(kBoardWidth * kBoardHeight); }
    int nonEssential() const { return kinds & ~essential; }
};

class LevelStats {
public:
    static constexpr int kStateCap = 400000;

    // Every measure but the essential kinds, from an explored graph. The
    // level number is the caller's to fill in.
    static LevelMeasures measureGraph(const Board& board, const StateGraph& graph);
    // Fewest moves to a solve from every state of the graph, over resting
    // moves only (a restart is no way forward); kUnsolvable for a dead state.
    static constexpr int kUnsolvable = 2147483647;
    static std::vector<int> distancesToSolve(const StateGraph& graph);
    // All of them; `probeCap` bounds each without-this-kind search.
    static LevelMeasures measure(const Board& board, int stateCap = kStateCap, int probeCap = kStateCap);

    // The gizmo kinds on the board, as Feature bits, and the pieces that
    // cannot act (a recall pad and no point, a lock and no key, beams and no switch).
    static int kindsOn(const Board& board);
    static int inertOn(const Board& board);
    // Kinds among `kinds` the board can be solved without: every cell of the
    // kind made a neutral cell (angle blocks: floor and, failing that, wall).
    static int solvableWithout(const Board& board, int kinds, int stateCap);

    // The targets, measured over a campaign; `text` gets the summary lines.
    // True when all are met.
    static bool summary(const std::vector<LevelMeasures>& levels, std::string& text);

    // One line of figures for a level, and the header above such lines.
    static std::string header();
    static std::string line(const LevelMeasures& m);
    // "shatter key1 ..." for Feature bits, "-" for none.
    static std::string kindNames(int kinds);
};

}  // namespace qm
