// One board: 20 x 14 tile codes, start and end, glow, the live gizmo state and
// the ball; loading and saving level files; drawing.
#pragma once
#include <memory>
#include <string>
#include "puzzle/Ball.h"
#include "puzzle/GizmoStates.h"

namespace qm {

constexpr int kBoardWidth = 20;
constexpr int kBoardHeight = 14;
constexpr int kLastLevel = 160;

class LevelMap {
public:
    int cells[20][14] = {};
    int glow[20][14] = {};
    int levelNumber = 0;
    int shiftX_ = 0;
    int shiftY_ = 0;
    int startX = 0, startY = 0;
    int endX = -1, endY = -1;
    int entryX = 0, entryY = 0;
    int protectedLeft = -1, protectedRight = -1, protectedTop = -1, protectedBottom = -1;
    BallPtr ball;
    int modified = 0;
    int tileSet = 0;
    int lockCount = 2;
    GizmoStatesPtr gizmos;
    int lockTypes[2] = {0, 1};
    int lockTimers[2] = {0, 0};
    int firstWallCode = 10;
    int lastWallCode = 15;

    // While 1 the board is being played by the move simulator (solver, hint):
    // the rules run unchanged, but nothing reaches sound, particles, the flash,
    // the profile, the play log or the next board; a solve is only recorded.
    int simulation = 0;
    int solvedInSimulation = 0;
    // Counts restarts, so a simulated move can tell that the ball rolled off.
    int restartCount = 0;

    // Loads "levels\\<n>.lvl".
    static std::shared_ptr<LevelMap> create(int levelNumber);
    // An empty board (all code 0) that loads no file: for tests and tools.
    static std::shared_ptr<LevelMap> createEmpty(int levelNumber);

    void addShift(int dx, int dy) { shiftX_ += dx; shiftY_ += dy; }
    int shiftX() const { return shiftX_; }
    int shiftY() const { return shiftY_; }
    void glowCell(int x, int y, int kind);
    int setTile(int x, int y, int code);
    int randomWallCode();
    void load();
    void startEffects();
    void restart();
    void save(int mode);
    int isOutsideProtected(int x, int y) const;
    void clearProtected();
    void clearAll();
    void randomize(int n);
    void draw(float originX, float originY, int withGlow);
    void setEntry(int x, int y) { entryX = x; entryY = y; }
    void teleportBall(Ball& ball);
    void setRecallPoint(int x, int y);
    void recallBall(Ball& ball);
    void findTile(Ball& out, int code) const;
    int entryPixelX() const { return -32 * entryX; }
    int entryPixelY() const { return -32 * entryY; }
    void copyRegion(const LevelMap& source, int x1, int y1, int x2, int y2, int toX, int toY, int convert);
    // Inline: the searches ask it for every cell the ball crosses.
    int tileCategory(int x, int y) const {
        if (x < 0 || x >= kBoardWidth || y < 0 || y >= kBoardHeight) return -2;
        int c = cells[x][y];
        if (c >= firstWallCode && c <= lastWallCode) return 0;
        if (c >= 16 && c <= 25) return 4;
        if (c >= 33 && c <= 34) return 6;
        if (c >= 31 && c <= 32) return 5;
        if (c == 125 || c == 126) return 126;
        if (c == 127 || c == 124) return 113;
        if (c >= 115 && c <= 118) return 114;
        return c;
    }
    // gizmos null means the board's own.
    GizmoStatesPtr bumpTile(int x, int y, GizmoStatesPtr gizmos, int copyFirst);
    int canEnter(int x, int y, const GizmoStates* gizmos, int direction) const;
    void powerUp();
    void unpower();
    int isPowered() const;
    void takeKey(int x, int y);
    void hitSwitch(int x, int y);
    void finishLevel(int solved);
    void update(int inputAllowed);
    void advanceLocks();
    static int mouseCellX();
    static int mouseCellY();
    void decayGlow();
    // The folder whose "levels" and "! map backups" a quick save writes into;
    // empty means the program's folder. Tools and tests point it elsewhere.
    static std::string levelHome;
    // The level file's path for a level number, relative to the working folder.
    static std::string levelPath(int levelNumber);
    // The tile code of a cell; 0 off the board.
    int code(int x, int y) const { return (x >= 0 && x < 20 && y >= 0 && y < 14) ? cells[x][y] : 0; }
};
using LevelMapPtr = std::shared_ptr<LevelMap>;

}  // namespace qm
