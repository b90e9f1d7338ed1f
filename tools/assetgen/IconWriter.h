// The window icon, system/chest.ico: an ICO file holding one PNG image.
#pragma once
#include <string>

namespace qm {

class IconWriter {
public:
    static const int size = 64;
    static bool write(const std::string& path);
};

}  // namespace qm
