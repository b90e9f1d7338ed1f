// WAV (PCM, 8 or 16 bits, mono or stereo) and Ogg Vorbis decoding into the
// mixer's format: interleaved stereo floats at the mixer's rate. A file that
// is cut short or damaged gives Null rather than a sound with a hole in it.
#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cstring>

#include "Audio.h"
#include "Backend.h"

namespace qm {

namespace {

// Longest sound we agree to hold: 15 minutes.
constexpr int64_t kMaxSeconds = 15 * 60;

uint32_t le16(const uint8_t* p) { return uint32_t(p[0]) | uint32_t(p[1]) << 8; }
uint32_t le32(const uint8_t* p) { return le16(p) | le16(p + 2) << 16; }

// Stereo frames at `rate` to the mixer's rate, by linear interpolation.
SoundPtr finish(std::vector<float> stereo, int rate, int flags) {
    int64_t frames = int64_t(stereo.size() / 2);
    if (frames <= 0 || rate <= 0) return nullptr;
    auto sound = std::make_shared<TSound>();
    sound->loop = (flags & SOUND_LOOP) != 0;
    int target = mixerRate();
    if (rate == target) {
        sound->samples = std::move(stereo);
        sound->frames = int(frames);
        return sound;
    }
    int64_t outFrames = std::max<int64_t>(1, frames * target / rate);
    sound->samples.resize(size_t(outFrames) * 2);
    double step = double(rate) / target;
    for (int64_t i = 0; i < outFrames; ++i) {
        double pos = double(i) * step;
        int64_t at = std::min<int64_t>(int64_t(pos), frames - 1);
        int64_t next = std::min<int64_t>(at + 1, frames - 1);
        float frac = float(pos - double(at));
        for (int c = 0; c < 2; ++c) {
            float a = stereo[size_t(at * 2 + c)], b = stereo[size_t(next * 2 + c)];
            sound->samples[size_t(i * 2 + c)] = a + (b - a) * frac;
        }
    }
    sound->frames = int(outFrames);
    return sound;
}

// Walks the Ogg pages: each must be whole, and the last must close the
// stream. vorbisfile itself quietly plays a cut-off file up to the cut.
bool oggPagesComplete(const std::vector<uint8_t>& b) {
    size_t at = 0;
    bool ended = false;
    while (at < b.size()) {
        if (b.size() - at < 27 || std::memcmp(b.data() + at, "OggS", 4) != 0 || b[at + 4] != 0) return false;
        size_t segments = b[at + 26];
        if (b.size() - at < 27 + segments) return false;
        size_t body = 0;
        for (size_t i = 0; i < segments; ++i) body += b[at + 27 + i];
        size_t length = 27 + segments + body;
        if (b.size() - at < length) return false;
        ended = (b[at + 5] & 4) != 0;
        at += length;
    }
    return ended;
}

struct MemoryFile {
    const std::vector<uint8_t>* bytes;
    size_t at;
};

size_t memRead(void* dst, size_t size, size_t count, void* source) {
    auto* f = static_cast<MemoryFile*>(source);
    size_t want = size * count, left = f->bytes->size() - f->at;
    size_t n = std::min(want, left);
    std::memcpy(dst, f->bytes->data() + f->at, n);
    f->at += n;
    return size ? n / size : 0;
}

int memSeek(void* source, ogg_int64_t offset, int whence) {
    auto* f = static_cast<MemoryFile*>(source);
    int64_t base = whence == SEEK_SET ? 0 : whence == SEEK_CUR ? int64_t(f->at) : int64_t(f->bytes->size());
    int64_t to = base + offset;
    if (to < 0 || to > int64_t(f->bytes->size())) return -1;
    f->at = size_t(to);
    return 0;
}

long memTell(void* source) { return long(static_cast<MemoryFile*>(source)->at); }

}  // namespace

SoundPtr decodeWav(const std::vector<uint8_t>& bytes, int flags) {
    if (bytes.size() < 12 || std::memcmp(bytes.data(), "RIFF", 4) != 0 || std::memcmp(bytes.data() + 8, "WAVE", 4) != 0)
        return nullptr;
    const uint8_t* format = nullptr;
    size_t formatSize = 0;
    const uint8_t* data = nullptr;
    size_t dataSize = 0;
    size_t at = 12;
    while (at + 8 <= bytes.size() && !data) {
        const uint8_t* chunk = bytes.data() + at;
        size_t size = le32(chunk + 4);
        if (size > bytes.size() - at - 8) return nullptr;  // a chunk cut short: truncated file
        if (std::memcmp(chunk, "fmt ", 4) == 0 && size >= 16) {
            format = chunk + 8;
            formatSize = size;
        }
        if (std::memcmp(chunk, "data", 4) == 0) {
            data = chunk + 8;
            dataSize = size;
        }
        at += 8 + size + (size & 1);
    }
    if (!format || !data) return nullptr;
    uint32_t tag = le16(format), channels = le16(format + 2), rate = le32(format + 4), bits = le16(format + 14);
    // The extensible layout names the real format in its subformat.
    if (tag == 0xFFFE) tag = formatSize >= 40 ? le16(format + 24) : 0;
    if (tag != 1 || (channels != 1 && channels != 2) || (bits != 8 && bits != 16) || rate < 1000 || rate > 384000)
        return nullptr;
    size_t frameBytes = channels * bits / 8;
    size_t frames = dataSize / frameBytes;
    if (frames == 0 || int64_t(frames) > kMaxSeconds * rate) return nullptr;
    std::vector<float> stereo(frames * 2);
    for (size_t i = 0; i < frames; ++i)
        for (size_t c = 0; c < 2; ++c) {
            const uint8_t* s = data + i * frameBytes + (channels == 2 ? c : 0) * (bits / 8);
            float v = bits == 8 ? (float(s[0]) - 128.0f) / 128.0f : float(int16_t(le16(s))) / 32768.0f;
            stereo[i * 2 + c] = v;
        }
    return finish(std::move(stereo), int(rate), flags);
}

SoundPtr decodeOgg(const std::vector<uint8_t>& bytes, int flags) {
    if (!oggPagesComplete(bytes)) return nullptr;
    MemoryFile file{&bytes, 0};
    OggVorbis_File vf;
    ov_callbacks io{memRead, memSeek, nullptr, memTell};
    if (ov_open_callbacks(&file, &vf, nullptr, 0, io) != 0) return nullptr;
    vorbis_info* info = ov_info(&vf, -1);
    if (!info || info->channels < 1 || info->rate < 1000 || info->rate > 384000) {
        ov_clear(&vf);
        return nullptr;
    }
    int rate = int(info->rate);
    std::vector<float> stereo;
    // The length is known up front: one allocation instead of a long music
    // track's worth of regrowing and copying.
    ogg_int64_t total = ov_pcm_total(&vf, -1);
    if (total > 0 && total <= int64_t(kMaxSeconds) * rate) stereo.reserve(size_t(total) * 2);
    bool broken = false;
    for (;;) {
        float** pcm = nullptr;
        int section = 0;
        long n = ov_read_float(&vf, &pcm, 4096, &section);
        if (n == 0) break;
        if (n < 0) {  // a hole or a bad packet: the file is damaged
            broken = true;
            break;
        }
        int channels = ov_info(&vf, section) ? ov_info(&vf, section)->channels : 1;
        for (long i = 0; i < n; ++i) {
            stereo.push_back(pcm[0][i]);
            stereo.push_back(channels > 1 ? pcm[1][i] : pcm[0][i]);
        }
        if (int64_t(stereo.size() / 2) > kMaxSeconds * rate) {
            broken = true;
            break;
        }
        // A music track takes longer than a frame to decode: the page draws on meanwhile.
        Backend::breathe();
    }
    ov_clear(&vf);
    if (broken) return nullptr;
    return finish(std::move(stereo), rate, flags);
}

}  // namespace qm
