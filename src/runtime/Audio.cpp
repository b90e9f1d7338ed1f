// The mixer: every playing channel summed into a stereo float stream with
// its gain (volume x 4096 as a whole number) and its rate (a fractional step
// through the sample with linear interpolation). The SDL audio callback pulls
// from it; in headless mode the virtual clock steps it instead.
#include "Audio.h"

#include <SDL.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <mutex>

#include "Backend.h"
#include "Files.h"
#include "Prefetch.h"

namespace qm {

namespace {

constexpr int kRate = 44100;

std::mutex mixLock;  // guards every channel's mixer state and the active list
// Channels with something to play; held here so a sound keeps playing when
// the game drops its channel.
std::vector<ChannelPtr> activeChannels;

SDL_AudioDeviceID device = 0;
bool usingDummyDriver = false;
int64_t headlessFramesMixed = 0;

void callback(void*, Uint8* stream, int length) {
    mixAudio(reinterpret_cast<float*>(stream), length / int(sizeof(float) * 2));
}

bool openDevice() {
    SDL_AudioSpec want{}, have{};
    want.freq = kRate;
    want.format = AUDIO_F32SYS;
    want.channels = 2;
    want.samples = 1024;
    want.callback = callback;
    device = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);  // SDL converts if the device differs
    if (device) SDL_PauseAudioDevice(device, 0);
    return device != 0;
}

}  // namespace

void TChannel::setVolume(float v) {
    std::lock_guard<std::mutex> hold(mixLock);
    if (!(v >= 0.0f)) v = 0.0f;
    volumeFixed = int(std::lround(double(std::min(v, 2.0f)) * 4096.0));
}

void TChannel::setRate(float r) {
    std::lock_guard<std::mutex> hold(mixLock);
    playbackRate = r > 0.0f && std::isfinite(r) ? r : 0.0f;
}

void TChannel::stop() {
    std::lock_guard<std::mutex> hold(mixLock);
    active = false;
    playing = nullptr;
    position = 0.0;
}

bool TChannel::isPlaying() const {
    std::lock_guard<std::mutex> hold(mixLock);
    return active;
}

float TChannel::volume() const {
    std::lock_guard<std::mutex> hold(mixLock);
    return float(volumeFixed) / 4096.0f;
}

float TChannel::rate() const {
    std::lock_guard<std::mutex> hold(mixLock);
    return playbackRate;
}

SoundPtr TChannel::sound() const {
    std::lock_guard<std::mutex> hold(mixLock);
    return active ? playing : nullptr;
}

ChannelPtr allocChannel() { return std::make_shared<TChannel>(); }

ChannelPtr playSound(const SoundPtr& sound, const ChannelPtr& channel) {
    ChannelPtr target = channel ? channel : allocChannel();
    if (!sound || sound->frames <= 0) return target;
    std::lock_guard<std::mutex> hold(mixLock);
    target->playing = sound;
    target->position = 0.0;
    target->active = true;
    if (std::find(activeChannels.begin(), activeChannels.end(), target) == activeChannels.end())
        activeChannels.push_back(target);
    return target;
}

SoundPtr loadSound(const std::string& path, int flags) {
    // No debug line here: the sound manager logs its own, exact texts.
    SoundPtr ready;
    switch (prefetch::takeSound(path, ready)) {
        case prefetch::Outcome::Decoded:
            ready->loop = (flags & SOUND_LOOP) != 0;
            return ready;
        case prefetch::Outcome::NotPrefetched: break;
        default: return nullptr;
    }
    std::vector<uint8_t> bytes;
    if (!readWholeFile(path, bytes) || bytes.size() < 4) return nullptr;
    if (std::equal(bytes.begin(), bytes.begin() + 4, "RIFF")) return decodeWav(bytes, flags);
    if (std::equal(bytes.begin(), bytes.begin() + 4, "OggS")) return decodeOgg(bytes, flags);
    return nullptr;  // any other format, MP3 included
}

void mixAudio(float* out, int frames) {
    std::fill(out, out + size_t(std::max(frames, 0)) * 2, 0.0f);
    std::lock_guard<std::mutex> hold(mixLock);
    for (const ChannelPtr& ch : activeChannels) {
        if (!ch->active || !ch->playing) continue;
        const TSound& s = *ch->playing;
        const float* data = s.samples.data();
        const double length = double(s.frames);
        const float gain = float(ch->volumeFixed) / 4096.0f;
        const double step = ch->playbackRate;
        double pos = ch->position;
        for (int i = 0; i < frames; ++i) {
            if (pos >= length) {
                if (!s.loop) {
                    ch->active = false;
                    break;
                }
                pos = std::fmod(pos, length);
            }
            size_t at = size_t(pos);
            size_t next = at + 1 < size_t(s.frames) ? at + 1 : (s.loop ? 0 : at);
            float frac = float(pos - double(at));
            out[2 * i] += gain * (data[2 * at] + (data[2 * next] - data[2 * at]) * frac);
            out[2 * i + 1] += gain * (data[2 * at + 1] + (data[2 * next + 1] - data[2 * at + 1]) * frac);
            pos += step;
        }
        ch->position = pos;
        if (!ch->active) ch->position = 0.0;
    }
    // Finished channels leave the list; their bookkeeping says they stopped.
    activeChannels.erase(std::remove_if(activeChannels.begin(), activeChannels.end(),
                                        [](const ChannelPtr& ch) { return !ch->active; }),
                         activeChannels.end());
    // Two loud channels at gain 2 would wrap a device's integer samples.
    for (int i = 0; i < frames * 2; ++i) out[i] = std::clamp(out[i], -1.0f, 1.0f);
}

int mixerRate() { return kRate; }

void Backend::stepHeadlessAudio() {
    if (!headless()) return;
    int64_t due = virtualThirds() * kRate / 3000;
    int64_t missing = due - headlessFramesMixed;
    headlessFramesMixed = due;
    {
        std::lock_guard<std::mutex> hold(mixLock);
        if (activeChannels.empty()) return;
    }
    static float scratch[2 * 4096];
    while (missing > 0) {
        int n = int(std::min<int64_t>(missing, 4096));
        mixAudio(scratch, n);
        missing -= n;
    }
}

void Backend::startAudio() {
    headlessFramesMixed = virtualThirds() * kRate / 3000;
    if (headless() || device) return;
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) == 0) {
        if (openDevice()) return;
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
    // No sound card: the dummy driver keeps pulling, so channels still end.
    if (SDL_AudioInit("dummy") == 0 && openDevice()) {
        usingDummyDriver = true;
        return;
    }
    std::fprintf(stderr, "quillmere: no audio output: %s\n", SDL_GetError());
}

void Backend::stopAudio() {
    if (device) SDL_CloseAudioDevice(device);
    device = 0;
    if (usingDummyDriver) SDL_AudioQuit();
    else if (SDL_WasInit(SDL_INIT_AUDIO)) SDL_QuitSubSystem(SDL_INIT_AUDIO);
    usingDummyDriver = false;
    std::lock_guard<std::mutex> hold(mixLock);
    for (const ChannelPtr& ch : activeChannels) {
        ch->active = false;
        ch->playing = nullptr;
    }
    activeChannels.clear();
}

}  // namespace qm
