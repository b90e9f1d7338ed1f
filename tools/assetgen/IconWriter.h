// The game's icon: system/chest.ico for the window, an ICO file holding one
// 64-pixel PNG image, and the same picture at the sizes a desktop theme asks
// for (16 to 256 pixels) for the desktop entry and software centres.
#pragma once
#include <string>

namespace qm {

class IconWriter {
public:
    static const int size = 64;
    static bool write(const std::string& icoPath);
    // DIR/NxN/apps/quillmere.png for each size, the layout of an icon theme.
    static int writeThemeSizes(const std::string& dir);
};

}  // namespace qm
