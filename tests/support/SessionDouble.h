// A stand-in for the session controller, for tests of the play screen and
// the editor: it records what they ask of the session instead of running it.
#pragma once
#include <vector>

#include "play/Session.h"

namespace qm::test {

class SessionDouble : public Session {
public:
    std::vector<int> levelsStarted;
    std::vector<int> boardsLoaded;
    int groupsFinished = 0;
    std::vector<int> levelsChosen;
    std::vector<int> replaysFinished;  // level x 2 + solved

    void startAtLevel(int n) override { levelsStarted.push_back(n); }
    void boardLoaded(int levelNumber) override { boardsLoaded.push_back(levelNumber); }
    void groupFinished() override { ++groupsFinished; }
    void playChosenLevel(int n) override { levelsChosen.push_back(n); }
    void replayFinished(int level, int solved) override { replaysFinished.push_back(level * 2 + solved); }
};

}  // namespace qm::test
