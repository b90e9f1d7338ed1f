// The profile file: where the player continues, groups of five, one-time
// flags, and what is written back.
#include <gtest/gtest.h>

#include <string>

#include "app/AppGlobals.h"
#include "play/PlayerProfile.h"
#include "support/TempFolder.h"

using namespace qm;

namespace {

std::string profileBytes(std::initializer_list<int> states) {
    std::string bytes(175, '\0');
    int i = 0;
    for (int s : states) bytes[size_t(i++)] = char(s);
    return bytes;
}

class PlayerProfileTest : public ::testing::Test {
protected:
    void SetUp() override { resetGlobals(); }
    test::TempFolder folder;
};

TEST_F(PlayerProfileTest, NoFileStartsAFreshProfileAndWritesItAtOnce) {
    auto profile = PlayerProfile::create(0);
    EXPECT_EQ(profile->currentLevel, 0);
    EXPECT_EQ(profile->levelState(0), 3);
    EXPECT_EQ(profile->groupStates[0], 3);
    std::string bytes = test::readBinary("save0.dat");
    ASSERT_EQ(bytes.size(), 175u);
    EXPECT_EQ(bytes[0], 3);
    EXPECT_EQ(bytes[1], 0);
}

TEST_F(PlayerProfileTest, ContinuesWithTheFirstLevelNeitherSolvedNorSkipped) {
    test::writeBinary("save0.dat", profileBytes({1, 1, 2, 0, 0}));
    auto profile = PlayerProfile::create(0);
    EXPECT_EQ(profile->currentLevel, 3);
    EXPECT_EQ(profile->levelState(3), 3);
    EXPECT_EQ(profile->groupStates[0], 3);
    EXPECT_EQ(profile->indexInGroup(-1), 3);
}

TEST_F(PlayerProfileTest, GroupWithOneSkipIsFinishedButNotPerfect) {
    test::writeBinary("save0.dat", profileBytes({1, 1, 1, 1, 2}));
    auto profile = PlayerProfile::create(0);
    EXPECT_EQ(profile->groupStates[0], 2);
    EXPECT_EQ(profile->groupStates[1], 3);
    EXPECT_EQ(profile->groupStates[2], 0);
    EXPECT_EQ(profile->currentLevel, 5);
    EXPECT_EQ(profile->currentGroup, 1);
}

TEST_F(PlayerProfileTest, ShortFileKeepsFreshValuesForTheRest) {
    test::writeBinary("save0.dat", std::string("\x01\x01", 2));
    auto profile = PlayerProfile::create(0);
    EXPECT_EQ(profile->currentLevel, 2);
    EXPECT_EQ(profile->levelState(10), 0);
    EXPECT_EQ(profile->onceFlags[0], 0);
}

TEST_F(PlayerProfileTest, OnceFlagsAreMarkedOnlyOnceAndOnlyInRange) {
    auto profile = PlayerProfile::create(0);
    EXPECT_EQ(profile->markOnce(10), 0);
    EXPECT_EQ(profile->markOnce(-1), 0);
    EXPECT_EQ(profile->markOnce(3), 1);
    EXPECT_EQ(profile->markOnce(3), 0);
    profile->save();
    EXPECT_EQ(test::readBinary("save0.dat")[165 + 3], 1);
}

TEST_F(PlayerProfileTest, ResultsAdvanceAndAreSavedAtOnce) {
    auto profile = PlayerProfile::create(0);
    profile->setLevelResult(0, 1);
    EXPECT_EQ(profile->levelState(0), 1);
    EXPECT_EQ(profile->levelState(1), 3);
    EXPECT_EQ(profile->currentLevel, 1);
    profile->setLevelResult(1, 0);
    EXPECT_EQ(profile->levelState(1), 2);
    EXPECT_EQ(profile->isNotSkipped(1), 0);
    std::string bytes = test::readBinary("save0.dat");
    EXPECT_EQ(bytes[0], 1);
    EXPECT_EQ(bytes[1], 2);
    EXPECT_EQ(bytes[2], 3);
}

TEST_F(PlayerProfileTest, OpenLevelZeroChangesNothingAndJumpsOpenLockedLevels) {
    auto profile = PlayerProfile::create(0);
    profile->currentLevel = 0;
    profile->openLevel(0);
    EXPECT_EQ(profile->currentLevel, 0);
    profile->openLevel(40);
    EXPECT_EQ(profile->currentLevel, 40);
    EXPECT_EQ(profile->levelState(40), 3);
    EXPECT_EQ(profile->currentGroup, 8);
}

TEST_F(PlayerProfileTest, IndexInGroupOfTheCurrentLevel) {
    auto profile = PlayerProfile::create(0);
    profile->currentLevel = 12;
    profile->recomputeGroups();
    EXPECT_EQ(profile->indexInGroup(-1), 2);
}

TEST_F(PlayerProfileTest, FinishedCampaignPlaysOnOnTheLastLevel) {
    std::string bytes(175, '\x01');
    for (int i = 161; i < 175; i++) bytes[size_t(i)] = 0;
    test::writeBinary("save0.dat", bytes);
    auto profile = PlayerProfile::create(0);
    EXPECT_EQ(profile->currentLevel, 161);
    EXPECT_EQ(profile->playableLevel(), 160);
    // Results for numbers past the table are ignored, not written past it.
    profile->setLevelResult(300, 1);
    EXPECT_EQ(profile->levelState(300), 0);
}

TEST_F(PlayerProfileTest, TutorialTableNamesItsPages) {
    auto profile = PlayerProfile::create(0);
    EXPECT_EQ(profile->tutorialPages[0], 0);
    EXPECT_EQ(profile->tutorialPages[4], 5);
    EXPECT_EQ(profile->tutorialPages[13], 4);
    EXPECT_EQ(profile->tutorialPages[280], 6);
    EXPECT_EQ(profile->tutorialPages[5], -1);
}

}  // namespace
