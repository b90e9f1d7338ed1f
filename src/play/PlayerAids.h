// The aids' picture beyond the classic game: the level's name, the move count
// against the level's par and the player's best, the "no way from here"
// notice and the word of a solved level. The level run keeps the figures;
// this draws them, and times the solved word, which stays over the slide.
#pragma once
#include <memory>

#include "runtime/Image.h"

namespace qm {

class LevelRun;

class PlayerAids {
public:
    static constexpr int kSolvedTicks = 150;
    // Counts down while the word of a solved level shows; its moves.
    int solvedTicks = 0;
    int solvedMoves = 0;

    static std::shared_ptr<PlayerAids> create();
    // Once per logic step, before the board's.
    void beginStep() {
        if (solvedTicks > 0) solvedTicks--;
    }
    // The level was solved in this many moves: the word shows.
    void showSolved(int moves) {
        solvedTicks = kSolvedTicks;
        solvedMoves = moves;
    }
    void draw(const LevelRun& run, int levelNumber) const;

private:
    ImagePtr movesBox, levelPlate;
    void drawSolvedWord(int par) const;
};

}  // namespace qm
