// Sound (first cut: channel bookkeeping only).
#include "Audio.h"

#include "Backend.h"

namespace qm {

void TChannel::setVolume(float v) { volumeFixed = int(v * 4096.0f + 0.5f); }
void TChannel::setRate(float r) { playbackRate = r; }
void TChannel::stop() {
    active = false;
    playing = nullptr;
}
bool TChannel::isPlaying() const { return active; }
float TChannel::volume() const { return volumeFixed / 4096.0f; }
float TChannel::rate() const { return playbackRate; }
SoundPtr TChannel::sound() const { return playing; }

SoundPtr loadSound(const std::string&, int) { return nullptr; }
ChannelPtr allocChannel() { return std::make_shared<TChannel>(); }
ChannelPtr playSound(const SoundPtr& sound, const ChannelPtr& channel) {
    ChannelPtr ch = channel ? channel : allocChannel();
    if (!sound) return ch;
    ch->playing = sound;
    ch->position = 0;
    ch->active = true;
    return ch;
}
SoundPtr decodeWav(const std::vector<uint8_t>&, int) { return nullptr; }
SoundPtr decodeOgg(const std::vector<uint8_t>&, int) { return nullptr; }
void mixAudio(float* out, int frames) {
    for (int i = 0; i < frames * 2; ++i) out[i] = 0;
}
int mixerRate() { return 44100; }
void Backend::stepHeadlessAudio() {}
void Backend::startAudio() {}
void Backend::stopAudio() {}

}  // namespace qm
