// Hand-made boards: levels/designed/NNN.txt (NNN the level number, three
// digits) holds a whole board in the text legend (rules/TextBoard.h). They are
// inputs to the campaign: the route is planned around them, `generate` installs
// them rather than making them, and `install` writes them into the level files
// of a finished campaign, joining the next level to them.
#pragma once
#include <string>
#include <vector>

#include "LevelFile.h"

namespace qm {

class DesignedLevels {
public:
    // levels/designed/024.txt for level 24 of the folder `levelsDir`.
    static std::string pathFor(const std::string& levelsDir, int level);
    // The levels that have a designed board, in order.
    static std::vector<int> list(const std::string& levelsDir);
    // The designed board of `level`, its walls plain (code 10); null when the
    // level has none or when it is not a board a level can be (then `problem`
    // says why: one start and one end, both on the frame, 14 rows of 20).
    static BoardPtr read(const std::string& levelsDir, int level, std::string* problem);
    // What the designer wrote after "; idea:" in the file; empty when nothing.
    static std::string idea(const std::string& levelsDir, int level);

    // Walls dressed as the generator dresses its own, so a designed board does
    // not look flatter than its neighbours: frame cells keep the wall code
    // `frame` has there (its route), wall pieces inside take the partition
    // variants and stones standing alone the stone variants, picked by cell.
    static void dress(Board& board, const Board& frame);
    // Whether two boards hold the same cells, walls of any variant counting as
    // one; otherwise `where` names the first cell that differs.
    static bool sameCells(const Board& a, const Board& b, std::string* where);

    // Writes the designed board of `level` into its level file (tile set and
    // entry as the file had them, the entry line as the level before gives it)
    // and joins the next level's entry line to it. Refuses, changing nothing,
    // when either join would change more than wall variants; `report` says
    // what was done or why not.
    static bool install(const std::string& levelsDir, int level, std::string* report);
    // Whether the level file of `level` holds its designed board.
    static bool installed(const std::string& levelsDir, int level, std::string* problem);
};

}  // namespace qm
