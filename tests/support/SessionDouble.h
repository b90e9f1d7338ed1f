// A stand-in for the session controller, for tests of the play screen and
// the editor: it records what they ask of the session instead of running it.
#pragma once
#include <vector>

#include "play/Session.h"

namespace qm::test {

class SessionDouble : public Session {
public:
    std::vector<int> levelsStarted;
    std::vector<int> levelsChosen;
    std::vector<int> levelsFinished;  // solved 1, skipped 0

    void startAtLevel(int n) override { levelsStarted.push_back(n); }
    void playChosenLevel(int n) override { levelsChosen.push_back(n); }
    void finishLevel(int solved) override { levelsFinished.push_back(solved); }
};

}  // namespace qm::test
