// Pictures made by the level tool in the headless renderer: a board drawn by
// the game's own board drawing, and plots of a figure per level.
#pragma once
#include <string>
#include <vector>
#include "LevelFile.h"

namespace qm {

class BoardPicture {
public:
    // Draws the board (with the ball on its start) over its art style's
    // background as the game frames it; media are read from `gameDir`.
    static bool render(const BoardPtr& board, int style, const std::string& gameDir, const std::string& outPng);
    // A bar per level, coloured by group of five, with the median of every
    // 20 levels drawn across, axes and labels.
    static bool plotPerLevel(const std::vector<int>& values, const std::string& title, const std::string& unit,
                             const std::string& outPng);
};

}  // namespace qm
