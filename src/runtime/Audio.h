// Sound services: samples (WAV, Ogg Vorbis), channels with volume 0..2 and
// playback rate, mixed by our own mixer in the SDL audio callback (or stepped
// by the virtual clock in headless mode).
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace qm {

struct TSound {
    std::vector<float> samples;  // interleaved stereo at the mixer's rate
    int frames = 0;
    bool loop = false;
};
using SoundPtr = std::shared_ptr<TSound>;

class TChannel {
public:
    void setVolume(float v);
    void setRate(float r);
    void stop();
    bool isPlaying() const;
    float volume() const;
    float rate() const;
    // What the channel is playing (nullptr when idle); bookkeeping works
    // even without an audio device.
    SoundPtr sound() const;
    // Internal mixer state; guarded by the mixer's lock.
    SoundPtr playing;
    double position = 0.0;
    int volumeFixed = 4096;  // volume x 4096
    float playbackRate = 1.0f;
    bool active = false;
};
using ChannelPtr = std::shared_ptr<TChannel>;

enum SoundFlags : int { SOUND_LOOP = 1 };

SoundPtr loadSound(const std::string& path, int flags = 0);
ChannelPtr allocChannel();
ChannelPtr playSound(const SoundPtr& sound, const ChannelPtr& channel = nullptr);

// Decoders exposed for tests and fuzzers.
SoundPtr decodeWav(const std::vector<uint8_t>& bytes, int flags);
SoundPtr decodeOgg(const std::vector<uint8_t>& bytes, int flags);

// Mixes `frames` stereo frames into out (interleaved float). The SDL callback
// and the headless clock both call it.
void mixAudio(float* out, int frames);
int mixerRate();

}  // namespace qm
