// The pictures a board is drawn with, and the one place that knows their
// files: the art style's tile set and background, the gizmo sheet, the tile
// border, the teleport pairs' marks, the ball. The game's asset catalogue
// loads them through these calls; the level tool loads one style's worth.
#pragma once
#include <string>
#include <vector>

#include "runtime/Image.h"

namespace qm {

class BoardArt {
public:
    static constexpr int kStyles = 33;
    // The teleport pairs' floor marks: 5 frames per art style, style after style.
    static constexpr int kPairMarks = 5;

    ImagePtr tileSet;      // 6 frames: floor, then the walls from the board's first wall code
    ImagePtr tileBorder;   // laid over each tile in the richer styles
    ImagePtr gizmos;       // 19 frames: locks, keys, shatter, angles, boosters, recall
    ImagePtr pairMarks;
    ImagePtr digits;       // the editor's teleport numbers
    ImagePtr editorTiles;  // the editor's guide arrows
    ImagePtr ball;
    ImagePtr background;   // drawn at (0, 0) by its corner
    // What the game shows with particles, for a still picture of a board.
    ImagePtr glow, spark;
    int style = 0;
    bool tileBorders = false;

    // Styles 2 on lay the border over their tiles.
    static bool bordersTiles(int style) { return style >= 2; }

    // Each picture loaded as the game loads it (handles at the centre but
    // for the background); a style without its tile set or background falls
    // back to style 0's.
    static ImagePtr loadTileSet(int style);
    static ImagePtr loadBackground(int style);
    static ImagePtr loadTileBorder();
    static ImagePtr loadGizmos();
    static ImagePtr loadPairMarks();
    static ImagePtr loadDigits();
    static ImagePtr loadBall();
    // The files the calls above read, for decoding them ahead.
    static std::vector<std::string> files();

    // Everything for a still picture of a board in one art style, read from
    // the working folder's "media".
    static BoardArt load(int style);
};

}  // namespace qm
