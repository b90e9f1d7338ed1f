// The progress column's tokens and the fade-in of a finished level's token.
#include <gtest/gtest.h>

#include "app/AppGlobals.h"
#include "play/GroupProgress.h"
#include "play/PlayerProfile.h"
#include "support/TempFolder.h"

using namespace qm;

namespace {

TEST(GroupProgressTest, SolvedTokenWaitsThreeHundredStepsThenFadesInOverTwentyFive) {
    GroupProgress progress;
    progress.states[2] = 1;
    progress.announce(2);
    EXPECT_EQ(progress.alphas[2], 0.0f);
    EXPECT_EQ(progress.alphas[0], 1.0f);
    for (int i = 0; i < 300; i++) progress.step();
    EXPECT_EQ(progress.alphas[2], 0.0f);
    EXPECT_EQ(progress.fadeDelay, 0);
    for (int i = 0; i < 24; i++) progress.step();
    EXPECT_LT(progress.alphas[2], 1.0f);
    progress.step();
    EXPECT_GT(progress.alphas[2], 1.0f);  // float sums of 0.04 end just over 1
    EXPECT_EQ(progress.fadeDelay, 0);
    progress.step();
    EXPECT_EQ(progress.fadeDelay, -1);
}

TEST(GroupProgressTest, SkippedTokenShowsAtOnce) {
    GroupProgress progress;
    progress.states[1] = 2;
    progress.announce(1);
    EXPECT_EQ(progress.alphas[1], 1.0f);
    EXPECT_EQ(progress.fadeDelay, -1);
}

TEST(GroupProgressTest, RefreshReadsTheCurrentGroupOfTheProfile) {
    test::TempFolder folder;
    resetGlobals();
    playerProfile = PlayerProfile::create(0);
    playerProfile->setLevelResult(0, 1);
    playerProfile->setLevelResult(1, 1);
    playerProfile->setLevelResult(2, 1);
    playerProfile->setLevelResult(3, 1);
    playerProfile->setLevelResult(4, 1);
    playerProfile->setLevelResult(5, 0);  // now in group 1
    GroupProgress progress;
    progress.refresh();
    EXPECT_EQ(progress.states[0], 2);
    EXPECT_EQ(progress.states[1], 0);
    resetGlobals();
}

}  // namespace
