// The board the game plays: level files, one tick of play with its sights and
// sounds, the level start effects, the end of a level, the editor's brush.
#include "play/LevelMap.h"

#include <algorithm>
#include <cmath>

#include "audio/AudioManager.h"
#include "play/AssetCatalogue.h"
#include "play/BoardPainter.h"
#include "play/Globals.h"
#include "play/ParticleNode.h"
#include "play/PlayInput.h"
#include "playlog/GameLog.h"
#include "rules/LevelFileFormat.h"
#include "runtime/Diagnostics.h"
#include "runtime/Files.h"
#include "runtime/Graphics.h"
#include "runtime/Random.h"
#include "runtime/TextConv.h"

namespace qm {

std::shared_ptr<LevelMap> LevelMap::createEmpty(int levelNumber) {
    auto board = std::make_shared<LevelMap>();
    board->levelNumber = levelNumber;
    board->tileSet = levelNumber >= 0 ? levelNumber / 5 : 0;
    board->clearProtected();
    board->play.gizmos = GizmoStates::createFrom(*board);
    return board;
}

std::shared_ptr<LevelMap> LevelMap::create(int levelNumber) {
    auto board = read(levelNumber);
    board->startPlay();
    return board;
}

std::shared_ptr<LevelMap> LevelMap::read(int levelNumber) {
    auto board = std::make_shared<LevelMap>();
    board->levelNumber = levelNumber;
    board->readLevelFile();
    return board;
}

std::string LevelMap::levelHome;

std::string LevelMap::levelPath(int levelNumber) { return "levels\\" + str(levelNumber) + ".lvl"; }

void LevelMap::glowCell(int x, int y, int kind) {
    if (!Board::onBoard(x, y)) return;  // callers stay on the board; a stray call must not write past the grid
    glow[x][y] = std::max(glow[x][y], 25 - 15 * kind);
}

int LevelMap::setTile(int x, int y, int code) {
    if (!Board::onBoard(x, y)) return 0;
    modified = 1;
    if (code == Code::WallBrush) {
        cells[x][y] = randomWallCode();
    } else {
        cells[x][y] = code;
        if (code == Code::Start) { startX = x; startY = y; }
        if (code == Code::End) { endX = x; endY = y; }
    }
    return 1;
}

int LevelMap::randomWallCode() { return randomInt(firstWallCode, lastWallCode); }

void LevelMap::load() {
    readLevelFile();
    startPlay();
}

void LevelMap::readLevelFile() {
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
        for (int x = 0; x < kBoardWidth; ++x) {
            for (int y = 0; y < kBoardHeight; ++y) {
                cells[x][y] = file.cells[x][y];
                if (cells[x][y] == Code::Start) { startX = x; startY = y; }
                if (cells[x][y] == Code::End) { endX = x; endY = y; }
            }
        }
        entryX = file.entryX;
        entryY = file.entryY;
    }
    clearProtected();
    lockTypes[0] = 0;
    lockTypes[1] = 1;
}

void LevelMap::startPlay() {
    RuleLog lines;
    play.gizmos = GizmoStates::createFrom(*this, &lines);
    writeLog(lines);
}

bool LevelMap::readBoard(int levelNumber, Board& out) {
    StreamPtr in = readFile(levelPath(levelNumber));
    if (!in) return false;
    std::vector<uint8_t> bytes(LevelFileFormat::kFileSize);
    bytes.resize(in->readBytes(bytes.data(), bytes.size()));
    in->close();
    LevelFileContents file = LevelFileFormat::decode(bytes);
    for (int x = 0; x < kBoardWidth; ++x)
        for (int y = 0; y < kBoardHeight; ++y) out.cells[x][y] = file.cells[x][y];
    out.entryX = file.entryX;
    out.entryY = file.entryY;
    out.locateStartAndEnd();
    return true;
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
            if (cells[x][y] >= Code::FirstTeleport && cells[x][y] <= Code::LastTeleport)
                spawnParticles(1, float(32 * x), float(32 * y), 15, 0, 0, nullptr);
}

void LevelMap::restart() {
    PlayInput::resetInputAndFlush();
    RuleLog lines;
    play.restart(*this, &lines);
    writeLog(lines);
    if (!ball) ball = Ball::create(this);
}

void LevelMap::writeLog(const RuleLog& lines) {
    for (const std::string& line : lines) debugLog(line);
}

int LevelMap::isOutsideProtected(int x, int y) const {
    bool inside = protectedLeft <= x && x <= protectedRight && protectedTop <= y && y <= protectedBottom;
    return inside ? 0 : 1;
}

void LevelMap::clearProtected() { protectedLeft = protectedRight = protectedTop = protectedBottom = -1; }

void LevelMap::clearAll() {
    clearProtected();
    for (int x = 0; x < kBoardWidth; ++x)
        for (int y = 0; y < kBoardHeight; ++y) setTile(x, y, Code::Floor);
}

void LevelMap::randomize(int n) {
    for (int x = 0; x < kBoardWidth; ++x)
        for (int y = 0; y < kBoardHeight; ++y)
            if (isOutsideProtected(x, y)) setTile(x, y, randomInt(0, n) != 0 ? Code::Floor : Code::WallBrush);
}

void LevelMap::carryStrip(const Board& previous, int endX, int endY) {
    Strip strip = Board::carryStrip(previous, endX, endY);
    protectedLeft = strip.left;
    protectedTop = strip.top;
    protectedRight = strip.right;
    protectedBottom = strip.bottom;
}

void LevelMap::beforeRunStep(bool levelOver, const BallState& from) {
    if (!ball) return;
    ball->age += 1;
    lightNeighbours(from);
    // While the boards slide, the finished board's ball only sparkles.
    if (levelOver && randomInt(0, 1) == 1)
        spawnParticles(3, float(from.pixelX()), float(from.pixelY()), 1, 0, 0, nullptr);
}

void LevelMap::showBall(const RunStep& step, const PlayState& live, bool levelWasOver) {
    play = live;
    if (levelWasOver) return;
    writeLog(step.ballLines);
    showEvents(step.events);
}

void LevelMap::showLocks(const RunStep& step) {
    decayGlow();
    writeLog(step.lockLines);
}

void LevelMap::idleStep() {
    decayGlow();
    RuleLog lines;
    play.advanceLocks(*this, &lines);
    writeLog(lines);
}

void LevelMap::showEvents(const TickEvents& events) {
    if ((events.teleported || events.recalled) && audioManager) audioManager->playTeleport();
    if (events.bumped && audioManager) audioManager->bumpHook();
    if (events.keyTaken == Code::Key1 && audioManager) audioManager->playLockOpened();
    if (events.keyTaken == Code::Key2 && audioManager) audioManager->playLockClosed();
    if (events.restarted) {
        if (audioManager) audioManager->playDoorShut();
        PlayInput::resetInputAndFlush();  // the keys that were held do not carry over
    }
    const BallState& at = play.ball;
    if (events.rolled || events.restarted) loggedRestX = loggedRestY = -1;
    if (events.rolled) {
        spawnParticles(3, float(at.pixelX()), float(at.pixelY()), 2, 0, 0, nullptr);
        if (audioManager) audioManager->stepBallVolume(4);
    }
    if (events.rested) {
        if (at.x != loggedRestX || at.y != loggedRestY) {
            debugLog("ball rests at " + str(at.x) + "," + str(at.y));
            loggedRestX = at.x;
            loggedRestY = at.y;
        }
        if (randomInt(0, 1) == 1) spawnParticles(3, float(at.pixelX()), float(at.pixelY()), 1, 0, 0, nullptr);
        if (audioManager) audioManager->stepBallVolume(-1);
    }
    if (events.solved) {
        if (audioManager) audioManager->stepBallVolume(-10);
        spawnParticles(4, float(32 * play.ball.x), float(32 * play.ball.y), 30, 0, 0, nullptr);
        PlayInput::resetInputAndFlush();
        if (playLog) playLog->levelFinished(1);
    }
    if (events.startedRolling) {
        // One line a move: a log then tells where the player rolled.
        debugLog("ball rolls " + str(at.direction));
        if (audioManager) audioManager->rollStartHook();
    }
}

void LevelMap::lightNeighbours(const BallState& at) {
    for (int dx = -1; dx <= 1; ++dx) {
        for (int dy = -1; dy <= 1; ++dy) {
            int x = at.x + dx, y = at.y + dy;
            if ((dx == 0 && dy == 0) || !Board::onBoard(x, y)) continue;
            glowCell(x, y, (dx == 0 || dy == 0) ? 0 : 1);
        }
    }
}

int LevelMap::mouseCellX() { return (PlayInput::mouseX - 64) / 32; }

int LevelMap::mouseCellY() { return (PlayInput::mouseY - 64) / 32; }

void LevelMap::decayGlow() {
    for (auto& column : glow)
        for (int& g : column)
            if (g > 0) --g;
}

void LevelMap::draw(float originX, float originY, int withGlow, const EditingView* editing) const {
    BoardPainter::draw(*this, originX, originY, withGlow, editing);
}

}  // namespace qm
