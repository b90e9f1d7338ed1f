// The solution played tick by tick, as the game plays it, noting per move what
// the ball met (keys, teleports, the recall point, switches, shatter blocks,
// the turn that set its last heading) and what it came to rest against; the
// catalogue's ideas are patterns over those notes.
#include "SolutionIdeas.h"

#include <map>
#include <set>

#include "Curriculum.h"
#include "LevelStats.h"
#include "TickWork.h"
#include "rules/MoveSimulator.h"
#include "rules/PlayState.h"
#include "rules/Solver.h"

namespace qm {

namespace {

// What the whole solution did, gathered move by move.
struct Notes {
    int key1Move = -1, key2Move = -1;
    bool throughDoor = false;             // rolled through lock 1 after its key
    std::set<int> arrivals;               // teleport codes the ball came out of
    std::set<int> teleportRests;          // moves that stop on the teleport they came out of
    bool recalledAfterWork = false;       // the pad sent the ball back after a key, switch or knock since the point
    bool recalledAtOnce = false;          // ... with nothing changed since the point was crossed
    bool boosterBreak = false;            // a powered ball broke a shatter block
    bool powerThroughBeam = false;        // a powered ball rolled across a beam
    int switchHits = 0;
    bool gapStopper = false;              // a move rests against the closed lock 2
    bool newBeamStopper = false;          // a move rests against a beam the start did not have
    int firstAway = -1;                   // the first move to cross a beam the start had, turned away
    bool backStopper = false;             // a later move rests against such a beam, turned back
    int lastTurn = 0;                     // the code that set the last move's final heading, 0 none
    std::map<int, std::set<int>> knocks;  // shatter cell -> the moves that knocked it
};

bool isAngle(int code) { return code >= Code::AngleBottomRight && code <= Code::AngleTopLeft; }

// One move of the solution, watched tick by tick; false when it does not
// rest or solve.
bool watchMove(const Board& board, const GizmoStates& atStart, PlayState& state, int direction, int move, Notes& notes,
               int& changesSincePoint) {
    PlayState previous = state;
    int heading = Dir::None, lastTurn = 0;
    MoveResult result = MoveSimulator::play(board, state, direction, MoveSimulator::kDefaultTickCap,
                                            [&](const PlayState& now) {
        const GizmoStates &was = previous.gizmos, &is = now.gizmos;
        int x = now.ball.x, y = now.ball.y, code = board.code(x, y);
        TickWork tick = TickWork::between(board, previous, now);
        if (tick.work & TickWork::Teleport) notes.arrivals.insert(code);
        if (tick.work & TickWork::Recall) (changesSincePoint > 0 ? notes.recalledAfterWork : notes.recalledAtOnce) = true;
        if (is.recallX() != was.recallX() || is.recallY() != was.recallY()) changesSincePoint = 0;
        for (unsigned key : {TickWork::Key1, TickWork::Key2})
            if (tick.work & key) {
                int& taken = key == TickWork::Key1 ? notes.key1Move : notes.key2Move;
                if (taken < 0) taken = move;
                ++changesSincePoint;
            }
        for (int cell : tick.knocked) {
            notes.knocks[cell].insert(move);
            notes.boosterBreak = notes.boosterBreak || was.isPowered();
            ++changesSincePoint;
        }
        bool switched = tick.work & TickWork::Switch;
        notes.switchHits += switched;
        changesSincePoint += switched;
        if (now.ball.atCentre()) {
            if (code == Code::Lock1 && notes.key1Move >= 0) notes.throughDoor = true;
            if (code == Code::Floor && is.beamCrosses(x, y) && (is.isPowered() || was.isPowered()))
                notes.powerThroughBeam = true;
            if (code == Code::Floor && atStart.beamCrosses(x, y) && !is.beamCrosses(x, y) && notes.firstAway < 0)
                notes.firstAway = move;
        }
        int d = now.ball.direction;
        if (d != Dir::None) {
            if (heading != Dir::None && d != heading && (isAngle(code) || board.tileCategory(x, y) == Category::Booster))
                lastTurn = code;
            heading = d;
        }
        previous = now;
    });
    if (result.outcome == MoveOutcome::Solved) notes.lastTurn = lastTurn;
    if (result.outcome != MoveOutcome::Rested) return result.outcome == MoveOutcome::Solved;

    int x = state.ball.x, y = state.ball.y;
    if (board.tileCategory(x, y) == Category::Teleport) notes.teleportRests.insert(move);
    int ax = x, ay = y;
    Board::step(heading, ax, ay);
    int ahead = board.code(ax, ay);
    // Lock 2 starts open and a beam the start did not have was turned there:
    // either stopper is the work of a key or switch, this move's or earlier.
    if (ahead == Code::Lock2 && !board.canEnter(ax, ay, state.gizmos, heading)) notes.gapStopper = true;
    if (ahead == Code::Floor && state.gizmos.beamCrosses(ax, ay) && !state.gizmos.isPowered()) {
        if (!atStart.beamCrosses(ax, ay)) notes.newBeamStopper = true;
        else if (notes.firstAway >= 0 && notes.firstAway < move) notes.backStopper = true;
    }
    return true;
}

std::string kindsTaught(int kinds) {
    static const char* nouns[] = {"shatter blocks", "teleports",    "key 1",    "key 2",
                                  "the recall pad", "angle blocks", "boosters", "beams and the switch"};
    std::vector<std::string> parts;
    for (int i = 0; i < 8; ++i)
        if (kinds & (1 << i)) parts.push_back(nouns[i]);
    if (parts.empty()) return "teaches stopping against walls";
    std::string text = "teaches " + parts[0];
    for (size_t i = 1; i < parts.size(); ++i) text += (i + 1 == parts.size() ? " and " : ", ") + parts[i];
    return text;
}

}  // namespace

std::vector<std::string> SolutionIdeas::names(const Board& source, const std::string& solution, int lureRest) {
    Board board = source;
    board.locateStartAndEnd();
    Notes notes;
    PlayState state = PlayState::start(board);
    const GizmoStates atStart = state.gizmos;
    int changesSincePoint = 0;
    for (size_t move = 0; move < solution.size(); ++move)
        if (!watchMove(board, atStart, state, directionOfLetter(solution[move]), int(move), notes, changesSincePoint))
            return {};

    bool bothEnds = false;
    for (int code : notes.arrivals) bothEnds = bothEnds || notes.arrivals.count(Board::teleportPartner(code));
    bool knockedTwice = false;
    for (const auto& block : notes.knocks) knockedTwice = knockedTwice || block.second.size() >= 2;

    // Most telling first: ideas where one gizmo changes what another does,
    // then single tricks, then what any board with the piece would show.
    std::vector<std::string> out;
    auto add = [&](bool shown, const std::string& name) {
        if (shown) out.push_back(name);
    };
    add(notes.key1Move >= 0 && notes.key2Move >= 0, "key order");
    add(notes.gapStopper, "the closed gap is the stopper");
    add(notes.backStopper, "a beam turned away and back");
    add(notes.newBeamStopper, "the switch you cross sets the beam that stops you");
    add(notes.switchHits >= 2 && !notes.backStopper, "switch parity");
    add(bothEnds, "a teleport used from both ends");
    add(notes.recalledAfterWork, "the recall pad as a return ticket");
    add(notes.recalledAtOnce && !notes.recalledAfterWork, "the recall pad drops you onto the point");
    add(notes.boosterBreak, "a booster breaks a shatter block from afar");
    add(notes.powerThroughBeam, "power through a beam");
    add(isAngle(notes.lastTurn), "an angle block as a lift");
    add(notes.lastTurn && !isAngle(notes.lastTurn), "a booster as a lift");
    // The catalogue's partner stops the ball on the goal line: the rest the
    // last move starts from.
    add(notes.teleportRests.count(int(solution.size()) - 2) > 0, "the partner as a stopper");
    add(lureRest == 0, "the lure at the start");
    add(lureRest > 0, "the lure after move " + std::to_string(lureRest));
    add(knockedTwice, "knocking twice");
    add(notes.throughDoor && notes.key2Move < 0, "the door you fetch the key for");
    return out;
}

std::string SolutionIdeas::describe(const Board& board, const LevelMeasures& m, size_t most) {
    if (!m.solvable) return "unsolved";
    std::vector<std::string> found = names(board, m.solution, m.ideas.lureRest);
    std::vector<std::string> words;
    if (m.level >= 0 && m.level < Curriculum::kFirstPuzzle) words.push_back(kindsTaught(m.kinds));
    for (const std::string& name : found)
        if (words.size() < most) words.push_back(name);
    if (words.empty()) return "no catalogue idea";
    std::string text = words[0];
    for (size_t i = 1; i < words.size(); ++i) text += ", " + words[i];
    return text;
}

}  // namespace qm
