// The game's icon: system/chest.ico for the window, an ICO file holding one
// PNG image, that PNG as system/icon.png for the desktop entry, and a large
// one for the browser version's home screen.
#pragma once
#include <string>

namespace qm {

class IconWriter {
public:
    static const int size = 64;
    static const int largeSize = 512;
    static bool write(const std::string& icoPath, const std::string& pngPath, const std::string& largePngPath);
};

}  // namespace qm
