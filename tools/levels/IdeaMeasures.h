// What a level asks of a player beyond finding stoppers: how many moves of
// its solution work a gizmo, how many lean on what an earlier move changed,
// whether the obvious move is a trap, how long a player who guesses takes,
// and whether the walls read as shapes or as scattered stones.
#pragma once
#include <string>

namespace qm {

struct IdeaMeasures {
    // Moves of the quickest shortest solution: during a gizmo move the ball
    // takes a key, crosses a switch, is teleported or recalled, is turned by
    // an angle block or booster, or cracks or breaks a shatter block. A plain
    // move is any other move that stops against a wall.
    int gizmoMoves = 0;
    // The gizmos the solution works, in order, runs counted: "key2, teleport x2".
    std::string worked;
    int plainMoves = 0;
    // Gizmo moves that only knock the same shatter block again, the run's
    // first knock aside: padding, not difficulty (what the generator scores).
    int grindMoves = 0;
    // Moves that knock a shatter block an earlier move knocked, or rest on a
    // cell the ball rested on before, beyond the first two such moves: one
    // back-and-forth (knocking twice) is free, a loop on one block is not.
    int grind = 0;
    // The part of the grind that loops on shatter blocks: knocking a block
    // again, or coming back to a rest when a block was knocked since the ball
    // left it, beyond the first two. A teleport crossed both ways or a walk
    // back to a recall point returns to a rest with no block knocked between:
    // an idea, not padding, so only this part is what the generator refuses.
    int shatterGrind = 0;
    // Moves that, played from the same rest with the gizmos as the level
    // starts, would end somewhere else.
    int dependentMoves = 0;
    // At some rest on the solution, the move whose resting cell is nearest
    // the end leads into a dead state.
    bool lure = false;
    int lureRest = -1;  // the first rest of the solution that offers it, 0 the start
    // The ideas of the catalogue the solution shows, most telling first:
    // "key order, the closed gap is the stopper" (SolutionIdeas).
    std::string named;
    // Expected moves of a player who picks uniformly among the moves that
    // change the state and takes back any move into a dead state.
    double noviceMoves = 0;
    // Interior wall cells with no wall on their four sides, all interior
    // wall cells, and wall pieces (side by side) of 4 cells or more.
    int loneStones = 0;
    int interiorWalls = 0;
    int bigPieces = 0;
};

}  // namespace qm
