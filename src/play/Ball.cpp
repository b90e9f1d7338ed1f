// Drawing the ball: the glowing picture turned by its age, and the hover
// arrow that says where a click beside it would send it.
#include "play/Ball.h"

#include "boardart/BoardCellPainter.h"
#include "play/AssetCatalogue.h"
#include "play/LevelMap.h"
#include "runtime/Graphics.h"

namespace qm {

std::shared_ptr<Ball> Ball::create(LevelMap* owner) {
    auto ball = std::make_shared<Ball>();
    ball->board = owner;
    ball->hoverUp = loadImage("media\\hover_up.png");
    ball->hoverDown = loadImage("media\\hover_down.png");
    ball->hoverLeft = loadImage("media\\hover_left.png");
    ball->hoverRight = loadImage("media\\hover_right.png");
    return ball;
}

void Ball::draw(float originX, float originY) {
    if (!board) return;
    const BallState& at = board->play.ball;
    float px = originX + float(at.pixelX() + board->shiftX());
    float py = originY + float(at.pixelY() + board->shiftY());
    BoardCellPainter::drawBall(AssetCatalogue::boardArt(), px, py, float(age));
    drawHover(px, py);
    setBlend(BLEND_ALPHA);
}

void Ball::drawHover(float px, float py) {
    const ImagePtr* arrow = nullptr;
    switch (hoverDirection) {
        case 1: arrow = &hoverUp; break;
        case 2: arrow = &hoverRight; break;
        case 3: arrow = &hoverDown; break;
        case 4: arrow = &hoverLeft; break;
        default: break;
    }
    if (arrow && *arrow) drawImage(*arrow, px, py, 0);
}

}  // namespace qm
