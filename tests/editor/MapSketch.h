// The game's boards for the editor tests, drawn in the characters of
// rules/BoardSketch.h: the cells written directly (no searches on the way),
// start and end set the way loading does, fresh gizmo states.
#pragma once
#include <string>
#include <vector>

#include "play/LevelMap.h"
#include "rules/BoardSketch.h"

namespace qm::test {

inline LevelMapPtr sketchMap(const std::vector<std::string>& rows, int levelNumber = 0) {
    LevelMapPtr board = LevelMap::createEmpty(levelNumber);
    fillFromSketch(*board, rows);
    board->play.gizmos = GizmoStates::createFrom(*board);
    return board;
}

}  // namespace qm::test
