// Slides the finished board out and the next one in, then starts the new
// level; a transition with no slide starts a level directly.
#pragma once
#include <memory>

namespace qm {

class BoardTransition {
public:
    int targetX = 0;
    int targetY = 0;
    int advancing = 0;
    int groupIndex = 0;
    int groupFinished = 0;

    static std::shared_ptr<BoardTransition> create(int targetX, int targetY, int advancing);
    int isAdvancing() const { return advancing; }
    // One logic step; true on the step the next board became the current one.
    bool update();
    void resume();
    void swapBoards();
    void startLevel();
    void scrollBy(int dx, int dy);
};

}  // namespace qm
