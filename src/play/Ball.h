// The ball as the player sees it: its picture turning as it rolls and the
// arrow beside it. Where it is and where it goes is the board's play state.
#pragma once
#include <memory>
#include "runtime/Image.h"

namespace qm {

class LevelMap;

class Ball {
public:
    int hoverDirection = 0;  // the arrow shown beside the ball, written each step
    int age = 0;             // ticks since it was made; also its angle in degrees
    ImagePtr hoverUp, hoverDown, hoverLeft, hoverRight;
    LevelMap* board = nullptr;  // the board that owns this ball

    static std::shared_ptr<Ball> create(LevelMap* board);
    void draw(float originX, float originY);
    void drawHover(float px, float py);
};
using BallPtr = std::shared_ptr<Ball>;

}  // namespace qm
