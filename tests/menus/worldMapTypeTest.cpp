// The world map: the drawn route following the profile's progress, its dots
// and head, and the close that hands back to the level transition.
#include "menus/worldMapType.h"

#include <cmath>

#include "play/AssetCatalogue.h"
#include "play/PlayerProfile.h"
#include "audio/AudioManager.h"
#include "play/BoardTransition.h"
#include "menus/MenuTestRig.h"
#include "play/LevelMap.h"
#include "support/TempFolder.h"

namespace qm {
namespace {

class WorldMapTest : public test::MenuTestRig {
protected:
    void SetUp() override {
        MenuTestRig::SetUp();
        playerProfile = PlayerProfile::create(0);
    }
    // Levels 0..3 solved, 4 and 5 skipped: five levels count (level 0 never does).
    void threeSolvedTwoSkipped() {
        for (int level = 0; level <= 3; level++) playerProfile->setLevelResult(level, 1);
        for (int level = 4; level <= 5; level++) playerProfile->setLevelResult(level, 0);
    }
    float routeLength() const {
        float total = 0;
        for (const auto& s : map->route) total += s->length;
        return total;
    }
    // Opens the map and runs updates until the route has moved once.
    void openAndAnimateOnce() {
        map->openMenu();
        step(2, map);
    }

    test::TempFolder folder;
    std::shared_ptr<worldMapType> map;
};

TEST_F(WorldMapTest, AMapBuiltAt3Solved2SkippedShows270PixelsAtOnce) {
    threeSolvedTwoSkipped();
    map = worldMapType::create();
    EXPECT_FLOAT_EQ(map->targetLength(), 270.0f);
    EXPECT_FLOAT_EQ(map->drawnLength, 270.0f);
    EXPECT_EQ(map->state, menuScreenType::CLOSED);
    EXPECT_EQ(map->screenNumber, 9);
    EXPECT_EQ(map->particles, nullptr);

    openAndAnimateOnce();
    EXPECT_FLOAT_EQ(map->drawnLength, 270.0f);
    EXPECT_GT(map->headX, 0);
    EXPECT_GT(map->headY, 0);
}

TEST_F(WorldMapTest, OneMoreSolvedLevelMovesTheHead54PixelsOver108Updates) {
    threeSolvedTwoSkipped();
    map = worldMapType::create();
    playerProfile->setLevelResult(6, 1);
    map->openMenu();
    step(107, map);
    EXPECT_FLOAT_EQ(map->drawnLength, 323.0f);
    step(1, map);
    EXPECT_FLOAT_EQ(map->drawnLength, 324.0f);
    int headX = map->headX, headY = map->headY;
    step(20, map);
    EXPECT_FLOAT_EQ(map->drawnLength, 324.0f);
    EXPECT_EQ(map->headX, headX);
    EXPECT_EQ(map->headY, headY);
}

TEST_F(WorldMapTest, TheRouteOnlyMovesWhileTheMapIsShowing) {
    threeSolvedTwoSkipped();
    map = worldMapType::create();
    playerProfile->setLevelResult(6, 1);
    map->openMenu();
    step(40, map);
    map->closeMenu();
    EXPECT_FLOAT_EQ(map->drawnLength, 290.0f);
    step(80, map);
    EXPECT_FLOAT_EQ(map->drawnLength, 290.0f);
    // Reopened, it goes on from where it stopped, with a new layer of dots.
    auto oldLayer = map->particles;
    map->openMenu();
    EXPECT_NE(map->particles, oldLayer);
    EXPECT_EQ(map->particles->count(), 0);
    step(2, map);
    EXPECT_FLOAT_EQ(map->drawnLength, 291.0f);
}

TEST_F(WorldMapTest, DotsStandEvery40PixelsShiftedByThePhase) {
    threeSolvedTwoSkipped();
    map = worldMapType::create();
    openAndAnimateOnce();
    // Phase 0.04: dots at 1.6, 41.6, ... 241.6 pixels, then the head.
    EXPECT_FLOAT_EQ(map->phase, 0.04f);
    EXPECT_EQ(map->particles->count(), 7 + 1);
    // Every second update adds one more set.
    map->particles = ParticleNode::create();
    step(1, map);
    EXPECT_EQ(map->particles->count(), 0);
    step(1, map);
    EXPECT_EQ(map->particles->count(), 8);
}

TEST_F(WorldMapTest, NoProgressMeansNoDotsAndNoBall) {
    playerProfile->setLevelResult(0, 1);  // level 0 is not counted
    map = worldMapType::create();
    openAndAnimateOnce();
    step(40, map);
    EXPECT_FLOAT_EQ(map->drawnLength, 0.0f);
    EXPECT_EQ(map->particles->count(), 0);
    EXPECT_EQ(map->headX, -1);
    EXPECT_EQ(map->headY, -1);
}

TEST_F(WorldMapTest, BeyondTheRouteTheDotsStopAtItsEndAndTheHeadSitsOnIt) {
    for (int level = 0; level < kProfileLevels; level++) playerProfile->levelStates[level] = 1;
    map = worldMapType::create();
    ASSERT_GT(map->drawnLength, routeLength());
    openAndAnimateOnce();
    EXPECT_EQ(map->headX, 101);
    EXPECT_EQ(map->headY, 273);
    int dots = int(std::floor((routeLength() - 0.04f * 40.0f) / 40.0f)) + 1;
    EXPECT_EQ(map->particles->count(), dots + 1);
}

TEST_F(WorldMapTest, AProfileResetClearsTheRouteAndTheHead) {
    threeSolvedTwoSkipped();
    map = worldMapType::create();
    openAndAnimateOnce();
    ASSERT_GT(map->headX, 0);
    playerProfile->reset();
    map->particles = ParticleNode::create();
    step(2, map);
    EXPECT_FLOAT_EQ(map->drawnLength, 0.0f);
    EXPECT_EQ(map->headX, -1);
    EXPECT_EQ(map->headY, -1);
    EXPECT_EQ(map->particles->count(), 0);
}

TEST_F(WorldMapTest, ClosingHoldsTheMap20UpdatesFadesIt40AndResumesTheTransition) {
    audioManager = AudioManager::create();
    audioManager->pageTurnSound = testSound();
    currentMap = LevelMap::createEmpty(5);
    mapTransition = BoardTransition::create(0, 0, 0);
    map = worldMapType::create();
    map->openMenu();
    EXPECT_EQ(audioManager->effectChannels[0]->sound(), nullptr) << "the map opens without the page-turn sound";
    EXPECT_EQ(gameController->getCurrentScreen(), 9);
    step(40, map);
    ASSERT_EQ(map->state, menuScreenType::OPEN);
    EXPECT_EQ(audioManager->musicIndex, 0);

    // Any key once fully shown closes it.
    press(VK_SPACE, map);
    EXPECT_EQ(map->state, menuScreenType::CLOSING);
    EXPECT_EQ(map->fade, 60);  // 40 x 1.5
    EXPECT_EQ(audioManager->musicIndex, 1) << "resume() sets up the music of level 5's group";
    step(59, map);
    EXPECT_EQ(map->state, menuScreenType::CLOSING);
    step(1, map);
    EXPECT_EQ(map->state, menuScreenType::CLOSED);
}

TEST_F(WorldMapTest, CloseRoundsTheStretchedFade) {
    map = worldMapType::create();
    map->state = menuScreenType::OPENING;
    map->fade = 25;
    map->closeMenu();
    EXPECT_EQ(map->fade, 38);  // 37.5 to the nearest
    EXPECT_EQ(map->state, menuScreenType::CLOSING);
}

TEST_F(WorldMapTest, ATutorialPageKeepsTheMapFromClosing) {
    map = worldMapType::create();
    map->openMenu();
    step(40, map);
    inputKeyEvent(VK_ENTER, true);
    map->updateMenu(1);
    EXPECT_EQ(map->state, menuScreenType::OPEN);
    map->updateMenu(0);
    EXPECT_EQ(map->state, menuScreenType::CLOSING);
}

class WorldMapDrawingTest : public WorldMapTest {
protected:
    void SetUp() override {
        WorldMapTest::SetUp();
        ASSERT_TRUE(openGraphics(800, 600, 0, 60, 0));
        writePicture("worldMap.png", 800, 600, {0xFF1E2832u});
        writePicture("ball.png", 20, 20, {0xFFFFFFFFu});
        setAutoMidHandle(1);  // the ball is centred on its position
        AssetCatalogue::ballImage = loadImage("media/ball.png", 0);
        threeSolvedTwoSkipped();
        map = worldMapType::create();
        map->openMenu();
        step(40, map);
        blackFrame();
    }
    void TearDown() override {
        WorldMapTest::TearDown();
        AssetCatalogue::resetAll();
    }
};

TEST_F(WorldMapDrawingTest, TheBallSitsOnTheHeadOnceTheMapIsMoreThanHalfShown) {
    ASSERT_GT(map->headX, 0);
    map->drawMenu();
    EXPECT_EQ(pixel(map->headX, map->headY), 0xFFFFFFu);
    EXPECT_EQ(pixel(map->headX - 8, map->headY - 8), 0xFFFFFFu) << "drawn at 0.8 scale";
    EXPECT_EQ(pixel(map->headX + 7, map->headY + 7), 0xFFFFFFu);
    EXPECT_EQ(pixel(map->headX + 9, map->headY + 9), 0x1E2832u);
    EXPECT_EQ(pixel(5, 5), 0x1E2832u);

    blackFrame();
    map->fade = 20;
    map->drawMenu();
    EXPECT_EQ(pixel(map->headX, map->headY), pixel(5, 5)) << "no ball at half opacity";
}

TEST_F(WorldMapDrawingTest, NoBallWithoutAHeadOrWithoutTheBallPicture) {
    map->headX = -1;
    map->drawMenu();
    EXPECT_EQ(pixel(101, 273), 0x1E2832u);
    AssetCatalogue::ballImage = nullptr;
    map->headX = 101;
    map->drawMenu();
    EXPECT_EQ(pixel(101, 273), 0x1E2832u);
}

}  // namespace
}  // namespace qm
