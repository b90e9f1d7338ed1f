// Pictures made by the level tool in the headless renderer: a board drawn by
// the game's own board drawing, and the plot of minimum moves per level.
#pragma once
#include <string>
#include <vector>
#include "play/LevelMap.h"

namespace qm {

class BoardPicture {
public:
    // Draws the board (with the ball on its start) over its art style's
    // background as the game frames it; media are read from `gameDir`.
    static bool render(const LevelMapPtr& board, int style, const std::string& gameDir, const std::string& outPng);
    // A bar per level, coloured by group, with axes and labels.
    static bool plotMoves(const std::vector<int>& moves, const std::string& outPng);
};

}  // namespace qm
