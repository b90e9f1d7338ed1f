// Shaping boards and editing them; see the header.
#include "BoardShaper.h"

#include <algorithm>

#include "LevelFile.h"
#include "runtime/Random.h"

namespace qm {

namespace {

bool onFrame(int x, int y) { return x == 0 || y == 0 || x == kBoardWidth - 1 || y == kBoardHeight - 1; }

// The cell in front of a frame cell, towards the middle of the board.
void inward(int x, int y, int& ix, int& iy) {
    ix = x == 0 ? 1 : x == kBoardWidth - 1 ? kBoardWidth - 2 : x;
    iy = y == 0 ? 1 : y == kBoardHeight - 1 ? kBoardHeight - 2 : y;
}

using Cell = std::pair<int, int>;

const Cell& pick(const std::vector<Cell>& cells) { return cells[size_t(randomInt(0, int(cells.size()) - 1))]; }

// Pieces of one kind of gizmo: the codes that belong to it, how many the
// board may hold, and the code a new one gets.
struct Family {
    int feature;
    int low, high;  // codes
    int most;
};

int countOf(const Board& board, int low, int high) {
    int n = 0;
    for (int x = 0; x < kBoardWidth; ++x)
        for (int y = 0; y < kBoardHeight; ++y) n += board.cells[x][y] >= low && board.cells[x][y] <= high;
    return n;
}

}  // namespace

BoardPtr BoardShaper::copyOf(const Board& board) {
    auto copy = std::make_shared<Board>();
    for (int x = 0; x < kBoardWidth; ++x)
        for (int y = 0; y < kBoardHeight; ++y) copy->cells[x][y] = board.cells[x][y];
    copy->entryX = board.entryX;
    copy->entryY = board.entryY;
    LevelFile::settle(*copy);
    return copy;
}

Board BoardShaper::tidied(const Board& board, const StateGraph& graph) {
    Board out = board;
    auto rock = [](int x, int y) { return Code::FrameWall + (x * 7 + y * 3) % 2; };
    auto crossed = [&](int x, int y) { return graph.crossed[size_t(x * kBoardHeight + y)] != 0; };
    for (int x = 1; x < kBoardWidth - 1; ++x)
        for (int y = 1; y < kBoardHeight - 1; ++y) {
            if (crossed(x, y)) continue;
            int& code = out.cells[x][y];
            bool stopper = (code >= Code::AngleBottomRight && code <= Code::AngleTopLeft) ||
                           (out.tileCategory(x, y) == Category::Shatter &&
                            !graph.changed[size_t(x * kBoardHeight + y)]);
            bool loose = out.tileCategory(x, y) == Category::Teleport || code == Code::Key1 || code == Code::Key2 ||
                         code == Code::RecallPoint || code == Code::RecallPad || code == Code::Switch ||
                         out.tileCategory(x, y) == Category::Booster;
            if (stopper) code = rock(x, y);
            else if (loose) code = kFloor;
        }
    // Pockets: groups of open cells, side by side, that the ball never crosses.
    int group[20][14];
    for (auto& column : group) std::fill(std::begin(column), std::end(column), -1);
    std::vector<Cell> stack, members;
    for (int x = 0; x < kBoardWidth; ++x)
        for (int y = 0; y < kBoardHeight; ++y) {
            if (group[x][y] >= 0 || isWall(out.cells[x][y])) continue;
            bool reached = false;
            members.clear();
            stack.assign(1, {x, y});
            group[x][y] = 1;
            while (!stack.empty()) {
                Cell c = stack.back();
                stack.pop_back();
                members.push_back(c);
                reached = reached || crossed(c.first, c.second);
                static const int dx[4] = {0, 1, 0, -1}, dy[4] = {-1, 0, 1, 0};
                for (int d = 0; d < 4; ++d) {
                    int nx = c.first + dx[d], ny = c.second + dy[d];
                    if (nx < 0 || ny < 0 || nx >= kBoardWidth || ny >= kBoardHeight || group[nx][ny] >= 0 ||
                        isWall(out.cells[nx][ny]))
                        continue;
                    group[nx][ny] = 1;
                    stack.push_back({nx, ny});
                }
            }
            if (reached) continue;
            for (const Cell& c : members)
                if (out.cells[c.first][c.second] == kFloor) out.cells[c.first][c.second] = rock(c.first, c.second);
        }
    return out;
}

int BoardShaper::stoneBudget() const { return plan.teaching ? 4 + plan.level / 4 : 8 + plan.level / 12; }

bool BoardShaper::randomFloorCell(const Board& board, int& x, int& y) const {
    for (int tries = 0; tries < 400; ++tries) {
        x = randomInt(1, kBoardWidth - 2);
        y = randomInt(1, kBoardHeight - 2);
        if (fixed[x][y] != kFixed && board.cells[x][y] == kFloor) return true;
    }
    return false;
}

BoardPtr BoardShaper::shape(const Board& skeleton) {
    auto board = copyOf(skeleton);
    for (int x = 0; x < kBoardWidth; ++x)
        for (int y = 0; y < kBoardHeight; ++y) fixed[x][y] = onFrame(x, y) ? kFixed : kFree;
    int ix, iy;
    inward(board->startX, board->startY, ix, iy);
    fixed[ix][iy] = kFixed;
    inward(board->endX, board->endY, ix, iy);
    fixed[ix][iy] = kFixed;

    // Partition walls divide the board into rooms joined by doorways; a
    // teaching board gets at most one, later boards up to three.
    std::vector<Cell> doorways;
    int partitions = plan.teaching ? randomInt(0, 1) : 1 + randomInt(0, 1) + (plan.level >= 60 ? randomInt(0, 1) : 0);
    for (int p = 0; p < partitions; ++p) {
        for (int tries = 0; tries < 30; ++tries) {
            bool vertical = randomInt(0, 1) == 1;
            int line = vertical ? randomInt(4, 15) : randomInt(4, 9);
            int length = vertical ? kBoardHeight - 2 : kBoardWidth - 2;
            // A wall right beside another parallel one makes a corridor.
            bool crowded = false;
            for (int d = -2; d <= 2; ++d) {
                int touching = 0;
                for (int t = 1; t <= length; ++t) {
                    int x = vertical ? line + d : t, y = vertical ? t : line + d;
                    if (x > 0 && x < kBoardWidth && y > 0 && y < kBoardHeight && fixed[x][y] == kPartition) ++touching;
                }
                crowded = crowded || touching > 1;
            }
            if (crowded) continue;
            int from = 1, to = length;
            if (randomInt(0, 2) == 0) {  // a spur from one side only
                if (randomInt(0, 1)) to = randomInt(length / 2, length - 3);
                else from = randomInt(4, length / 2 + 1);
            }
            std::vector<int> gapAt;
            for (int g = randomInt(1, 2); g > 0; --g) gapAt.push_back(randomInt(from, to));
            for (int t = from; t <= to; ++t) {
                int x = vertical ? line : t, y = vertical ? t : line;
                if (fixed[x][y] == kFixed) continue;
                fixed[x][y] = kPartition;
                if (std::find(gapAt.begin(), gapAt.end(), t) != gapAt.end()) {
                    board->cells[x][y] = kFloor;
                    doorways.push_back({x, y});
                } else {
                    board->cells[x][y] = randomInt(Code::PieceWall, Code::PieceWall + 1);
                }
            }
            break;
        }
    }
    placeFeatures(*board, doorways);
    int stones = randomInt(stoneBudget() / 3, stoneBudget() / 2 + 1);
    for (int i = 0; i < stones; ++i) {
        int x, y;
        if (randomFloorCell(*board, x, y)) board->cells[x][y] = randomInt(Code::StoneWall, Code::StoneWall + 1);
    }
    LevelFile::settle(*board);
    return board;
}

void BoardShaper::placeFeatures(Board& board, const std::vector<Cell>& doorways) {
    auto place = [&](int code, bool inDoorway) {
        if (inDoorway) {
            std::vector<Cell> open;
            for (const Cell& cell : doorways)
                if (board.cells[cell.first][cell.second] == kFloor) open.push_back(cell);
            if (!open.empty()) {
                const Cell& cell = pick(open);
                board.cells[cell.first][cell.second] = code;
                return;
            }
        }
        int x, y;
        if (randomFloorCell(board, x, y)) board.cells[x][y] = code;
    };
    int f = plan.features;
    if (f & FEATURE_SHATTER)
        for (int n = 1 + randomInt(0, 1); n > 0; --n)
            place(randomInt(0, 2) == 0 ? Code::WeakShatter : Code::Shatter, true);
    if (f & FEATURE_TELEPORT) { place(Code::FirstTeleport, false); place(Code::FirstTeleport + 1, false); }
    if (f & FEATURE_KEY1) { place(Code::Lock1, true); place(Code::Key1, false); }
    if (f & FEATURE_KEY2) { place(Code::Lock2, true); place(Code::Key2, false); }
    if (f & FEATURE_RECALL) { place(Code::RecallPoint, false); place(Code::RecallPad, false); }
    if (f & FEATURE_ANGLE)
        for (int n = 1 + randomInt(0, 1); n > 0; --n)
            place(randomInt(Code::AngleBottomRight, Code::AngleTopLeft), false);
    if (f & FEATURE_BOOSTER)
        for (int n = 1 + randomInt(0, 1); n > 0; --n) place(randomInt(Code::BoosterRight, Code::BoosterUp), false);
    if (f & FEATURE_BEAM) {
        for (int n = 1 + randomInt(0, 1); n > 0; --n)
            place(randomInt(0, 1) ? Code::BeamHorizontal : Code::BeamVertical, false);
        place(Code::Switch, false);
    }
}

namespace {

// How many pieces of each kind a board may hold. Pairs of teleports, a
// single key for each lock kind (taking one works every lock of its kind).
std::vector<Family> families(const LevelPlan& plan) {
    bool later = plan.level >= 60;
    std::vector<Family> out;
    if (plan.features & FEATURE_SHATTER)
        out.push_back({FEATURE_SHATTER, Code::WeakShatter, Code::Shatter, plan.level >= 40 ? 3 : 2});
    if (plan.features & FEATURE_KEY1) out.push_back({FEATURE_KEY1, Code::Lock1, Code::Lock1, 2});
    if (plan.features & FEATURE_KEY2) out.push_back({FEATURE_KEY2, Code::Lock2, Code::Lock2, 2});
    if (plan.features & FEATURE_RECALL) {
        out.push_back({FEATURE_RECALL, Code::RecallPoint, Code::RecallPoint, later ? 2 : 1});
        out.push_back({FEATURE_RECALL, Code::RecallPad, Code::RecallPad, 2});
    }
    if (plan.features & FEATURE_ANGLE)
        out.push_back({FEATURE_ANGLE, Code::AngleBottomRight, Code::AngleTopLeft, later ? 4 : 3});
    if (plan.features & FEATURE_BOOSTER)
        out.push_back({FEATURE_BOOSTER, Code::BoosterRight, Code::BoosterUp, later ? 3 : 2});
    if (plan.features & FEATURE_BEAM) {
        out.push_back({FEATURE_BEAM, Code::BeamHorizontal, Code::BeamHorizontal, 2});
        out.push_back({FEATURE_BEAM, Code::BeamVertical, Code::BeamVertical, 2});
    }
    return out;
}

}  // namespace

int BoardShaper::pieceToAdd(const Board& board) const {
    std::vector<Family> open;
    for (const Family& f : families(plan))
        if (countOf(board, f.low, f.high) < f.most) open.push_back(f);
    if (open.empty()) return 0;
    const Family& f = open[size_t(randomInt(0, int(open.size()) - 1))];
    return randomInt(f.low, f.high);
}

bool BoardShaper::removablePiece(const Board& board, int code) const {
    for (const Family& f : families(plan)) {
        if (code < f.low || code > f.high) continue;
        // Beam blocks of either direction share one lower limit.
        if (f.feature == FEATURE_BEAM)
            return countOf(board, Code::BeamHorizontal, Code::BeamHorizontal) +
                       countOf(board, Code::BeamVertical, Code::BeamVertical) >
                   1;
        return countOf(board, f.low, f.high) > 1;
    }
    return false;
}

bool BoardShaper::mutate(Board& board) {
    std::vector<Cell> pieces, stones, floors, partitions;
    for (int x = 1; x < kBoardWidth - 1; ++x)
        for (int y = 1; y < kBoardHeight - 1; ++y) {
            if (fixed[x][y] == kFixed) continue;
            int code = board.cells[x][y];
            if (fixed[x][y] == kPartition) partitions.push_back({x, y});
            if (code == kFloor) floors.push_back({x, y});
            else if (fixed[x][y] != kPartition || !isWall(code)) pieces.push_back({x, y});
            if (isWall(code) && fixed[x][y] != kPartition) stones.push_back({x, y});
        }
    if (floors.empty()) return false;
    int roll = randomInt(0, 99);
    if (roll < 30 && !pieces.empty()) {  // a piece moves anywhere
        const Cell& a = pick(pieces);
        const Cell& b = pick(floors);
        std::swap(board.cells[a.first][a.second], board.cells[b.first][b.second]);
        return true;
    }
    if (roll < 50 && !pieces.empty()) {  // a piece moves one cell
        const Cell& a = pick(pieces);
        static const int dx[4] = {0, 1, 0, -1}, dy[4] = {-1, 0, 1, 0};
        int d = randomInt(0, 3);
        int bx = a.first + dx[d], by = a.second + dy[d];
        if (!editable(bx, by) || board.cells[bx][by] != kFloor) return false;
        std::swap(board.cells[a.first][a.second], board.cells[bx][by]);
        return true;
    }
    if (roll < 62 && int(stones.size()) < stoneBudget()) {
        const Cell& b = pick(floors);
        board.cells[b.first][b.second] = randomInt(Code::StoneWall, Code::StoneWall + 1);
        return true;
    }
    if (roll < 74 && !stones.empty()) {
        const Cell& a = pick(stones);
        board.cells[a.first][a.second] = kFloor;
        return true;
    }
    if (roll < 82 && !pieces.empty()) {  // a piece turns
        const Cell& a = pick(pieces);
        int& code = board.cells[a.first][a.second];
        if (code >= Code::BoosterRight && code <= Code::BoosterUp)
            code = randomInt(Code::BoosterRight, Code::BoosterUp);
        else if (code >= Code::AngleBottomRight && code <= Code::AngleTopLeft)
            code = randomInt(Code::AngleBottomRight, Code::AngleTopLeft);
        else if (code == Code::WeakShatter || code == Code::Shatter) code = Code::WeakShatter + Code::Shatter - code;
        else if (code == Code::BeamHorizontal || code == Code::BeamVertical)
            code = Code::BeamHorizontal + Code::BeamVertical - code;
        else return false;
        return true;
    }
    if (roll < 90 && !partitions.empty()) {  // a doorway opens or closes
        const Cell& a = pick(partitions);
        int& code = board.cells[a.first][a.second];
        if (isWall(code)) code = kFloor;
        else if (code == kFloor) code = randomInt(Code::PieceWall, Code::PieceWall + 1);
        else return false;
        return true;
    }
    if (roll < 95) {
        int code = pieceToAdd(board);
        if (!code) return false;
        const Cell& b = pick(floors);
        board.cells[b.first][b.second] = code;
        return true;
    }
    if (pieces.empty()) return false;
    const Cell& a = pick(pieces);
    if (!removablePiece(board, board.cells[a.first][a.second])) return false;
    board.cells[a.first][a.second] = kFloor;
    return true;
}

}  // namespace qm
