// The sound manager's decisions, checked through the runtime's channel
// bookkeeping in headless mode and the debug lines it writes.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/AppGlobals.h"
#include "audio/AudioManager.h"
#include "runtime/Clock.h"
#include "runtime/Diagnostics.h"
#include "runtime/Runtime.h"

namespace qm {
namespace {

// A second of stereo silence, long enough to be still playing when the next
// effects start.
SoundPtr testSound(bool loop = false) {
    auto sound = std::make_shared<TSound>();
    sound->frames = 44100;
    sound->samples.assign(44100 * 2, 0.0f);
    sound->loop = loop;
    return sound;
}

class AudioManagerTest : public ::testing::Test {
protected:
    void SetUp() override {
        resetGlobals();
        RuntimeOptions options;
        options.headless = true;
        ASSERT_TRUE(runtimeInit(options));
        setDebugLogHook([this](const std::string& line) { lines.push_back(line); });
    }
    void TearDown() override {
        setDebugLogHook(nullptr);
        runtimeShutdown();
        resetGlobals();
    }
    int count(const std::string& line) const { return int(std::count(lines.begin(), lines.end(), line)); }

    // A manager whose track and effects are real samples, so a channel that
    // was asked to play shows it.
    std::shared_ptr<AudioManager> managerWithSounds() {
        auto manager = AudioManager::create(1.0f, 1.0f);
        manager->music = testSound(true);
        manager->ballSound = testSound(true);
        manager->oohSound = testSound();
        manager->oohOohSound = testSound();
        manager->doorShutSound = testSound();
        manager->lockOpenedSound = testSound();
        manager->chimesSound = testSound();
        manager->teleportSound = testSound();
        lines.clear();
        return manager;
    }

    std::vector<std::string> lines;
};

TEST_F(AudioManagerTest, StartUpLoadsTrackZeroSilentlyAndTakesTheOptionVolumes) {
    auto manager = AudioManager::create(1.5f, 0.5f);

    EXPECT_EQ(manager->musicFiles[0], "media\\music\\tarn_flutedance.ogg");
    for (int i = 1; i < AudioManager::kMusicTracks; ++i) EXPECT_EQ(manager->musicFiles[i], "media\\music\\tuibirds.ogg");
    EXPECT_EQ(manager->musicIndex, 0);
    EXPECT_FLOAT_EQ(manager->soundVolume, 1.5f);
    EXPECT_FLOAT_EQ(manager->musicVolume, 0.5f);
    // Restart 0 at start-up: the music waits for the first startMusic.
    EXPECT_EQ(manager->musicChannel, nullptr);
    ASSERT_NE(manager->effectChannels[0], nullptr);
    ASSERT_NE(manager->effectChannels[1], nullptr);
    EXPECT_NE(manager->effectChannels[0], manager->effectChannels[1]);
    EXPECT_FLOAT_EQ(manager->effectChannels[0]->volume(), 1.5f);
    EXPECT_FLOAT_EQ(manager->effectChannels[1]->volume(), 1.5f);

    const std::vector<std::string> expected = {"Music change - -1 to0", "Music started but is too quiet",
                                               "Volume set to 1.500000"};
    EXPECT_EQ(lines, expected);
}

TEST_F(AudioManagerTest, ChangingToTheSameTrackDoesNothing) {
    auto manager = managerWithSounds();
    manager->changeMusic(3);
    // No media folder here: track 3 loads nothing, a channel but no sound.
    EXPECT_EQ(manager->musicIndex, 3);
    EXPECT_EQ(manager->music, nullptr);
    ChannelPtr channel = manager->musicChannel;
    ASSERT_NE(channel, nullptr);
    EXPECT_EQ(count("Music change - 0 to3"), 1);
    EXPECT_EQ(count("Attempted to play Null sound"), 1);

    lines.clear();
    manager->changeMusic(3);
    EXPECT_EQ(lines, std::vector<std::string>{"Music change - no change"});
    EXPECT_EQ(manager->musicChannel, channel);
}

// Every group after the first names the same file: the next group restarts
// the track already decoded, on a new channel, instead of decoding it again.
TEST_F(AudioManagerTest, AGroupOfTheSameFileKeepsTheDecodedTrack) {
    auto manager = managerWithSounds();
    manager->changeMusic(4);
    manager->music = testSound(true);  // as if the birds had been decoded
    SoundPtr birds = manager->music;
    ChannelPtr before = manager->musicChannel;
    lines.clear();
    manager->changeMusic(5);
    EXPECT_EQ(manager->music, birds);
    EXPECT_NE(manager->musicChannel, before) << "the track starts again";
    EXPECT_EQ(count("Music change - 4 to5"), 1);
    manager->changeMusic(0);
    EXPECT_NE(manager->music, birds) << "another file is loaded";
}

TEST_F(AudioManagerTest, MusicStartsOnlyWhenTheVolumeRisesPastTheThresholdWithRestart) {
    auto manager = managerWithSounds();
    manager->setMusicVolume(0.02f, 1);
    EXPECT_EQ(manager->musicChannel, nullptr);

    manager->setMusicVolume(0.5f, 0);
    EXPECT_EQ(manager->musicChannel, nullptr) << "restart 0 must not start the music";

    manager->setMusicVolume(0.02f, 1);
    manager->setMusicVolume(0.5f, 1);
    ASSERT_NE(manager->musicChannel, nullptr);
    EXPECT_TRUE(manager->musicChannel->isPlaying());
    EXPECT_EQ(manager->musicChannel->sound(), manager->music);
    EXPECT_FLOAT_EQ(manager->musicChannel->volume(), 0.5f);

    // Dropping below the threshold stops it and frees the channel.
    ChannelPtr playing = manager->musicChannel;
    manager->setMusicVolume(0.0f, 1);
    EXPECT_EQ(manager->musicChannel, nullptr);
    EXPECT_FALSE(playing->isPlaying());
}

TEST_F(AudioManagerTest, ExactlyFivePercentIsNeitherARiseNorAFall) {
    auto manager = managerWithSounds();
    manager->setMusicVolume(0.0f, 1);
    manager->setMusicVolume(0.05f, 1);
    EXPECT_EQ(manager->musicChannel, nullptr);

    // From exactly 0.05 upwards is not a rise either.
    manager->setMusicVolume(0.5f, 1);
    EXPECT_EQ(manager->musicChannel, nullptr);

    // Music playing at 0.5, then 0.05, then 0: neither step counts as a fall.
    manager->setMusicVolume(0.0f, 1);
    manager->setMusicVolume(0.5f, 1);
    ASSERT_NE(manager->musicChannel, nullptr);
    manager->setMusicVolume(0.05f, 1);
    manager->setMusicVolume(0.0f, 1);
    ASSERT_NE(manager->musicChannel, nullptr);
    EXPECT_TRUE(manager->musicChannel->isPlaying());
    EXPECT_FLOAT_EQ(manager->musicChannel->volume(), 0.0f);

    // A start request while it plays leaves the channel alone.
    manager->musicVolume = 1.0f;
    ChannelPtr channel = manager->musicChannel;
    manager->startMusic();
    EXPECT_EQ(manager->musicChannel, channel);
    EXPECT_EQ(count("Music channel already exists but asked to start again"), 1);
}

TEST_F(AudioManagerTest, VolumesCycleThroughTheFiveSteps) {
    auto manager = managerWithSounds();
    manager->setSoundVolume(0.75f);
    manager->cycleSoundVolume();
    EXPECT_FLOAT_EQ(manager->soundVolume, 1.0f);
    EXPECT_FLOAT_EQ(manager->effectChannels[1]->volume(), 1.0f);

    std::vector<float> seen;
    for (int i = 0; i < 5; ++i) {
        manager->cycleSoundVolume();
        seen.push_back(manager->soundVolume);
    }
    EXPECT_EQ(seen, (std::vector<float>{1.5f, 2.0f, 0.0f, 0.5f, 1.0f}));

    // The music cycle restarts the music as it comes back from 0.
    manager->setMusicVolume(2.0f, 1);
    manager->cycleMusicVolume();
    EXPECT_FLOAT_EQ(manager->musicVolume, 0.0f);
    EXPECT_EQ(manager->musicChannel, nullptr);
    manager->cycleMusicVolume();
    EXPECT_FLOAT_EQ(manager->musicVolume, 0.5f);
    EXPECT_NE(manager->musicChannel, nullptr);
}

TEST_F(AudioManagerTest, EffectsAlternateAndTheThirdCutsOffTheFirst) {
    auto manager = managerWithSounds();
    manager->playOoh(2);
    manager->playDoorShut();
    ChannelPtr first = manager->effectChannels[0];
    ChannelPtr second = manager->effectChannels[1];
    EXPECT_EQ(first->sound(), manager->oohSound);
    EXPECT_FLOAT_EQ(first->rate(), 1.4f);
    EXPECT_EQ(second->sound(), manager->doorShutSound);
    EXPECT_TRUE(first->isPlaying());
    EXPECT_TRUE(second->isPlaying());

    manager->playLockOpened();
    EXPECT_EQ(first->sound(), manager->lockOpenedSound) << "the oldest effect gives way";
    EXPECT_FLOAT_EQ(first->rate(), 1.0f);
    EXPECT_EQ(second->sound(), manager->doorShutSound) << "the newer effect keeps sounding";
    EXPECT_EQ(manager->nextEffectChannel, 1);

    for (int i = 0; i < 50; ++i) {
        manager->playTeleport();
        const float rate = manager->effectChannels[1 - manager->nextEffectChannel]->rate();
        EXPECT_GE(rate, 1.0f);
        EXPECT_LT(rate, 1.3f);
    }
}

TEST_F(AudioManagerTest, AMissingEffectIsReportedAndStillTakesItsTurn) {
    auto manager = managerWithSounds();
    manager->pageTurnSound = nullptr;
    manager->playPageTurn();
    EXPECT_EQ(lines, std::vector<std::string>{"Attempted to play Null sound"});
    EXPECT_EQ(manager->nextEffectChannel, 1);
    EXPECT_FALSE(manager->effectChannels[0]->isPlaying());
}

TEST_F(AudioManagerTest, ChimesRingAtMostOncePerGap) {
    auto manager = managerWithSounds();
    // Within the first gap of the clock nothing rings: the last time starts at 0.
    manager->playChimes();
    EXPECT_EQ(manager->nextEffectChannel, 0);

    delayMs(1000);
    manager->playChimes();
    EXPECT_EQ(manager->effectChannels[0]->sound(), manager->chimesSound);
    EXPECT_EQ(manager->lastChimesTime, 1000);
    delayMs(300);
    manager->playChimes();
    EXPECT_EQ(manager->nextEffectChannel, 1) << "the 300 ms call is ignored";
    delayMs(300);
    manager->playChimes();
    EXPECT_EQ(manager->nextEffectChannel, 1) << "600 ms is not past the gap";
    delayMs(100);
    manager->playChimes();
    EXPECT_EQ(manager->nextEffectChannel, 0) << "the 700 ms call rings";
    EXPECT_EQ(manager->effectChannels[1]->sound(), manager->chimesSound);
    EXPECT_EQ(manager->lastChimesTime, 1700);
}

TEST_F(AudioManagerTest, BallLoopSwellsAndSinksWithinItsBounds) {
    auto manager = managerWithSounds();
    manager->setSoundVolume(2.0f);
    manager->startBallLoop();
    ASSERT_NE(manager->ballChannel, nullptr);
    EXPECT_EQ(manager->ballChannel->sound(), manager->ballSound);
    EXPECT_FLOAT_EQ(manager->ballVolume, 1.0f);
    EXPECT_FLOAT_EQ(manager->ballChannel->volume(), 1.0f);

    manager->stepBallVolume(4);
    EXPECT_FLOAT_EQ(manager->ballVolume, 1.2f);
    EXPECT_NEAR(manager->ballChannel->volume(), 1.2f, 1.0f / 4096);
    for (int i = 0; i < 20; ++i) manager->stepBallVolume(4);
    EXPECT_FLOAT_EQ(manager->ballVolume, 3.0f);
    manager->stepBallVolume(-10);
    EXPECT_FLOAT_EQ(manager->ballVolume, 2.5f);
    for (int i = 0; i < 100; ++i) manager->stepBallVolume(-1);
    EXPECT_FLOAT_EQ(manager->ballVolume, 1.0f);

    ChannelPtr channel = manager->ballChannel;
    manager->startBallLoop();
    EXPECT_EQ(manager->ballChannel, channel);
    EXPECT_EQ(count("ball channel already exists but asked to start again"), 1);

    // A volume change reaches the ball loop only when it restarts.
    manager->setSoundVolume(0.4f);
    EXPECT_FLOAT_EQ(channel->volume(), 1.0f);
    manager->stopBallLoop();
    EXPECT_EQ(manager->ballChannel, nullptr);
    EXPECT_FALSE(channel->isPlaying());
    manager->stepBallVolume(4);  // no channel: only the number moves, clamped to the new ceiling
    EXPECT_FLOAT_EQ(manager->ballVolume, 0.6f);
    manager->startBallLoop();
    EXPECT_NEAR(manager->ballChannel->volume(), 0.2f, 1.0f / 4096);
}

}  // namespace
}  // namespace qm
