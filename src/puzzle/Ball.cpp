// The ball's tick: at a cell centre it meets the end, the board edge and the
// gizmo under it, then rolls a third of a cell or rests and takes a direction.
#include "puzzle/Ball.h"

#include "app/AssetCatalogue.h"
#include "app/GameController.h"
#include "app/Globals.h"
#include "app/PlayInput.h"
#include "audio/AudioManager.h"
#include "editor/BoardTransition.h"
#include "editor/ScreenFlash.h"
#include "playlog/GameLog.h"
#include "puzzle/LevelMap.h"
#include "puzzle/ParticleNode.h"
#include "runtime/Diagnostics.h"
#include "runtime/Graphics.h"
#include "runtime/Random.h"
#include "runtime/TextConv.h"

namespace qm {

namespace {

// The sound manager, unless there is none or the board is only being simulated.
AudioManager* soundFor(const LevelMap* board) {
    if (!board || board->simulation) return nullptr;
    return audioManager.get();
}

bool simulating(const LevelMap* board) { return board && board->simulation; }

}  // namespace

std::shared_ptr<Ball> Ball::create(LevelMap* owner) {
    auto ball = std::make_shared<Ball>();
    ball->board = owner;
    ball->x = 1;
    ball->y = 1;
    ball->direction = 3;
    // A simulated board never draws, so it need not read the arrow pictures.
    if (!simulating(owner)) {
        ball->hoverUp = loadImage("media\\hover_up.png");
        ball->hoverDown = loadImage("media\\hover_down.png");
        ball->hoverLeft = loadImage("media\\hover_left.png");
        ball->hoverRight = loadImage("media\\hover_right.png");
    }
    return ball;
}

void Ball::placeAt(int cx, int cy) {
    x = cx;
    y = cy;
    stepX = stepY = 0;
    direction = 0;
}

int Ball::pixelX() const { return 32 * x + (32 * stepX) / 3; }
int Ball::pixelY() const { return 32 * y + (32 * stepY) / 3; }

void Ball::draw(float originX, float originY) {
    float px = originX + float(pixelX()) + (board ? float(board->shiftX()) : 0.0f);
    float py = originY + float(pixelY()) + (board ? float(board->shiftY()) : 0.0f);
    setRotation(float(age));
    setBlend(BLEND_LIGHT);
    if (AssetCatalogue::ballImage) drawImage(AssetCatalogue::ballImage, px, py, 0);
    setRotation(0);
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

void Ball::lightNeighbours() {
    if (!board) return;
    for (int dx = -1; dx <= 1; ++dx) {
        for (int dy = -1; dy <= 1; ++dy) {
            if (dx == 0 && dy == 0) continue;
            if (board->tileCategory(x + dx, y + dy) == -2) continue;
            board->glowCell(x + dx, y + dy, (dx == 0 || dy == 0) ? 0 : 1);
        }
    }
}

void Ball::update(int inputAllowed) {
    if (!board) return;
    age += 1;
    lightNeighbours();

    // While the boards slide, the finished board's ball only sparkles.
    if (!simulating(board) && mapTransition && mapTransition->isAdvancing()) {
        if (randomInt(0, 1) == 1) spawnParticles(3, float(pixelX()), float(pixelY()), 1, 0, 0, nullptr);
        return;
    }

    bool stopped = false;
    bool atEnd = false;
    if (stepX == 0 && stepY == 0) {
        int c = board->tileCategory(x, y);
        if (c == 2) {
            atEnd = true;
            stopped = true;
        } else if (c == -2) {
            stopped = true;
            if (auto* sound = soundFor(board)) sound->playDoorShut();
            if (gameController && !simulating(board)) gameController->flash = ScreenFlash::create(0.06f, 1.0f);
            board->restart();
        } else {
            if (c == 4 && justArrived == 1) {
                debugLog("Teleport");
                board->teleportBall(*this);
            } else if (c == 8) {
                debugLog("Recall");
                board->recallBall(*this);
            } else if (board->tileCategory(x, y) == 114) {
                board->powerUp();
                int code = board->code(x, y);
                direction = code == 118 ? 1 : code == 117 ? 3 : code == 116 ? 4 : 2;
            } else if (c == 122) {
                direction = direction == 3 ? 4 : 1;
            } else if (c == 121) {
                direction = direction == 3 ? 2 : 1;
            } else if (c == 120) {
                direction = direction == 1 ? 4 : 3;
            } else if (c == 119) {
                direction = direction == 1 ? 2 : 3;
            }
            bumpAhead();
            int open = canMove();
            stopped = direction == 0 || open == 0;
            if (direction != 0 && open == 0) {
                if (auto* sound = soundFor(board)) sound->bumpHook();
            }
        }
        // By the category the ball arrived on, even when a teleport or recall
        // has just carried it elsewhere.
        if (c == 7) board->setRecallPoint(x, y);
        else if (c == 5) board->takeKey(x, y);
        else if (c == 9 && justArrived == 1) board->hitSwitch(x, y);
        justArrived = 0;
    } else {
        justArrived = 1;
    }

    if (PlayInput::restart && inputAllowed == 1) {
        if (auto* sound = soundFor(board)) sound->playDoorShut();
        if (gameController && !simulating(board)) gameController->flash = ScreenFlash::create(0.06f, 1.0f);
        board->restart();
        return;
    }

    if (!stopped) {
        switch (direction) {
            case 1: if (--stepY <= -3) { stepY = 0; y -= 1; } break;
            case 3: if (++stepY >= 3) { stepY = 0; y += 1; } break;
            case 4: if (--stepX <= -3) { stepX = 0; x -= 1; } break;
            case 2: if (++stepX >= 3) { stepX = 0; x += 1; } break;
            default: break;
        }
        if (!simulating(board)) spawnParticles(3, float(pixelX()), float(pixelY()), 2, 0, 0, nullptr);
        if (auto* sound = soundFor(board)) sound->stepBallVolume(4);
        return;
    }

    if (board->isPowered()) board->unpower();
    if (!simulating(board) && randomInt(0, 1) == 1)
        spawnParticles(3, float(pixelX()), float(pixelY()), 1, 0, 0, nullptr);
    if (auto* sound = soundFor(board)) sound->stepBallVolume(-1);
    if (atEnd) {
        if (auto* sound = soundFor(board)) sound->stepBallVolume(-10);
        finish();
        return;
    }
    direction = 0;
    if (inputAllowed == 1) {
        if (PlayInput::up) moveUp();
        else if (PlayInput::left) moveLeft();
        else if (PlayInput::right) moveRight();
        else if (PlayInput::down) moveDown();
    }
    if (direction != 0 && !simulating(board)) {
        // One line a move: a log then tells where the player rolled.
        debugLog("ball rolls " + str(direction));
        if (audioManager) audioManager->rollStartHook();
    }
}

void Ball::finish() {
    if (!board) return;
    if (board->simulation) {
        board->solvedInSimulation = 1;
        return;
    }
    spawnParticles(4, float(32 * x), float(32 * y), 30, 0, 0, nullptr);
    PlayInput::resetInputAndFlush();
    if (playLog) playLog->levelFinished(1);
    board->finishLevel(1);
}

void Ball::bumpAhead() {
    if (!board || direction < 1 || direction > 4) return;
    board->bumpTile(x + (direction == 2) - (direction == 4), y + (direction == 3) - (direction == 1), nullptr, 0);
}

int Ball::canMove() {
    if (!board || direction < 1 || direction > 4) return 0;
    return board->canEnter(x + (direction == 2) - (direction == 4), y + (direction == 3) - (direction == 1), nullptr,
                           direction);
}

void Ball::tryMove() {
    if (canMove() == 0) direction = 0;
}

void Ball::moveDown() { direction = 3; tryMove(); }
void Ball::moveUp() { direction = 1; tryMove(); }
void Ball::moveLeft() { direction = 4; tryMove(); }
void Ball::moveRight() { direction = 2; tryMove(); }

}  // namespace qm

