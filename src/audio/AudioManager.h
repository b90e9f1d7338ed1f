// The only owner of sound: effects on two alternating channels, one looping
// music track, and the ball's rolling loop.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include "runtime/Audio.h"

namespace qm {

class AudioManager {
public:
    static constexpr int kMusicTracks = 33;

    SoundPtr music, ballSound, chimesSound, oohSound, doorShutSound, oohOohSound, lockOpenedSound,
        lockClosedSound, teleportSound, pageTurnSound;
    ChannelPtr musicChannel;
    ChannelPtr ballChannel;
    ChannelPtr effectChannels[2];
    float soundVolume = 0.0f;
    float musicVolume = 0.0f;
    int32_t musicIndex = -1;
    std::string musicFiles[kMusicTracks];  // index = level number / 5
    int32_t nextEffectChannel = 0;
    int64_t lastChimesTime = 0;
    int32_t chimesGap = 600;
    float ballVolume = 0.0f;
    float ballVolumeFactor = 0.5f;
    float ballVolumeStep = 0.025f;
    float ballVolumeMax = 1.5f;
    float ballVolumeMin = 0.5f;

    // With the volumes the options file gave (both 0 until it is read).
    static std::shared_ptr<AudioManager> create(float effectsVolume = 0.0f, float musicVolume = 0.0f);
    // The track the game starts with (the first group's), for decoding ahead.
    static std::string firstTrackFile() { return "media\\music\\tarn_flutedance.ogg"; }
    void loadSounds(float effectsVolume, float musicVolume);
    void changeMusic(int index);
    // Starts decoding a track the game is about to change to, on a worker,
    // so the change does not wait for it; nothing when it is the same file.
    void prepareTrack(int index);
    // The file of a track index; empty outside the table.
    std::string trackFile(int index) const;
    void setSoundVolume(float v);
    void setMusicVolume(float v, int restart);
    void stepBallVolume(int n);
    void cycleSoundVolume();
    void cycleMusicVolume();
    void startMusic();
    void startBallLoop();
    void stopBallLoop();
    void playOnChannel(const SoundPtr& sound, const ChannelPtr& channel);
    void stopMusic();
    void rollStartHook() {}
    void bumpHook() {}
    void playOoh(int position);
    void playOohOoh();
    void playDoorShut();
    void playLockOpened();
    void playLockClosed();
    void playTeleport();
    void skipHook() {}
    void playPageTurn();
    void advanceEffectChannel();
    // At most once per chimesGap of the millisecond clock.
    void playChimes();

private:
    // One effect on the next of the two effect channels, at the given rate;
    // a third effect while both still sound cuts off the older one.
    void playEffect(const SoundPtr& sound, float rate);
};

}  // namespace qm
