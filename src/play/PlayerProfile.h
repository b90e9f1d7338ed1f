// One player's progress: the state of every level, the groups of five, and
// the one-time flags, mirrored in "save<n>.dat".
#pragma once
#include <memory>
#include <string>

namespace qm {

constexpr int kProfileLevels = 165;
constexpr int kProfileGroups = 33;

class PlayerProfile {
public:
    int levelStates[kProfileLevels] = {};
    int groupStates[kProfileGroups] = {};
    int profileNumber = 0;
    int currentLevel = 0;
    int currentGroup = 0;
    int onceFlags[10] = {};
    int tutorialPages[285];
    // 1 when the profile file exists but could not be read: it may hold the
    // player's progress, so it is never written over during this run.
    int saveBlocked = 0;

    static std::shared_ptr<PlayerProfile> create(int n);
    int markOnce(int index);
    void load();
    void reset();
    void save();
    void recomputeGroups();
    int groupLevelState(int j) const;
    int indexInGroup(int level) const;
    void setLevelResult(int level, int solved);
    void openLevel(int level);
    int isNotSkipped(int level) const;
    void advanceFrom(int level);
    int levelState(int level) const;
    std::string fileName() const;
    // The level play starts on: the current level, kept on the last level
    // once the campaign is finished.
    int playableLevel() const;
    // The furthest level the player has reached: the last one solved,
    // skipped or open, and never before the level play continues on.
    int furthestLevel() const;
    // A level played again from the level choice, finished: solved makes it
    // solved (a skipped level too), a skip changes nothing. The current level
    // stays where it is, so Play still continues at the player's frontier.
    void recordReplay(int level, int solved);
};

}  // namespace qm
