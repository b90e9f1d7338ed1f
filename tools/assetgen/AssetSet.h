// The list of every file the game loads, and who draws or composes it.
#pragma once
#include <string>

namespace qm {

class AssetSet {
public:
    // Writes the whole set under root (root/media/..., root/system/...). Returns the failure count.
    static int writeAll(const std::string& root);
    // Contact sheets of the styles, gizmos and menus, and a picture of the
    // music (waveforms, spectrograms, loop points), for review.
    static int writeSheets(const std::string& dir);
};

}  // namespace qm
