// The fixed part of a level: 20 x 14 tile codes with the start, the end and
// the entry, the categories the codes fall into, and which cells the ball may
// enter. Nothing here changes while a level is played; what does is a
// PlayState.
#pragma once

namespace qm {

class GizmoStates;

constexpr int kBoardWidth = 20;
constexpr int kBoardHeight = 14;
constexpr int kLastLevel = 160;

// Directions, the same everywhere: the ball, boosters, beams, the hover arrow.
namespace Dir {
enum : int { None = 0, Up = 1, Right = 2, Down = 3, Left = 4 };
}

// The tile codes the rules name.
namespace Code {
enum : int {
    WallBrush = 0,
    Start = 1,
    End = 2,
    Floor = 3,
    RecallPoint = 7,
    RecallPad = 8,
    Switch = 9,
    // The wall codes a board's walls come in, one look each in the tile set:
    // two of the frame's, two of pieces and partitions, two of stones.
    FirstWall = 10,
    FrameWall = 10,
    PieceWall = 12,
    StoneWall = 14,
    LastWall = 15,
    FirstTeleport = 16,
    LastTeleport = 25,
    Key1 = 31,
    Key2 = 32,
    Lock1 = 33,
    Lock2 = 34,
    BoosterRight = 115,
    BoosterLeft = 116,
    BoosterDown = 117,
    BoosterUp = 118,
    AngleBottomRight = 119,
    AngleBottomLeft = 120,
    AngleTopRight = 121,
    AngleTopLeft = 122,
    BeamHorizontal = 124,
    WeakShatter = 125,
    Shatter = 126,
    BeamVertical = 127,
    // The editor's guide arrows, drawn only while it is on.
    FirstGuideArrow = 252,
    LastGuideArrow = 255,
};
}

// What tileCategory groups the codes into; codes of no group are their own
// category (start 1, end 2, floor 3, recall 7 and 8, switch 9, the angle
// blocks 119 to 122, the guide arrows 252 to 255).
namespace Category {
enum : int {
    OffBoard = -2,
    Wall = 0,
    Teleport = 4,
    Key = 5,
    Lock = 6,
    BeamBlock = 113,
    Booster = 114,
    Shatter = 126,
};
}

class Board {
public:
    int cells[kBoardWidth][kBoardHeight] = {};
    int startX = 0, startY = 0;
    int endX = -1, endY = -1;
    int entryX = 0, entryY = 0;
    int lockCount = 2;
    int lockTypes[2] = {0, 1};  // lock 1 opens (type 0), lock 2 closes (type 1)
    int firstWallCode = Code::FirstWall;
    int lastWallCode = Code::LastWall;

    static bool onBoard(int x, int y) { return x >= 0 && x < kBoardWidth && y >= 0 && y < kBoardHeight; }
    // The cell one step from (x, y) in a direction.
    static void step(int direction, int& x, int& y);

    // The tile code of a cell; 0 off the board.
    int code(int x, int y) const { return onBoard(x, y) ? cells[x][y] : 0; }
    // Inline: the searches ask it for every cell the ball crosses.
    int tileCategory(int x, int y) const {
        if (!onBoard(x, y)) return Category::OffBoard;
        int c = cells[x][y];
        if (c >= firstWallCode && c <= lastWallCode) return Category::Wall;
        if (c >= Code::FirstTeleport && c <= Code::LastTeleport) return Category::Teleport;
        if (c >= Code::Lock1 && c <= Code::Lock2) return Category::Lock;
        if (c >= Code::Key1 && c <= Code::Key2) return Category::Key;
        if (c == Code::WeakShatter || c == Code::Shatter) return Category::Shatter;
        if (c == Code::BeamVertical || c == Code::BeamHorizontal) return Category::BeamBlock;
        if (c >= Code::BoosterRight && c <= Code::BoosterUp) return Category::Booster;
        return c;
    }
    // 1 when the ball, heading `direction`, may move into (x, y) with the
    // gizmos as they are; off the board is open (the ball falls off).
    int canEnter(int x, int y, const GizmoStates& gizmos, int direction) const;
    // The first cell holding `wanted` in scan order; false, x and y left as
    // they are, when there is none.
    bool findTile(int wanted, int& x, int& y) const;
    // Start and end from the cells: the last of each in scan order, no end -1.
    void locateStartAndEnd();
    // 1 up, 3 down, 4 left, 2 right: the board edge nearest to an end cell,
    // with both board dimensions scaled to 280; on a tie the horizontal edges
    // win. The next board is joined to this board along that edge.
    static int nearestEdge(int endX, int endY);
    // Copies the cells of the rectangle (x1, y1)-(x2, y2) of `source` to
    // (toX, toY) on, leaving out cells that fall off this board. With
    // `convert` 1 the source's end becomes this board's start (startX/Y set)
    // and its start floor, as the strip joining two boards is carried over.
    void copyRegion(const Board& source, int x1, int y1, int x2, int y2, int toX, int toY, int convert);
    // The joined-boards rule: the strip between the previous board's end
    // (endX, endY) and its nearest edge lands on the opposite side of this
    // board, that end becoming this board's start, and the entry is set to
    // match. Gives the strip's cells on this board, left, top, right, bottom.
    struct Strip { int left, top, right, bottom; };
    Strip carryStrip(const Board& previous, int endX, int endY);
    // The teleport code a teleport code sends to: 16 with 17, 18 with 19, ...
    static int teleportPartner(int code) { return (code - Code::FirstTeleport) % 2 == 0 ? code + 1 : code - 1; }
};

}  // namespace qm
