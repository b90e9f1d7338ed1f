// Where the ball is and where it is going: the cell, the offset from the
// cell's centre in thirds of a cell, the direction (0 at rest), and whether
// it has just arrived at the centre it stands on.
#pragma once

namespace qm {

struct BallState {
    int x = 1;
    int y = 1;
    int stepX = 0;  // -2..2 thirds of a cell
    int stepY = 0;
    int direction = 3;
    int justArrived = 0;

    void placeAt(int cx, int cy) {
        x = cx;
        y = cy;
        stepX = stepY = 0;
        direction = 0;
    }
    bool atCentre() const { return stepX == 0 && stepY == 0; }
    int isStopped() const { return direction == 0 ? 1 : 0; }
    // Board pixels of the ball's centre (a step of 1 is 10 pixels, 2 is 21).
    int pixelX() const { return 32 * x + (32 * stepX) / 3; }
    int pixelY() const { return 32 * y + (32 * stepY) / 3; }
};

}  // namespace qm
