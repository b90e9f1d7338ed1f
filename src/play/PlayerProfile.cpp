// The player profile: level states (0 locked, 1 solved, 2 skipped, 3 open),
// groups of five, one-time flags; one byte per value in "save<n>.dat".
#include "play/PlayerProfile.h"

#include "play/LevelMap.h"
#include "runtime/Diagnostics.h"
#include "runtime/Files.h"
#include "runtime/TextConv.h"

namespace qm {

std::shared_ptr<PlayerProfile> PlayerProfile::create(int n) {
    auto profile = std::make_shared<PlayerProfile>();
    profile->profileNumber = n;
    for (int& page : profile->tutorialPages) page = -1;
    profile->tutorialPages[0] = 0;
    profile->tutorialPages[3] = 1;
    profile->tutorialPages[4] = 5;
    profile->tutorialPages[6] = 3;
    profile->tutorialPages[9] = 2;
    profile->tutorialPages[13] = 4;
    profile->tutorialPages[280] = 6;
    profile->load();
    return profile;
}

std::string PlayerProfile::fileName() const { return "save" + str(profileNumber) + ".dat"; }

int PlayerProfile::markOnce(int index) {
    if (index < 0 || index > 9 || onceFlags[index] != 0) return 0;
    onceFlags[index] = 1;
    return 1;
}

void PlayerProfile::load() {
    KeptFile kept = readKeptFile(fileName(), kProfileLevels + 10);
    if (kept.outcome == KeptFileOutcome::Unreadable) {
        saveBlocked = 1;
        debugLog(fileName() + " cannot be read (" + kept.reason +
                 "): playing from level 0, progress is kept in memory only and the file is left as it is");
    }
    if (kept.outcome != KeptFileOutcome::Read) {
        reset();
        return;
    }
    StreamPtr file = memoryStream(std::move(kept.bytes));
    bool found = false;
    for (int i = 0; i < kProfileLevels; i++) {
        if (!file->eof()) levelStates[i] = file->readByte();
        if (!found && levelStates[i] != 1 && levelStates[i] != 2) {
            levelStates[i] = 3;
            currentLevel = i;
            found = true;
        }
    }
    for (int i = 0; i < 10; i++) {
        if (!file->eof()) onceFlags[i] = file->readByte();
    }
    file->close();
    recomputeGroups();
}

void PlayerProfile::reset() {
    for (int& flag : onceFlags) flag = 0;
    for (int i = 1; i < kProfileLevels; i++) levelStates[i] = 0;
    for (int g = 1; g < kProfileGroups; g++) groupStates[g] = 0;
    levelStates[0] = 3;
    groupStates[0] = 3;
    currentLevel = 0;
    currentGroup = 0;
    recomputeGroups();
    save();
}

void PlayerProfile::save() {
    if (saveBlocked == 1) return;
    // Written beside the old file and renamed over it, so progress is never
    // left half-written by a crash or a full disk. A failed save leaves the
    // old file, the player is told, and the next change of progress writes
    // this whole profile again.
    StreamPtr file = writeKeptFile(fileName());
    for (int state : levelStates) file->writeByte(state & 0xFF);
    for (int flag : onceFlags) file->writeByte(flag & 0xFF);
    file->close();
}

void PlayerProfile::recomputeGroups() {
    bool found = false;
    for (int g = 0; g < kProfileGroups; g++) {
        int score = 0;
        for (int i = 0; i < 5; i++) {
            int state = levelStates[g * 5 + i];
            if (state == 1) score += 10;
            else if (state == 2) score += 9;
        }
        if (score >= 50) groupStates[g] = 1;
        else if (score >= 45) groupStates[g] = 2;
        else if (!found) {
            groupStates[g] = 3;
            found = true;
        } else {
            groupStates[g] = 0;
        }
    }
    currentGroup = currentLevel / 5;
}

int PlayerProfile::groupLevelState(int j) const { return levelState(currentGroup * 5 + j); }

int PlayerProfile::indexInGroup(int level) const {
    if (level == -1) level = currentLevel;
    return level - currentGroup * 5;
}

void PlayerProfile::setLevelResult(int level, int solved) {
    if (level < 0 || level >= kProfileLevels) return;
    levelStates[level] = solved != 0 ? 1 : 2;
    advanceFrom(level);
}

void PlayerProfile::openLevel(int level) { advanceFrom(level - 1); }

int PlayerProfile::isNotSkipped(int level) const { return levelState(level) != 2 ? 1 : 0; }

void PlayerProfile::advanceFrom(int level) {
    if (level < 0) return;
    if (level + 1 < kProfileLevels && levelStates[level + 1] == 0) levelStates[level + 1] = 3;
    currentLevel = level + 1;
    recomputeGroups();
    save();
}

int PlayerProfile::levelState(int level) const {
    if (level == -1) level = currentLevel;
    if (level < 0 || level >= kProfileLevels) return 0;
    return levelStates[level];
}

int PlayerProfile::furthestLevel() const {
    int furthest = playableLevel();
    for (int level = kLastLevel; level > furthest; --level)
        if (levelStates[level] != 0) return level;
    return furthest;
}

void PlayerProfile::recordReplay(int level, int solved) {
    if (level < 0 || level >= kProfileLevels || solved == 0) return;
    levelStates[level] = 1;
    recomputeGroups();
    save();
}

int PlayerProfile::playableLevel() const {
    // Past the last level there is no board; a finished campaign goes on with
    // the last level instead of an empty one.
    return currentLevel > kLastLevel ? kLastLevel : currentLevel;
}

}  // namespace qm
