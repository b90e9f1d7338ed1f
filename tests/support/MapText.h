// The game's boards for tests, drawn in the legend of support/BoardText.h.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "play/LevelMap.h"
#include "support/BoardText.h"

namespace qm::test {

// Built in code (no file), the ball placed on the start by a restart, as
// when a level starts.
inline std::shared_ptr<LevelMap> mapFromText(const std::vector<std::string>& rows, int levelNumber = 0,
                                             char fill = '.') {
    auto board = LevelMap::createEmpty(levelNumber);
    fillFromText(*board, rows, fill);
    board->restart();
    return board;
}

// The cells written directly, with fresh gizmo states and no restart: the
// board as the editor finds it, before anything plays or searches on it.
inline std::shared_ptr<LevelMap> drawnMapFromText(const std::vector<std::string>& rows, int levelNumber = 0) {
    auto board = LevelMap::createEmpty(levelNumber);
    fillFromText(*board, rows);
    board->play.gizmos = GizmoStates::createFrom(*board);
    return board;
}

}  // namespace qm::test
