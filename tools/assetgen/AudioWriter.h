// Writes synthesized sound as 16-bit WAV or Ogg Vorbis (libvorbisenc, with a
// fixed stream serial number so the bytes are the same on every build).
#pragma once
#include <string>
#include <vector>

namespace qm {

struct StereoBuffer {
    int rate = 44100;
    std::vector<float> left, right;
    explicit StereoBuffer(size_t frames = 0, int sampleRate = 44100) : rate(sampleRate), left(frames), right(frames) {}
    size_t frames() const { return left.size(); }
};

class AudioWriter {
public:
    static bool writeWav(const StereoBuffer& sound, const std::string& path);
    static bool writeOgg(const StereoBuffer& sound, const std::string& path, float quality);
    // Scales the sound so its peak is `peak` (below full scale).
    static void normalize(StereoBuffer& sound, float peak);
    // Short fades at both ends so playback starts and stops without a click.
    static void fadeEnds(StereoBuffer& sound, double inSeconds, double outSeconds);
};

}  // namespace qm
