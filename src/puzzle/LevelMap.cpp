// The board: tile codes and their categories, the passability rule, the
// board's gizmo operations, one tick of play, level files, the start effects
// and the drawing of the board.
#include "puzzle/LevelMap.h"

#include <algorithm>
#include <cmath>

#include "app/AssetCatalogue.h"
#include "app/GameController.h"
#include "app/Globals.h"
#include "app/GroupProgress.h"
#include "app/PlayInput.h"
#include "app/PlayerProfile.h"
#include "audio/AudioManager.h"
#include "editor/BoardTransition.h"
#include "editor/EditorState.h"
#include "editor/HoverButtonBar.h"
#include "editor/ReachabilitySearch.h"
#include "menus/tutorialPageType.h"
#include "puzzle/LevelFileFormat.h"
#include "puzzle/ParticleNode.h"
#include "runtime/Diagnostics.h"
#include "runtime/Files.h"
#include "runtime/Graphics.h"
#include "runtime/Random.h"
#include "runtime/TextConv.h"

namespace qm {

namespace {

bool onBoard(int x, int y) { return x >= 0 && x < kBoardWidth && y >= 0 && y < kBoardHeight; }


}  // namespace

std::shared_ptr<LevelMap> LevelMap::createEmpty(int levelNumber) {
    auto board = std::make_shared<LevelMap>();
    board->levelNumber = levelNumber;
    board->tileSet = levelNumber >= 0 ? levelNumber / 5 : 0;
    board->clearProtected();
    board->gizmos = GizmoStates::createFrom(board.get());
    return board;
}

std::shared_ptr<LevelMap> LevelMap::create(int levelNumber) {
    auto board = std::make_shared<LevelMap>();
    board->levelNumber = levelNumber;
    board->load();
    return board;
}

std::string LevelMap::levelHome;

std::string LevelMap::levelPath(int levelNumber) { return "levels\\" + str(levelNumber) + ".lvl"; }

void LevelMap::glowCell(int x, int y, int kind) {
    if (!onBoard(x, y)) return;  // callers stay on the board; a stray call must not write past the grid
    glow[x][y] = std::max(glow[x][y], 25 - 15 * kind);
}

int LevelMap::setTile(int x, int y, int code) {
    if (!onBoard(x, y)) return 0;
    modified = 1;
    if (code == 0) {
        cells[x][y] = randomWallCode();
    } else {
        cells[x][y] = code;
        if (code == 1) { startX = x; startY = y; }
        if (code == 2) { endX = x; endY = y; }
    }
    if (reachabilityView) reachabilityView->recomputeReachability();
    return 1;
}

int LevelMap::randomWallCode() { return randomInt(firstWallCode, lastWallCode); }

void LevelMap::load() {
    debugLog("Loading map " + str(levelNumber) + ".lvl");
    endX = -1;
    endY = -1;
    StreamPtr in = readFile(levelPath(levelNumber));
    if (in) {
        // Nothing past the layout's length matters, so nothing more is read.
        std::vector<uint8_t> bytes(LevelFileFormat::kFileSize);
        bytes.resize(in->readBytes(bytes.data(), bytes.size()));
        in->close();
        LevelFileContents file = LevelFileFormat::decode(bytes);
        // The tile set follows from the level number, whatever the file says.
        if (levelNumber >= 0) tileSet = levelNumber / 5;
        if (!editorOn && levelNumber >= 0) {
            int page = -1;
            if (playerProfile && levelNumber < int(std::size(playerProfile->tutorialPages)))
                page = playerProfile->tutorialPages[levelNumber];
            if (playerProfile && playerProfile->markOnce(page) == 1) {
                debugLog("hint shown");
                auto tutorial = tutorialPageType::createPage(page);
                if (gameController) {
                    gameController->activeMenu = tutorial;
                    if (tutorial) tutorial->openMenu();
                }
            } else if (gameController) {
                gameController->activeMenu = nullptr;
            }
        }
        for (int x = 0; x < kBoardWidth; ++x) {
            for (int y = 0; y < kBoardHeight; ++y) {
                cells[x][y] = file.cells[x][y];
                if (cells[x][y] == 1) { startX = x; startY = y; }
                if (cells[x][y] == 2) { endX = x; endY = y; }
            }
        }
        entryX = file.entryX;
        entryY = file.entryY;
    }
    clearProtected();
    lockTypes[0] = 0;
    lockTypes[1] = 1;
    gizmos = GizmoStates::createFrom(this);
}

void LevelMap::save(int mode) {
    debugLog("Saving map");
    std::string home = levelHome.empty() ? programFolder() : levelHome;
    std::string target;
    if (mode == 1) {
        std::string own = home + "\\levels\\" + str(levelNumber) + ".lvl";
        std::string backupFolder = home + "\\! map backups";
        // Without its folder the backup copy would fail silently every time.
        if (fileType(backupFolder) == FILE_MISSING) createDir(backupFolder);
        copyFile(own, backupFolder + "\\" + str(levelNumber) + ".lvl");
        target = own;
    } else {
        target = requestFile("Save this map as (source map is " + str(levelNumber) + ")",
                             "Level files:dat,lvl;All Files:*", true, home + "\\levels\\");
    }
    if (target.empty()) return;
    StreamPtr out = writeFileSafely(target);
    if (!out) {
        notify("could not open file", 0);
        return;
    }
    std::vector<uint8_t> bytes = LevelFileFormat::encode(cells, tileSet, entryX, entryY);
    out->writeBytes(bytes.data(), bytes.size());
    // A failed write (full disk) leaves the old file in place and must not
    // pass for a save.
    if (!out->close()) {
        notify("could not open file", 0);
        return;
    }
    modified = 0;
}

void LevelMap::startEffects() {
    if (editorOn && reachabilityView) reachabilityView->recomputeReachability();
    if (endX >= 0) {
        for (int i = 0; i < 21; ++i) {
            float dx = std::round(randomFloat(4, 20));
            float dy = std::round(randomFloat(-10, 10));
            spawnParticles(2, float(32 * endX) + dx, float(32 * endY) + dy, 1, float(32 * endX), float(32 * endY),
                           nullptr);
        }
    }
    for (int x = 0; x < kBoardWidth; ++x)
        for (int y = 0; y < kBoardHeight; ++y)
            if (cells[x][y] >= 16 && cells[x][y] <= 25)
                spawnParticles(1, float(32 * x), float(32 * y), 15, 0, 0, nullptr);
}

void LevelMap::restart() {
    // A simulated move manages the input flags itself and must not flush the
    // player's keys.
    if (!simulation) PlayInput::resetInputAndFlush();
    lockTimers[0] = lockTimers[1] = 0;
    gizmos = GizmoStates::createFrom(this);
    if (!ball) ball = Ball::create(this);
    ball->placeAt(startX, startY);
    ++restartCount;
}

int LevelMap::isOutsideProtected(int x, int y) const {
    bool inside = protectedLeft <= x && x <= protectedRight && protectedTop <= y && y <= protectedBottom;
    return inside ? 0 : 1;
}

void LevelMap::clearProtected() { protectedLeft = protectedRight = protectedTop = protectedBottom = -1; }

void LevelMap::clearAll() {
    clearProtected();
    for (int x = 0; x < kBoardWidth; ++x)
        for (int y = 0; y < kBoardHeight; ++y) setTile(x, y, 3);
}

void LevelMap::randomize(int n) {
    for (int x = 0; x < kBoardWidth; ++x)
        for (int y = 0; y < kBoardHeight; ++y)
            if (isOutsideProtected(x, y)) setTile(x, y, randomInt(0, n) != 0 ? 3 : 0);
}

void LevelMap::teleportBall(Ball& b) {
    int c = code(b.x, b.y);
    if (audioManager && !simulation) audioManager->playTeleport();
    int partner = (c - 16) % 2 == 0 ? c + 1 : c - 1;
    findTile(b, partner);
}

void LevelMap::setRecallPoint(int x, int y) {
    if (gizmos) gizmos->setRecall(x, y);
}

void LevelMap::recallBall(Ball& b) {
    if (!gizmos || !gizmos->hasRecall()) return;
    if (audioManager && !simulation) audioManager->playTeleport();
    b.x = gizmos->recallX();
    b.y = gizmos->recallY();
}

void LevelMap::findTile(Ball& out, int wanted) const {
    for (int x = 0; x < kBoardWidth; ++x) {
        for (int y = 0; y < kBoardHeight; ++y) {
            if (cells[x][y] == wanted) {
                out.x = x;
                out.y = y;
                return;
            }
        }
    }
}

void LevelMap::copyRegion(const LevelMap& source, int x1, int y1, int x2, int y2, int toX, int toY, int convert) {
    for (int x = x1; x <= x2; ++x) {
        for (int y = y1; y <= y2; ++y) {
            int tx = toX + (x - x1);
            int ty = toY + (y - y1);
            if (!onBoard(tx, ty)) continue;
            int c = source.code(x, y);
            int category = source.tileCategory(x, y);
            if (convert == 1 && category == 2) {
                cells[tx][ty] = 1;
                startX = tx;
                startY = ty;
            } else if (convert == 1 && category == 1) {
                cells[tx][ty] = 3;
            } else {
                cells[tx][ty] = c;
            }
        }
    }
    protectedLeft = toX;
    protectedTop = toY;
    protectedRight = toX + (x2 - x1);
    protectedBottom = toY + (y2 - y1);
}

GizmoStatesPtr LevelMap::bumpTile(int x, int y, GizmoStatesPtr states, int copyFirst) {
    if (!states) states = gizmos;
    if (!onBoard(x, y) || !states) return states;
    if (tileCategory(x, y) == 126 && states->cellState(x, y) != 3) {
        if (copyFirst == 1) states = states->copy();
        int s = states->cellState(x, y);
        states->setCellState(x, y, states->isPowered() ? 3 : s + 1);
    }
    return states;
}

int LevelMap::canEnter(int x, int y, const GizmoStates* states, int direction) const {
    if (!onBoard(x, y)) return 1;
    if (!states) states = gizmos.get();
    int c = cells[x][y];
    int category = tileCategory(x, y);
    int cellState = states ? states->cellState(x, y) : 0;
    if (category == 0 && c != 0) return 0;
    if (category == 6) {
        int k = c - 33;
        // Code 6 itself is no lock (a damaged file): nothing to look up.
        if (k < 0 || k > 1) return 1;
        int s = states ? states->lockStates[k] : (lockTypes[k] != 0 ? 1 : 0);
        int t = lockTypes[k];
        return (s == 0 || (s == 2 && t == 1)) ? 0 : 1;
    }
    if (category == 126) return cellState == 3 ? 1 : 0;
    if (category == 113) return 0;
    switch (direction) {
        case 1: if (c == 122 || c == 121) return 0; break;
        case 3: if (c == 120 || c == 119) return 0; break;
        case 4: if (c == 122 || c == 120) return 0; break;
        case 2: if (c == 121 || c == 119) return 0; break;
        default: break;
    }
    if (c == 3) {
        if (states && states->isPowered()) return 1;
        return (cellState == 127 || cellState == 126) ? 0 : 1;
    }
    return 1;
}

void LevelMap::powerUp() {
    if (gizmos) gizmos->setPowered(1);
}

void LevelMap::unpower() {
    if (gizmos && gizmos->isPowered()) gizmos->setPowered(0);
}

int LevelMap::isPowered() const { return gizmos ? gizmos->isPowered() : 0; }

void LevelMap::takeKey(int x, int y) {
    if (!gizmos) return;
    int c = code(x, y);
    int k = c - 31;
    if (k < 0 || k > 1) return;
    int s = gizmos->lockStates[k];
    int t = lockTypes[k];
    if (s == 2) return;
    if (s == 0 && t == 0) {
        debugLog("Opened " + str(c));
        gizmos->setLockState(k, 2);
        if (audioManager && !simulation) audioManager->playLockOpened();
    } else if (s == 1 && t == 1) {
        debugLog("Closed " + str(c));
        gizmos->setLockState(k, 2);
        if (audioManager && !simulation) audioManager->playLockClosed();
    }
}

void LevelMap::hitSwitch(int x, int y) {
    if (gizmos) gizmos->triggeredSwitch(this);
}

void LevelMap::finishLevel(int solved) {
    if (simulation) {
        if (solved == 1) solvedInSimulation = 1;
        return;
    }
    int s = playerProfile ? playerProfile->levelState(-1) : 0;
    if (s == 3) s = 0;
    std::shared_ptr<GroupProgress> progress = buttonBar ? buttonBar->progressIndicator : nullptr;
    bool record = false;
    if ((solved == 1 && (s == 0 || s == 2)) || (solved == 0 && s == 0)) {
        if (progress) {
            progress->refresh();
            int k = playerProfile ? playerProfile->indexInGroup(-1) : 0;
            if (k >= 0 && k < 5) progress->states[k] = solved == 1 ? 1 : 2;
        }
        record = true;
    }
    int next = levelNumber == kLastLevel ? kLastLevel : levelNumber + 1;
    auto following = LevelMap::create(next);
    nextMap = following;
    following->addShift(32 * following->entryX, 32 * following->entryY);
    mapTransition = BoardTransition::create(following->entryPixelX(), following->entryPixelY(), 1);
    if (!playerProfile) return;
    if (record) {
        playerProfile->setLevelResult(levelNumber, solved);
    } else {
        playerProfile->advanceFrom(levelNumber);
        if (progress) progress->refresh();
    }
}

void LevelMap::update(int inputAllowed) {
    if ((!editorOn || simulation) && ball) ball->update(inputAllowed);
    decayGlow();
    advanceLocks();
    if (editorState && !simulation) editorState->editorTick(inputAllowed);
}

void LevelMap::advanceLocks() {
    if (!gizmos) return;
    int locks = std::min(lockCount, 2);
    for (int i = 0; i < locks; ++i) {
        if (gizmos->lockStates[i] != 2) continue;
        lockTimers[i] += 1;
        debugLog(str(lockTimers[i]));
        if (lockTimers[i] >= 40) gizmos->setLockState(i, lockTypes[i] == 0 ? 1 : 0);
    }
}

int LevelMap::mouseCellX() { return (PlayInput::mouseX - 64) / 32; }

int LevelMap::mouseCellY() { return (PlayInput::mouseY - 64) / 32; }

void LevelMap::decayGlow() {
    for (auto& column : glow)
        for (int& g : column)
            if (g > 0) --g;
}

namespace {

// One board draw: knows the point of the cell being drawn and how to put the
// catalogue's pictures there, resetting any tint or alpha it sets.
struct CellPainter {
    float px = 0, py = 0;

    void frame(const ImagePtr& image, int n) const {
        if (image && n >= 0 && n < image->frameCount()) drawImage(image, px, py, n);
    }
    void tintedFrame(int r, int g, int b, int n) const {
        setColour(r, g, b);
        frame(AssetCatalogue::currentTileSet, n);
        setColour(255, 255, 255);
    }
    // "The tile": a tile-set frame with the border overlay of the richer art styles.
    void tile(int n) const {
        frame(AssetCatalogue::currentTileSet, n);
        if (AssetCatalogue::drawTileBorders) frame(AssetCatalogue::tileBorderImage, 0);
    }
    void glowTile(int n, int glowLevel) const {
        setBlend(BLEND_LIGHT);
        setAlpha(float(glowLevel - 2) / 30.0f);
        tile(n);
        setBlend(BLEND_ALPHA);
        setAlpha(1);
    }
};

}  // namespace

void LevelMap::draw(float originX, float originY, int withGlow) {
    CellPainter paint;
    const ImagePtr& gizmo = AssetCatalogue::gizmoImage;
    for (int x = 0; x < kBoardWidth; ++x) {
        for (int y = 0; y < kBoardHeight; ++y) {
            paint.px = originX + float(32 * x + shiftX_);
            paint.py = originY + float(32 * y + shiftY_);
            int c = cells[x][y];
            int state = gizmos ? gizmos->cellState(x, y) : 0;
            int category = tileCategory(x, y);
            bool glowMarked = false;
            switch (category) {
                case 0:
                    if (c == 0) {
                        paint.tintedFrame(50, 50, 255, 0);
                    } else {
                        paint.tile(c - firstWallCode);
                        if (withGlow == 1 && glow[x][y] > 0) paint.glowTile(c - firstWallCode, glow[x][y]);
                    }
                    break;
                case 1:
                    if (editorOn) paint.tintedFrame(0, 255, 0, 3);
                    break;
                case 2:
                    if (editorOn) paint.tintedFrame(255, 0, 0, 2);
                    break;
                case 3:
                    if (state == 126 || state == 127) paint.tintedFrame(200, 223, 245, 2);
                    break;
                case 4:
                    if (editorOn) paint.frame(AssetCatalogue::digitsImage, c - 16);
                    break;
                case 5: {
                    int k = c - 31;
                    if (k < 0 || k > 1) break;  // code 5 itself: no key to draw
                    int lockState = gizmos ? gizmos->lockStates[k] : lockTypes[k];
                    if (editorOn || lockState == lockTypes[k]) paint.frame(gizmo, lockTypes[k] + 1);
                    break;
                }
                case 6: {
                    int k = c - 33;
                    if (k < 0 || k > 1) break;  // code 6 itself: no lock to draw
                    int lockState = gizmos ? gizmos->lockStates[k] : (lockTypes[k] != 0 ? 1 : 0);
                    float fade = float(lockTimers[k]) / 40.0f;
                    if (lockTypes[k] == 0) {
                        if (editorOn || lockState == 0) {
                            paint.frame(AssetCatalogue::currentTileSet, 0);
                            paint.frame(gizmo, 0);
                            glowMarked = true;
                        } else if (lockState == 2) {
                            setAlpha(1 - fade);
                            paint.frame(AssetCatalogue::currentTileSet, 0);
                            paint.frame(gizmo, 0);
                            setAlpha(1);
                            glowMarked = true;
                        }
                    } else {
                        glowMarked = true;
                        if (editorOn) {
                            setAlpha(0.5f);
                            paint.tile(0);
                            setAlpha(1);
                        } else if (lockState == 0) {
                            paint.tile(0);
                        } else if (lockState == 2) {
                            setAlpha(fade);
                            paint.tile(0);
                            setAlpha(1);
                        }
                    }
                    break;
                }
                case 7: {
                    bool stored = gizmos && gizmos->recallX() == x && gizmos->recallY() == y;
                    paint.frame(gizmo, stored ? 7 : 6);
                    break;
                }
                case 8:
                    paint.frame(gizmo, 8);
                    break;
                case 9:
                    paint.tintedFrame(123, 50, 75, 2);
                    break;
                case 113:
                    if (state == 1) paint.tintedFrame(79, 123, 45, 2);
                    else paint.tintedFrame(29, 83, 35, 2);
                    glowMarked = true;
                    break;
                case 114:
                    paint.frame(gizmo, c == 118 ? 13 : c == 117 ? 14 : c == 116 ? 15 : 16);
                    break;
                case 119: paint.frame(gizmo, 11); break;
                case 120: paint.frame(gizmo, 12); break;
                case 121: paint.frame(gizmo, 10); break;
                case 122: paint.frame(gizmo, 9); break;
                case 126:
                    if (editorOn) {
                        paint.frame(gizmo, c == 126 ? 3 : 4);
                        glowMarked = true;
                    } else if (state >= 0 && state <= 2) {
                        paint.frame(gizmo, 3 + state);
                        glowMarked = state <= 1;
                    }
                    break;
                case 252: case 253: case 254: case 255:
                    if (editorOn) paint.frame(editorTilesImage, category - 252);
                    break;
                default:
                    drawText("Bad " + str(c), paint.px, paint.py);
                    break;
            }
            if (editorOn && !isOutsideProtected(x, y)) {
                setBlend(BLEND_LIGHT);
                setAlpha(0.1f);
                paint.frame(AssetCatalogue::currentTileSet, 0);
                setBlend(BLEND_ALPHA);
                setAlpha(1);
            }
            if (glowMarked && withGlow == 1 && glow[x][y] > 0) paint.glowTile(0, glow[x][y]);
        }
    }
    if (ball) ball->draw(originX, originY);
}

}  // namespace qm
