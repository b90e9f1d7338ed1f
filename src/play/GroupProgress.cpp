// The five tokens of the current group in the frame's right column; a
// finished level's token fades in a few seconds after the level ends.
#include "play/GroupProgress.h"

#include "play/Globals.h"
#include "play/LevelMap.h"
#include "play/PlayerProfile.h"
#include "runtime/Graphics.h"

namespace qm {

std::shared_ptr<GroupProgress> GroupProgress::create() {
    auto progress = std::make_shared<GroupProgress>();
    int mid = autoMidHandle();
    setAutoMidHandle(1);
    progress->ring = loadImage("media\\levelRing.png", -1);
    setAutoMidHandle(mid);
    return progress;
}

void GroupProgress::refresh() {
    // A level played again shows the tokens of its own group.
    shownGroup = replayGroup >= 0 ? replayGroup : playerProfile ? playerProfile->currentGroup : -1;
    for (int i = 0; i < 5; i++) {
        int state = !playerProfile      ? 0
                    : replayGroup >= 0 ? playerProfile->levelState(replayGroup * 5 + i)
                                       : playerProfile->groupLevelState(i);
        states[i] = state == 1 ? 1 : state == 2 ? 2 : 0;
    }
}

void GroupProgress::draw() {
    // Where the player is: the place of the level on the board, while the
    // column shows its group (the next group's board slides in before the
    // column turns to it).
    if (ring && currentMap && currentMap->levelNumber >= 0 && currentMap->levelNumber / 5 == shownGroup) {
        setAlpha(1);
        drawImage(ring, 754, float(120 + 64 * (currentMap->levelNumber % 5)), 0);
    }
    for (int i = 0; i < 5; i++) {
        setAlpha(alphas[i]);
        int y = 120 + 64 * i;
        if (states[i] == 1) drawImage(tokensImage, 754, float(y), 0);
        else if (states[i] == 2) drawImage(tokensImage, 754, float(y), 1);
    }
}

void GroupProgress::announce(int index) {
    if (index < 0 || index > 4) return;
    fadeIndex = index;
    for (float& alpha : alphas) alpha = 1.0f;
    // The finished level's own token decides: by now the board has marked it
    // solved or skipped. A skipped token shows at once (the sparks fly to it);
    // any other fades in after the wait.
    if (states[index] != 2) {
        alphas[index] = 0.0f;
        fadeDelay = 300;
    } else {
        fadeDelay = -1;
    }
}

void GroupProgress::step() {
    if (fadeDelay == 0) {
        if (alphas[fadeIndex] >= 1.0f) fadeDelay = -1;
        else alphas[fadeIndex] += 0.04f;
    }
    if (fadeDelay > 0) fadeDelay -= 1;
}

void GroupProgress::reset() {
    refresh();
    for (float& alpha : alphas) alpha = 1.0f;
    fadeDelay = -1;
}

}  // namespace qm
