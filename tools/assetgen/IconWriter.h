// The game's icon: system/chest.ico for the window, an ICO file holding one
// PNG image, and that PNG as system/icon.png for the desktop entry.
#pragma once
#include <string>

namespace qm {

class IconWriter {
public:
    static const int size = 64;
    static bool write(const std::string& icoPath, const std::string& pngPath);
};

}  // namespace qm
