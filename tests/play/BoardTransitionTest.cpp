// The slide from a finished board to the next and the start of the new level.
#include <gtest/gtest.h>

#include "play/AssetCatalogue.h"
#include "app/AppGlobals.h"
#include "play/GroupProgress.h"
#include "play/PlayerProfile.h"
#include "play/BoardTransition.h"
#include "play/HoverButtonBar.h"
#include "support/SessionDouble.h"
#include "support/MapText.h"
#include "play/Particle.h"
#include "runtime/Diagnostics.h"
#include "runtime/Runtime.h"
#include "support/TempFolder.h"

using namespace qm;
using test::mapFromText;

namespace {

class BoardTransitionTest : public ::testing::Test {
protected:
    void SetUp() override {
        resetGlobals();
        AssetCatalogue::resetAll();
        RuntimeOptions options;
        options.headless = true;
        ASSERT_TRUE(runtimeInit(options));
        setDebugLogHook([this](const std::string& line) { log.push_back(line); });
        folder = std::make_unique<test::TempFolder>();
        playerProfile = PlayerProfile::create(0);
        buttonBar = std::make_shared<HoverButtonBar>();
        buttonBar->progressIndicator = GroupProgress::create();
    }
    void TearDown() override {
        setDebugLogHook(nullptr);
        resetGlobals();
        AssetCatalogue::resetAll();
        folder.reset();
        runtimeShutdown();
    }
    void atLevel(int level) {
        playerProfile->currentLevel = level;
        playerProfile->currentGroup = level / 5;
    }
    int count(const std::string& line) const {
        int n = 0;
        for (const auto& l : log) n += l == line;
        return n;
    }
    std::vector<std::string> log;
    std::unique_ptr<test::TempFolder> folder;
};

TEST_F(BoardTransitionTest, RestingTransitionOnlyStepsTheProgressColumn) {
    currentMap = mapFromText({"S"}, 1);
    atLevel(1);
    auto t = BoardTransition::create(0, 0, 0);
    EXPECT_EQ(t->isAdvancing(), 0);
    GroupProgress& progress = *buttonBar->progressIndicator;
    progress.fadeDelay = 3;
    t->update();
    EXPECT_EQ(currentMap->shiftX(), 0);
    EXPECT_EQ(currentMap->shiftY(), 0);
    EXPECT_EQ(progress.fadeDelay, 2);
    EXPECT_EQ(backgroundOffsetX, 0);
}

TEST_F(BoardTransitionTest, SlideMovesAtMostEightPixelsPerAxisAndCoversTheRest) {
    currentMap = mapFromText({"S"}, 1);
    auto t = BoardTransition::create(-5, 13, 0);
    t->update();
    EXPECT_EQ(currentMap->shiftX(), -5) << "a remaining 5 pixels is one step of 5";
    EXPECT_EQ(currentMap->shiftY(), 8);
    t->update();
    EXPECT_EQ(currentMap->shiftX(), -5);
    EXPECT_EQ(currentMap->shiftY(), 13);
    t->update();
    EXPECT_EQ(currentMap->shiftY(), 13);
}

TEST_F(BoardTransitionTest, ScrollMovesBothBoardsTheParticlesAndTheBackground) {
    currentMap = mapFromText({"S"}, 1);
    nextMap = mapFromText({"S"}, 2);
    nextMap->addShift(64, 0);
    particleLayer = ParticleNode::create();
    spawnParticles(1, 32, 32, 1, 0, 0, particleLayer);  // a teleport glow drawn with its board shift
    auto t = BoardTransition::create(0, 0, 0);
    t->scrollBy(-8, 3);
    EXPECT_EQ(currentMap->shiftX(), -8);
    EXPECT_EQ(nextMap->shiftX(), 56);
    EXPECT_EQ(nextMap->shiftY(), 3);
    EXPECT_EQ(std::static_pointer_cast<Particle>(particleLayer->next)->shiftX, -8.0f);
    EXPECT_EQ(backgroundOffsetX, -8);
    EXPECT_EQ(backgroundOffsetY, 3);
}

TEST_F(BoardTransitionTest, FinishedLevelSlidesTheNextBoardInAndStartsIt) {
    atLevel(2);
    auto finished = mapFromText({"S.E"}, 2);
    currentMap = finished;
    auto following = mapFromText({"", ".S"}, 3);
    following->setEntry(2, 1);
    nextMap = following;
    following->addShift(64, 32);
    following->play.ball.placeAt(5, 5);
    mapTransition = BoardTransition::create(following->entryPixelX(), following->entryPixelY(), 1);
    EXPECT_EQ(mapTransition->groupFinished, 0);
    EXPECT_EQ(mapTransition->groupIndex, 2);

    int steps = 0;
    while (mapTransition->isAdvancing() && steps < 100) {
        mapTransition->update();
        ++steps;
    }
    EXPECT_EQ(steps, 8 + 1) << "64 pixels at 8 a step, then the swap";
    EXPECT_EQ(currentMap, following);
    EXPECT_EQ(nextMap, nullptr);
    EXPECT_EQ(following->shiftX(), 0);
    EXPECT_EQ(following->shiftY(), 0);
    EXPECT_EQ(finished->shiftX(), -64);
    EXPECT_EQ(finished->shiftY(), -32);
    EXPECT_EQ(backgroundOffsetX, -64);
    EXPECT_EQ(count("start level"), 1);
    EXPECT_EQ(following->play.ball.x, 1) << "the new level restarted on its start";
    EXPECT_EQ(following->play.ball.y, 1);
    EXPECT_EQ(AssetCatalogue::artStyle, 0);
    EXPECT_EQ(mapTransition->targetX, 0);
}

TEST_F(BoardTransitionTest, FifthLevelOfAGroupOpensTheWorldMapAndKeepsTheOldArt) {
    atLevel(9);
    currentMap = mapFromText({"S.E"}, 9);
    AssetCatalogue::selectArtStyle(1);
    auto following = mapFromText({"S"}, 10);
    nextMap = following;
    mapTransition = BoardTransition::create(0, 0, 1);
    EXPECT_EQ(mapTransition->groupFinished, 1);
    mapTransition->update();
    EXPECT_EQ(currentMap, following);
    EXPECT_EQ(AssetCatalogue::artStyle, 1) << "the world map's closing applies the new art";
    mapTransition->resume();
    EXPECT_EQ(AssetCatalogue::artStyle, 2);
}

TEST_F(BoardTransitionTest, StartingALevelDirectlyAppliesItsArtAndRestartsIt) {
    atLevel(12);
    currentMap = mapFromText({"", "", "..S"}, 12);
    mapTransition = BoardTransition::create(0, 0, 0);
    mapTransition->startLevel();
    EXPECT_EQ(AssetCatalogue::artStyle, 2);
    EXPECT_EQ(currentMap->play.ball.x, 2);
    EXPECT_EQ(currentMap->play.ball.y, 2);
    EXPECT_EQ(count("start level"), 1);
}

}  // namespace
