// The board the game shows and plays: a level's cells (the rules' Board) with
// the play on them (the rules' PlayState), and what only the screen needs:
// the level number and art, the glow of the walls, the slide's shift, the
// drawn ball, the editor's protected strip; loading and saving level files,
// the level start effects, and turning each step of the level run into
// sound and sparks.
#pragma once
#include <memory>
#include <string>

#include "play/Ball.h"
#include "play/LevelRun.h"
#include "rules/Board.h"
#include "rules/PlayState.h"

namespace qm {

struct EditingView;

class LevelMap : public Board {
public:
    int glow[kBoardWidth][kBoardHeight] = {};
    int levelNumber = 0;
    int shiftX_ = 0;
    int shiftY_ = 0;
    int protectedLeft = -1, protectedRight = -1, protectedTop = -1, protectedBottom = -1;
    // The ball, the gizmos and the locks' timers.
    PlayState play;
    // The ball as drawn (its arrow and spin); null until the first restart.
    BallPtr ball;
    int modified = 0;
    int tileSet = 0;
    // Where the last "ball rests at" line put the ball: one line a rest, not
    // one a tick. Forgotten when the ball moves.
    int loggedRestX = -1, loggedRestY = -1;

    // Loads "levels\\<n>.lvl" with fresh gizmo states.
    static std::shared_ptr<LevelMap> create(int levelNumber);
    // Only the file's cells, no play on them yet: startPlay() follows (the
    // controller opens the level's tutorial page in between).
    static std::shared_ptr<LevelMap> read(int levelNumber);
    void startPlay();
    // An empty board (all code 0) that loads no file: for tests and tools.
    static std::shared_ptr<LevelMap> createEmpty(int levelNumber);

    void addShift(int dx, int dy) { shiftX_ += dx; shiftY_ += dy; }
    int shiftX() const { return shiftX_; }
    int shiftY() const { return shiftY_; }
    void glowCell(int x, int y, int kind);
    // The editor's brush; the editor searches the board again after it paints.
    int setTile(int x, int y, int code);
    int randomWallCode();
    void load();
    void startEffects();
    // The level from its start: keys held are dropped, the play starts over.
    void restart();
    void save(int mode);
    int isOutsideProtected(int x, int y) const;
    void clearProtected();
    void clearAll();
    void randomize(int n);
    // `editing` null draws the board as played (BoardPainter).
    void draw(float originX, float originY, int withGlow, const EditingView* editing = nullptr) const;
    void setEntry(int x, int y) { entryX = x; entryY = y; }
    int entryPixelX() const { return -32 * entryX; }
    int entryPixelY() const { return -32 * entryY; }
    // The rules' strip carried over from the previous board, kept from the editor's brush.
    void carryStrip(const Board& previous, int endX, int endY);
    // The picture of one step of the level run, in three parts around the
    // controller acting on the run's outcome: the glow and age where the
    // ball began the tick (a finished level's ball only sparkles), the
    // ball's sounds and sparks, then the locks' lines and the glow's decay.
    void beforeRunStep(bool levelOver, const BallState& from);
    void showBall(const RunStep& step, const PlayState& live, bool levelWasOver);
    void showLocks(const RunStep& step);
    // A step with no run (the editor is on): the glow fades, locks turn.
    void idleStep();
    static int mouseCellX();
    static int mouseCellY();
    void decayGlow();
    // The folder whose "levels" and "! map backups" a quick save writes into;
    // empty means the program's folder. Tools and tests point it elsewhere.
    static std::string levelHome;
    // The level file's path for a level number, relative to the working folder.
    static std::string levelPath(int levelNumber);
    // A level's cells as the rules see them, read without any of a load's
    // effects (no log line, no tutorial page): for the level choice's par.
    static bool readBoard(int levelNumber, Board& out);

private:
    // The sights and sounds of one tick's events, in the order they happened.
    void showEvents(const TickEvents& events);
    void readLevelFile();
    void lightNeighbours(const BallState& at);
    // Lines the rules said this tick, into the debug log.
    static void writeLog(const RuleLog& lines);
};
using LevelMapPtr = std::shared_ptr<LevelMap>;

}  // namespace qm
