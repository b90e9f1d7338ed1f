// The session controller: knows the mode (play, menus, quit) and the loaded
// level, runs the top-level loop, the play loop and the menu loop, and is
// the session that the play screen, the editor and the menus ask of.
#pragma once
#include <memory>

#include "play/LevelRun.h"

#include "play/Session.h"

namespace qm {

class menuScreenType;
class ScreenFlash;
class LevelMap;

class GameController : public Session {
public:
    std::shared_ptr<menuScreenType> activeMenu;
    std::shared_ptr<ScreenFlash> flash;
    // Logic steps left before a finished replay hands back to the level choice.
    static constexpr int kReplayEndSteps = 90;
    int replayEndSteps = 0;
    bool reopenLevelChoice = false;

    static std::shared_ptr<GameController> create();
    void runGame();
    void shutdown();
    void startGame();
    void createScreens();
    void startAtLevel(int n) override;
    void playChosenLevel(int n) override;
    // The current level ends (solved 1, skipped 0): the profile records it
    // and the boards slide to the next level, or a replay hands back.
    void finishLevel(int solved) override;
    // The level being played on the current board; null before the first.
    const LevelRun* levelRun() const { return run.get(); }
    // A fresh run on the current board from where its ball stands; a board
    // put in place by hand (tests, benchmarks) starts its run with this.
    void beginRun(bool fileBoard);
    void playLoop();
    // One logic step of play, and the drawing of one play frame (which never
    // changes game state); the play loop and the benchmarks share them.
    void playStep();
    void drawPlayFrame();
    void drawBackground();
    void skipLevel();
    void menuLoop();
    void resetDrawState();
    void afterStartHook() {}

private:
    std::unique_ptr<LevelRun> run;
    int editorWasOn = 0;
    int replayLevel = -1;  // a level played again from the level choice, -1 for none

    // A replay starts (its level) or ends (-1); the group column shows its group.
    void setReplayLevel(int level);

    // startAtLevel's steps; `open` 0 leaves the profile's current level alone.
    void loadLevel(int n, bool open);
    // A level's board read from its file, its tutorial page opened the first time.
    std::shared_ptr<LevelMap> readLevel(int n);
    // The board and its run for one logic step; returns what the rules did.
    TickEvents stepBoard(bool boardActive);
    void actOn(RunOutcome outcome);
    void replayFinished(int level, int solved);
    // A board was loaded for level n to be played: the first time, the
    // level's tutorial page opens over it.
    void boardLoaded(int levelNumber);
    void backToLevelChoice();
};

}  // namespace qm
