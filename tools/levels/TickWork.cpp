#include "TickWork.h"

#include <cstdlib>

namespace qm {

TickWork TickWork::between(const Board& board, const PlayState& before, const PlayState& after) {
    TickWork t;
    // A key is taken when its lock begins to change.
    for (int i = 0; i < 2; ++i)
        if (before.gizmos.lockStates[i] != after.gizmos.lockStates[i] && after.gizmos.lockStates[i] == 2)
            t.work |= i == 0 ? Key1 : Key2;
    if (std::abs(before.ball.x - after.ball.x) + std::abs(before.ball.y - after.ball.y) > 1)
        t.work |= board.tileCategory(after.ball.x, after.ball.y) == Category::Teleport ? Teleport : Recall;
    int under = board.tileCategory(after.ball.x, after.ball.y);
    if (after.ball.atCentre() && under == Category::Booster) t.work |= Booster;
    if (after.ball.atCentre() && under >= Code::AngleBottomRight && under <= Code::AngleTopLeft) t.work |= Angle;
    for (int x = 0; x < kBoardWidth; ++x)
        for (int y = 0; y < kBoardHeight; ++y) {
            if (before.gizmos.cellStates[x][y] == after.gizmos.cellStates[x][y]) continue;
            int c = board.tileCategory(x, y);
            if (c == Category::BeamBlock) t.work |= Switch;
            if (c == Category::Shatter) {
                t.work |= Shatter;
                t.knocked.push_back(x * kBoardHeight + y);
            }
        }
    return t;
}

}  // namespace qm
