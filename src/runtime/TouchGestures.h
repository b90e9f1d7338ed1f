// A finger on the screen read the way a phone player means it: a tap is a
// click where the finger touched (the pointer moves there as the finger lands,
// so menus light the button first), a swipe is an arrow key the way the
// finger went. What a gesture presses stays held for two polls, so a tap
// quicker than a frame is still seen held by the game, then it is let go.
#pragma once
#include <cstdint>

namespace qm {

class TouchGestures {
public:
    // A finger that travels this far (frame pixels) is a swipe: more than a
    // board cell, so a tap that slides a little is still a tap.
    static constexpr int kSwipeDistance = 40;

    // Positions in frame pixels. Only the first finger down is followed.
    void fingerDown(int64_t finger, int x, int y);
    void fingerUp(int64_t finger, int x, int y);
    // Once a poll, before its new events.
    void poll();
    void reset() { *this = TouchGestures{}; }

private:
    int64_t active = -1;  // the finger followed, -1 for none
    int startX = 0, startY = 0;
    int heldKey = 0, heldButton = 0;
    int pollsLeft = 0;  // until what the last gesture pressed is let go
    void release();
};

}  // namespace qm
