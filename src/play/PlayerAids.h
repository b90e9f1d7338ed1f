// The aids' picture beyond the classic game: the move count against the
// level's par and the player's best, and the "no way from here" notice. The
// level run keeps the figures; this only draws them.
#pragma once

namespace qm {

class LevelRun;

class PlayerAids {
public:
    static void draw(const LevelRun& run);
};

}  // namespace qm
