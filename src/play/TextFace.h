// The one text routine of the game's screens: lines set in the faces the
// buttons and titles are drawn in, from glyph grids made when the game is
// built. The fill takes the current colour and alpha; the dark edge round
// each letter keeps it readable on any picture. Without its files a face
// falls back to the built-in 8 x 16 font.
#pragma once
#include <string>

namespace qm {

class TextFace {
public:
    enum Face : int { LABEL = 0, SMALL = 1, TITLE = 2, FACE_COUNT = 3 };
    enum Align : int { LEFT = 0, CENTRE = 1, RIGHT = 2 };

    // Loads every face from "media\font*.png" and ".txt"; once per run.
    static void load();
    // Drops the faces (a fresh set of globals in a test).
    static void forget();
    static bool loaded(Face face);
    // The advance of a line in pixels.
    static int width(Face face, const std::string& text);
    // The line height: from one baseline to the next.
    static int lineHeight(Face face);
    // Draws a line with its baseline at y; x is its left end, centre or right
    // end. Characters outside 32..126 are skipped.
    static void draw(Face face, const std::string& text, float x, float y, Align align = LEFT);
};

}  // namespace qm
