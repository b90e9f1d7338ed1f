// The game's text faces, set once here so the game can write any line at run
// time in the letters of its buttons: each face is a grid of glyph cells (the
// outline and shadow of character c in cell 2 (c - 32), its white fill in the
// cell after) and a text file of the face's measures and advances.
#pragma once
#include <string>

namespace qm {

class FontPainter {
public:
    static int writeAll(const std::string& media);
};

}  // namespace qm
