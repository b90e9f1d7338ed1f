// The slide from a finished board to the next one (both boards, the particles
// and the background move together), and the start of the new level.
#include "play/BoardTransition.h"

#include <algorithm>
#include <cstdlib>

#include "play/AssetCatalogue.h"
#include "play/Globals.h"
#include "play/GroupProgress.h"
#include "play/PlayerProfile.h"
#include "audio/AudioManager.h"
#include "play/HoverButtonBar.h"
#include "playlog/GameLog.h"
#include "play/LevelMap.h"
#include "play/ParticleNode.h"
#include "runtime/Diagnostics.h"

namespace qm {

namespace {

GroupProgress* progressColumn() { return buttonBar ? buttonBar->progressIndicator.get() : nullptr; }

constexpr int kSlideStep = 8;

int stepToward(int distance) {
    int magnitude = std::min(std::abs(distance), kSlideStep);
    return distance < 0 ? -magnitude : magnitude;
}

}  // namespace

std::shared_ptr<BoardTransition> BoardTransition::create(int targetX, int targetY, int advancing) {
    auto t = std::make_shared<BoardTransition>();
    t->targetX = targetX;
    t->targetY = targetY;
    t->advancing = advancing;
    t->groupIndex = playerProfile ? playerProfile->indexInGroup(-1) : 0;
    if (advancing == 0) {
        if (auto* progress = progressColumn()) progress->reset();
        return t;
    }
    if (t->groupIndex == 4) {
        t->groupFinished = 1;
        if (audioManager) audioManager->playOohOoh();
    } else {
        t->groupFinished = 0;
        if (currentMap && currentMap->levelNumber >= 0 && audioManager) audioManager->playOoh(t->groupIndex);
    }
    if (auto* progress = progressColumn()) progress->announce(t->groupIndex);
    return t;
}

bool BoardTransition::update() {
    bool swapped = false;
    if (currentMap) {
        int stepX = stepToward(targetX - currentMap->shiftX());
        int stepY = stepToward(targetY - currentMap->shiftY());
        if (stepX != 0 || stepY != 0) {
            scrollBy(stepX, stepY);
        } else if (advancing == 1 && nextMap) {
            swapBoards();
            startLevel();
            advancing = 0;
            swapped = true;
        }
    }
    if (auto* progress = progressColumn()) progress->step();
    return swapped;
}

void BoardTransition::resume() {
    if (!currentMap) return;
    AssetCatalogue::selectArtStyle(currentMap->tileSet);
    if (audioManager) audioManager->changeMusic(currentMap->levelNumber / 5);
    if (auto* progress = progressColumn()) progress->refresh();
}

void BoardTransition::swapBoards() {
    currentMap = nextMap;
    nextMap = nullptr;
    if (playLog && currentMap) playLog->levelStarted(currentMap->levelNumber);
}

void BoardTransition::startLevel() {
    if (!currentMap) return;
    // After a group's last level the world map is up; its closing applies the
    // new art and music through resume().
    if (groupFinished == 0) {
        AssetCatalogue::selectArtStyle(currentMap->tileSet);
        if (audioManager) audioManager->changeMusic(currentMap->levelNumber / 5);
    }
    debugLog("start level");
    // The last level of a group: the next group's music is decoded meanwhile,
    // so the change of track after it does not hold the game up.
    if (audioManager && currentMap->levelNumber % 5 == 4) audioManager->prepareTrack(currentMap->levelNumber / 5 + 1);
    currentMap->startEffects();
    currentMap->restart();
    targetX = currentMap->shiftX();
    targetY = currentMap->shiftY();
}

void BoardTransition::scrollBy(int dx, int dy) {
    if (currentMap) currentMap->addShift(dx, dy);
    if (nextMap) nextMap->addShift(dx, dy);
    if (particleLayer) particleLayer->move(dx, dy);
    backgroundOffsetX += dx;
    backgroundOffsetY += dy;
}

}  // namespace qm
