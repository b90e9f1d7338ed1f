// The level choice screen's pictures: its panel with the title and the keys,
// the level cell (open, chosen, not yet reached) and the level numbers.
#pragma once
#include <string>

namespace qm {

class LevelChoicePainter {
public:
    // Sizes the game lays the screen out by.
    static constexpr int kCellW = 110, kCellH = 62;
    static constexpr int kNumberW = 52, kNumberH = 30;
    static constexpr int kLevels = 161;
    static constexpr int kArrowW = 48, kArrowH = 16;

    static int writeAll(const std::string& media);
};

}  // namespace qm
