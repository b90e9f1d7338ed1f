// Builds the game's boards for tests from rows of text (the characters of
// rules/BoardText.h), so a test shows the board it plays on.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "play/LevelMap.h"
#include "rules/BoardText.h"

namespace qm::test {

// The board is built in code (no file), its gizmos built from it, and the
// ball placed on the start by a restart, as when a level starts.
inline std::shared_ptr<LevelMap> mapFromText(const std::vector<std::string>& rows, int levelNumber = 0,
                                             char fill = '.') {
    auto board = LevelMap::createEmpty(levelNumber);
    fillFromText(*board, rows, fill);
    board->restart();
    return board;
}

}  // namespace qm::test
