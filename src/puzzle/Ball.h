// The player's ball: rests on a cell until given a direction, then rolls a
// third of a cell per tick until a cell refuses it.
#pragma once
#include <memory>
#include "runtime/Image.h"

namespace qm {

class LevelMap;

class Ball {
public:
    int x = 1;
    int y = 1;
    int stepX = 0;
    int stepY = 0;
    int direction = 3;
    int hoverDirection = 0;
    int age = 0;
    int justArrived = 0;
    ImagePtr hoverUp, hoverDown, hoverLeft, hoverRight;
    LevelMap* board = nullptr;  // the board that owns this ball

    static std::shared_ptr<Ball> create(LevelMap* board);
    void placeAt(int cx, int cy);
    void draw(float originX, float originY);
    void drawHover(float px, float py);
    void lightNeighbours();
    void update(int inputAllowed);
    void finish();
    void bumpAhead();
    int canMove();
    void tryMove();
    void moveDown();
    void moveUp();
    void moveLeft();
    void moveRight();
    int isStopped() const { return direction == 0; }
    // Board pixel position of the ball's centre.
    int pixelX() const;
    int pixelY() const;
};
using BallPtr = std::shared_ptr<Ball>;

}  // namespace qm
