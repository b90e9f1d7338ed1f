// Planting an idea's pieces on the goal line; see the header.
#include "IdeaPlanter.h"

#include <vector>

#include "runtime/Random.h"

namespace qm {

namespace {

int reverse(int direction) { return direction == Dir::Up ? Dir::Down : direction == Dir::Down ? Dir::Up
                                    : direction == Dir::Left ? Dir::Right : Dir::Left; }

int boosterTowards(int direction) {
    switch (direction) {
        case Dir::Up: return Code::BoosterUp;
        case Dir::Down: return Code::BoosterDown;
        case Dir::Left: return Code::BoosterLeft;
        default: return Code::BoosterRight;
    }
}

}  // namespace

int IdeaPlanter::plant(Board& board, const LevelPlan& plan, const FreeCell& free) {
    // The goal line runs inward from the end; the last move rolls back along it.
    int inward = Board::nearestEdge(board.endX, board.endY);
    inward = reverse(inward);
    int toEnd = reverse(inward);
    std::vector<bool> used(32, false);
    // The cell `depth` steps in from the end, on the line or `side` cells beside it.
    auto cellAt = [&](int depth, int side, int& x, int& y) {
        x = board.endX;
        y = board.endY;
        for (int i = 0; i < depth; ++i) Board::step(inward, x, y);
        int across = inward == Dir::Up || inward == Dir::Down ? Dir::Right : Dir::Down;
        for (int i = 0; i < (side < 0 ? -side : side); ++i) Board::step(side < 0 ? reverse(across) : across, x, y);
        return Board::onBoard(x, y) && free(x, y) && board.cells[x][y] == Code::Floor;
    };
    // A free depth on the line, between `low` and `high`, not taken yet.
    auto place = [&](int code, int low, int high, int side) {
        for (int tries = 0; tries < 8; ++tries) {
            int depth = randomInt(low, high), x, y;
            if (depth < 0 || depth >= int(used.size()) || used[size_t(depth)] || !cellAt(depth, side, x, y)) continue;
            used[size_t(depth)] = true;
            board.cells[x][y] = code;
            return depth;
        }
        return -1;
    };
    int f = plan.features, planted = 0;
    if ((f & FEATURE_SHATTER) && (f & FEATURE_BOOSTER)) {
        // A booster behind a shatter block breaks it from afar.
        int depth = place(randomInt(0, 1) ? Code::Shatter : Code::WeakShatter, 2, 4, 0);
        if (depth > 0 && place(boosterTowards(toEnd), depth + 2, depth + 6, 0) > 0) planted |= FEATURE_SHATTER | FEATURE_BOOSTER;
    }
    if ((f & FEATURE_KEY2) && place(Code::Lock2, 2, 8, randomInt(0, 1) ? 1 : -1) > 0) planted |= FEATURE_KEY2;
    if ((f & FEATURE_KEY1) && place(Code::Lock1, 1, 3, 0) > 0) planted |= FEATURE_KEY1;
    if ((f & FEATURE_ANGLE) && place(randomInt(Code::AngleBottomRight, Code::AngleTopLeft), 2, 8, 0) > 0)
        planted |= FEATURE_ANGLE;
    if ((f & FEATURE_BOOSTER) && !(planted & FEATURE_BOOSTER) && place(boosterTowards(toEnd), 3, 9, 0) > 0)
        planted |= FEATURE_BOOSTER;
    if ((f & FEATURE_TELEPORT) && place(Code::FirstTeleport + 1, 2, 9, 0) > 0) planted |= FEATURE_TELEPORT;
    if ((f & FEATURE_RECALL) && place(Code::RecallPoint, 2, 9, 0) > 0) planted |= FEATURE_RECALL;
    if ((f & FEATURE_BEAM) &&
        place(randomInt(0, 1) ? Code::BeamHorizontal : Code::BeamVertical, 2, 8, randomInt(0, 1) ? 2 : -2) > 0)
        planted |= FEATURE_BEAM;
    // The other halves: the key, the first teleport, the pad, the switch,
    // somewhere on the board.
    auto anywhere = [&](int code) {
        for (int tries = 0; tries < 400; ++tries) {
            int x = randomInt(1, kBoardWidth - 2), y = randomInt(1, kBoardHeight - 2);
            if (free(x, y) && board.cells[x][y] == Code::Floor) {
                board.cells[x][y] = code;
                return;
            }
        }
    };
    if (planted & FEATURE_KEY2) anywhere(Code::Key2);
    if (planted & FEATURE_KEY1) anywhere(Code::Key1);
    if (planted & FEATURE_TELEPORT) anywhere(Code::FirstTeleport);
    if (planted & FEATURE_RECALL) anywhere(Code::RecallPad);
    if (planted & FEATURE_BEAM) anywhere(Code::Switch);
    return planted;
}

void IdeaPlanter::wallPieces(Board& board, int cells, const FreeCell& free) {
    for (int tries = 0; cells > 0 && tries < 60; ++tries) {
        int x = randomInt(1, kBoardWidth - 2), y = randomInt(1, kBoardHeight - 2);
        int direction = randomInt(Dir::Up, Dir::Left), length = randomInt(3, 5);
        // An L: the last cell turns a corner.
        bool bend = randomInt(0, 2) == 0;
        std::vector<std::pair<int, int>> piece;
        for (int i = 0; i < length; ++i) {
            if (!Board::onBoard(x, y) || !free(x, y) || board.cells[x][y] != Code::Floor) break;
            piece.push_back({x, y});
            Board::step(i == length - 2 && bend ? (direction % 4) + 1 : direction, x, y);
        }
        if (piece.size() < 2) continue;
        for (auto& cell : piece) board.cells[cell.first][cell.second] = randomInt(WallLook::Stone, WallLook::Stone + 1);
        cells -= int(piece.size());
    }
}

}  // namespace qm
