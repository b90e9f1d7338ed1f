// The sound and music manager: loads every effect and the music table once,
// keeps the two volumes, and decides which channel plays what.
#include "audio/AudioManager.h"

#include "runtime/Clock.h"
#include "runtime/Diagnostics.h"
#include "runtime/Prefetch.h"
#include "runtime/Random.h"
#include "runtime/TextConv.h"

namespace qm {

namespace {

// Below this a music volume counts as silent. Both comparisons are strict, so
// exactly 0.05 neither starts nor stops the music.
constexpr float kSilentMusic = 0.05f;

// 0.5, 1.0, 1.5, 2.0 and back to 0.0: the steps of the options screen.
float nextVolumeStep(float v) {
    if (v < 0.5f) return 0.5f;
    if (v < 1.0f) return 1.0f;
    if (v < 1.5f) return 1.5f;
    if (v < 2.0f) return 2.0f;
    return 0.0f;
}

}  // namespace

std::shared_ptr<AudioManager> AudioManager::create(float effectsVolume, float musicVolume) {
    auto manager = std::make_shared<AudioManager>();
    manager->loadSounds(effectsVolume, musicVolume);
    return manager;
}

void AudioManager::loadSounds(float effectsVolume, float optionMusicVolume) {
    effectChannels[0] = allocChannel();
    effectChannels[1] = allocChannel();

    ballSound = loadSound("media\\waves2.ogg", SOUND_LOOP);
    chimesSound = loadSound("media\\chimes.wav");
    oohSound = loadSound("media\\ooh.ogg");
    doorShutSound = loadSound("media\\bigdoorshut2.ogg");
    oohOohSound = loadSound("media\\oohooh2.ogg");
    lockOpenedSound = loadSound("media\\dododo.ogg");
    lockClosedSound = loadSound("media\\woom.ogg");
    teleportSound = loadSound("media\\tele.ogg");
    pageTurnSound = loadSound("media\\pageturn2.ogg");

    // Every group past the first plays the birds.
    for (auto& file : musicFiles) file = "media\\music\\tuibirds.ogg";
    musicFiles[0] = firstTrackFile();

    // The music volume is still 0 here, so track 0 is loaded but not started.
    musicIndex = -1;
    changeMusic(0);

    // Restart 0: the music waits for the window's first return from a
    // suspension, a change of track, or the options screen raising it.
    musicVolume = 0.0f;
    soundVolume = 0.0f;
    setMusicVolume(optionMusicVolume, 0);
    setSoundVolume(effectsVolume);
}

void AudioManager::changeMusic(int index) {
    if (index == musicIndex) {
        debugLog("Music change - no change");
        return;
    }
    debugLog("Music change - " + str(musicIndex) + " to" + str(index));
    // Groups that name the same file (every group after the first) keep the
    // track already decoded: it restarts without a pause to decode it again.
    bool sameFile = music && trackFile(index) == trackFile(musicIndex) && !trackFile(index).empty();
    if (!sameFile) {
        // An index outside the table loads nothing and so plays a Null sound,
        // like a missing file. The old track is let go before the new one is
        // decoded (a channel still playing it keeps its own hold): two long
        // tracks at once would be the most the game ever holds.
        music = nullptr;
        music = trackFile(index).empty() ? nullptr : loadSound(trackFile(index), SOUND_LOOP);
    }
    musicIndex = index;
    stopMusic();
    startMusic();
}

std::string AudioManager::trackFile(int index) const {
    return index >= 0 && index < kMusicTracks ? musicFiles[index] : std::string();
}

void AudioManager::prepareTrack(int index) {
    std::string file = trackFile(index);
    if (!file.empty() && file != trackFile(musicIndex)) prefetchFiles({file});
}

void AudioManager::setSoundVolume(float v) {
    debugLog("Volume set to " + floatText(v));
    soundVolume = v;
    for (auto& channel : effectChannels)
        if (channel) channel->setVolume(v);
}

void AudioManager::setMusicVolume(float v, int restart) {
    const bool rose = v > kSilentMusic && musicVolume < kSilentMusic;
    const bool fell = v < kSilentMusic && musicVolume > kSilentMusic;
    musicVolume = v;
    if (musicChannel) musicChannel->setVolume(v);
    if (rose && restart != 0) startMusic();
    if (fell) stopMusic();
}

void AudioManager::stepBallVolume(int n) {
    ballVolume = ballVolume + static_cast<float>(n) * ballVolumeStep * soundVolume;
    if (ballVolume < soundVolume * ballVolumeMin)
        ballVolume = soundVolume * ballVolumeMin;
    else if (ballVolume > soundVolume * ballVolumeMax)
        ballVolume = soundVolume * ballVolumeMax;
    if (ballChannel) ballChannel->setVolume(ballVolume);
}

void AudioManager::cycleSoundVolume() { setSoundVolume(nextVolumeStep(soundVolume)); }

void AudioManager::cycleMusicVolume() { setMusicVolume(nextVolumeStep(musicVolume), 1); }

void AudioManager::startMusic() {
    if (musicVolume < kSilentMusic) {
        debugLog("Music started but is too quiet");
        return;
    }
    if (!musicChannel) {
        musicChannel = allocChannel();
        if (!musicChannel) return;
        musicChannel->setVolume(musicVolume);
        playOnChannel(music, musicChannel);
    } else {
        debugLog("Music channel already exists but asked to start again");
    }
}

void AudioManager::startBallLoop() {
    if (!ballChannel) {
        ballVolume = soundVolume * ballVolumeFactor;
        ballChannel = allocChannel();
        if (!ballChannel) return;
        ballChannel->setVolume(ballVolume);
        playOnChannel(ballSound, ballChannel);
    } else {
        debugLog("ball channel already exists but asked to start again");
    }
}

void AudioManager::stopBallLoop() {
    if (ballChannel) {
        ballChannel->stop();
        ballChannel = nullptr;
    }
}

void AudioManager::playOnChannel(const SoundPtr& sound, const ChannelPtr& channel) {
    if (!sound) {
        debugLog("Attempted to play Null sound");
        return;
    }
    if (channel) playSound(sound, channel);
}

void AudioManager::stopMusic() {
    if (musicChannel) {
        musicChannel->stop();
        musicChannel = nullptr;
    }
}

void AudioManager::playEffect(const SoundPtr& sound, float rate) {
    if (nextEffectChannel < 0 || nextEffectChannel > 1) nextEffectChannel = 0;
    const ChannelPtr& channel = effectChannels[nextEffectChannel];
    if (channel) channel->setRate(rate);
    playOnChannel(sound, channel);
    advanceEffectChannel();
}

void AudioManager::playOoh(int position) { playEffect(oohSound, 1.0f + 0.2f * static_cast<float>(position)); }
void AudioManager::playOohOoh() { playEffect(oohOohSound, 1.0f); }
void AudioManager::playDoorShut() { playEffect(doorShutSound, 1.0f); }
void AudioManager::playLockOpened() { playEffect(lockOpenedSound, 1.0f); }
void AudioManager::playLockClosed() { playEffect(lockClosedSound, 1.0f); }
void AudioManager::playTeleport() { playEffect(teleportSound, randomFloat(1.0f, 1.3f)); }
void AudioManager::playPageTurn() { playEffect(pageTurnSound, 1.0f); }

void AudioManager::advanceEffectChannel() {
    nextEffectChannel = nextEffectChannel + 1;
    if (nextEffectChannel >= 2) nextEffectChannel = 0;
}

void AudioManager::playChimes() {
    // A slider dragged across the volume steps would otherwise ring on every
    // step; once per gap is enough for a sample of the loudness.
    const int64_t now = millisecs();
    if (now > lastChimesTime + static_cast<int64_t>(chimesGap)) {
        lastChimesTime = now;
        playEffect(chimesSound, 1.0f);
    }
}

}  // namespace qm
