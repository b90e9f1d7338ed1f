// Sounds: WAV files written here and Ogg Vorbis files made with libvorbis's
// own encoder, read back, cut short and damaged; the mixer's gain, rate and
// looping; channels ending by the virtual clock and on SDL's dummy device.
#include <gtest/gtest.h>
#include <dlfcn.h>
#include <vorbis/codec.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <thread>

#include "runtime/Audio.h"
#include "runtime/Clock.h"
#include "runtime/Runtime.h"
#include "support/TempFolder.h"

namespace qm {
namespace {

std::vector<uint8_t> wav(int channels, int bits, int rate, const std::vector<int>& samples) {
    std::vector<uint8_t> out;
    auto put16 = [&](uint32_t v) { out.insert(out.end(), {uint8_t(v), uint8_t(v >> 8)}); };
    auto put32 = [&](uint32_t v) { put16(v & 0xFFFF), put16(v >> 16); };
    uint32_t dataSize = uint32_t(samples.size() * size_t(bits / 8));
    out.insert(out.end(), {'R', 'I', 'F', 'F'});
    put32(36 + dataSize);
    out.insert(out.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
    put32(16);
    put16(1);
    put16(uint32_t(channels));
    put32(uint32_t(rate));
    put32(uint32_t(rate * channels * bits / 8));
    put16(uint32_t(channels * bits / 8));
    put16(uint32_t(bits));
    out.insert(out.end(), {'d', 'a', 't', 'a'});
    put32(dataSize);
    for (int s : samples) bits == 8 ? out.push_back(uint8_t(s)) : put16(uint32_t(s) & 0xFFFF);
    return out;
}

// An Ogg Vorbis file of a sine tone, encoded with libvorbisenc (loaded at
// run time: the game itself only decodes).
std::vector<uint8_t> oggTone(int channels, int rate, int frames) {
    void* lib = dlopen("libvorbisenc.so.2", RTLD_NOW);
    if (!lib) return {};
    using InitVbr = int (*)(vorbis_info*, long, long, float);
    auto initVbr = reinterpret_cast<InitVbr>(dlsym(lib, "vorbis_encode_init_vbr"));
    std::vector<uint8_t> out;
    vorbis_info vi;
    vorbis_info_init(&vi);
    if (!initVbr || initVbr(&vi, channels, rate, 0.4f) != 0) return {};
    vorbis_comment vc;
    vorbis_comment_init(&vc);
    vorbis_dsp_state vd;
    vorbis_block vb;
    vorbis_analysis_init(&vd, &vi);
    vorbis_block_init(&vd, &vb);
    ogg_stream_state os;
    ogg_stream_init(&os, 7);
    ogg_packet header, comments, code;
    vorbis_analysis_headerout(&vd, &vc, &header, &comments, &code);
    ogg_stream_packetin(&os, &header);
    ogg_stream_packetin(&os, &comments);
    ogg_stream_packetin(&os, &code);
    ogg_page page;
    auto take = [&]() {
        out.insert(out.end(), page.header, page.header + page.header_len);
        out.insert(out.end(), page.body, page.body + page.body_len);
    };
    while (ogg_stream_flush(&os, &page)) take();
    for (int done = 0;; done += 1024) {
        int n = std::min(1024, frames - done);
        if (n > 0) {
            float** buffer = vorbis_analysis_buffer(&vd, n);
            for (int i = 0; i < n; ++i)
                for (int c = 0; c < channels; ++c) buffer[c][i] = 0.5f * std::sin(float(done + i) * 0.05f);
        }
        vorbis_analysis_wrote(&vd, std::max(n, 0));  // 0 marks the end
        while (vorbis_analysis_blockout(&vd, &vb) == 1) {
            vorbis_analysis(&vb, nullptr);
            vorbis_bitrate_addblock(&vb);
            ogg_packet packet;
            while (vorbis_bitrate_flushpacket(&vd, &packet)) {
                ogg_stream_packetin(&os, &packet);
                while (ogg_stream_pageout(&os, &page)) take();
            }
        }
        if (n <= 0) break;
    }
    while (ogg_stream_flush(&os, &page)) take();
    ogg_stream_clear(&os);
    vorbis_block_clear(&vb);
    vorbis_dsp_clear(&vd);
    vorbis_comment_clear(&vc);
    vorbis_info_clear(&vi);
    dlclose(lib);
    return out;
}

SoundPtr constantSound(float value, int frames, bool loop) {
    auto s = std::make_shared<TSound>();
    s->samples.assign(size_t(frames) * 2, value);
    s->frames = frames;
    s->loop = loop;
    return s;
}

class AudioTest : public ::testing::Test {
protected:
    void SetUp() override { runtimeShutdown(); }  // no channels left over from elsewhere
    void TearDown() override { runtimeShutdown(); }
    std::vector<float> mix(int frames) {
        std::vector<float> out(size_t(frames) * 2, 9.0f);
        mixAudio(out.data(), frames);
        return out;
    }
};

TEST_F(AudioTest, WavSamplesBecomeStereoFloatsAtTheMixerRate) {
    SoundPtr mono = decodeWav(wav(1, 16, 44100, {0, 16384, -32768}), 0);
    ASSERT_TRUE(mono);
    EXPECT_EQ(mono->frames, 3);
    EXPECT_FALSE(mono->loop);
    EXPECT_EQ(mono->samples, (std::vector<float>{0, 0, 0.5f, 0.5f, -1, -1}));

    SoundPtr stereo = decodeWav(wav(2, 8, 22050, {128, 255, 0, 128}), SOUND_LOOP);
    ASSERT_TRUE(stereo);
    EXPECT_TRUE(stereo->loop);
    EXPECT_EQ(stereo->frames, 4) << "22050 Hz doubles to the mixer's 44100";
    EXPECT_FLOAT_EQ(stereo->samples[0], 0.0f);
    EXPECT_NEAR(stereo->samples[1], 127.0f / 128.0f, 1e-6);
    EXPECT_NEAR(stereo->samples[2], -0.5f, 1e-6) << "halfway between 0 and -1";
    EXPECT_FLOAT_EQ(stereo->samples[4], -1.0f);
}

TEST_F(AudioTest, BadWavFilesGiveNull) {
    std::vector<uint8_t> good = wav(1, 16, 44100, std::vector<int>(100, 1000));
    ASSERT_TRUE(decodeWav(good, 0));
    std::vector<uint8_t> cut(good.begin(), good.end() - 50);
    EXPECT_EQ(decodeWav(cut, 0), nullptr) << "truncated data";
    std::vector<uint8_t> noFormat = good;
    noFormat[12] = 'x';  // the fmt chunk loses its name
    EXPECT_EQ(decodeWav(noFormat, 0), nullptr);
    EXPECT_EQ(decodeWav(wav(1, 24, 44100, {1, 2, 3}), 0), nullptr) << "24-bit";
    EXPECT_EQ(decodeWav(wav(3, 16, 44100, {1, 2, 3}), 0), nullptr) << "three channels";
    EXPECT_EQ(decodeWav(wav(1, 16, 44100, {}), 0), nullptr) << "no samples";
    EXPECT_EQ(decodeWav({}, 0), nullptr);
}

TEST_F(AudioTest, OggVorbisDecodesAndDamageGivesNull) {
    std::vector<uint8_t> ogg = oggTone(2, 22050, 22050);
    if (ogg.empty()) GTEST_SKIP() << "libvorbisenc is not installed";
    SoundPtr sound = decodeOgg(ogg, SOUND_LOOP);
    ASSERT_TRUE(sound);
    EXPECT_TRUE(sound->loop);
    EXPECT_NEAR(sound->frames, 44100, 2) << "one second at the mixer's rate";
    float peak = 0;
    for (float s : sound->samples) peak = std::max(peak, std::fabs(s));
    EXPECT_NEAR(peak, 0.5f, 0.1f);
    EXPECT_TRUE(decodeOgg(oggTone(1, 44100, 4410), 0)) << "mono";

    std::vector<uint8_t> cut(ogg.begin(), ogg.begin() + ptrdiff_t(ogg.size() * 2 / 3));
    EXPECT_EQ(decodeOgg(cut, 0), nullptr) << "truncated";
    // Damage inside an audio page: its checksum fails and the stream has a hole.
    std::vector<uint8_t> damaged = ogg;
    for (size_t i = damaged.size() / 2; i < damaged.size() / 2 + 64; ++i) damaged[i] ^= 0xA5;
    EXPECT_EQ(decodeOgg(damaged, 0), nullptr) << "damaged";
    std::vector<uint8_t> junk(4000, 0x4F);
    EXPECT_EQ(decodeOgg(junk, 0), nullptr);
}

TEST_F(AudioTest, LoadSoundPicksTheDecoderAndRefusesOtherFormats) {
    test::TempFolder folder;
    std::vector<uint8_t> w = wav(1, 16, 44100, {5, 6, 7});
    test::writeBinary("a.wav", std::string(w.begin(), w.end()));
    test::writeBinary("song.mp3", std::string("ID3\x03\x00\x00\x00\x00\x00\x00\xFF\xFB\x90\x00", 14));
    EXPECT_TRUE(loadSound("a.wav"));
    EXPECT_TRUE(loadSound("a.wav", SOUND_LOOP)->loop);
    EXPECT_EQ(loadSound("song.mp3"), nullptr);
    EXPECT_EQ(loadSound("missing.ogg"), nullptr);
}

TEST_F(AudioTest, ChannelsMixWithGainRateAndLooping) {
    ChannelPtr a = allocChannel();
    EXPECT_FALSE(a->isPlaying());
    EXPECT_EQ(a->sound(), nullptr);
    a->setVolume(1.5f);
    EXPECT_EQ(a->volumeFixed, 6144) << "volume held as v x 4096";
    a->setVolume(2.0f);
    SoundPtr tone = constantSound(0.25f, 100, false);
    EXPECT_EQ(playSound(tone, a), a);
    EXPECT_TRUE(a->isPlaying());
    EXPECT_EQ(a->sound(), tone);
    std::vector<float> out = mix(60);
    EXPECT_FLOAT_EQ(out[0], 0.5f) << "gain 2 doubles";
    EXPECT_FLOAT_EQ(out[119], 0.5f);
    out = mix(60);
    EXPECT_FLOAT_EQ(out[79], 0.5f);
    EXPECT_FLOAT_EQ(out[80], 0.0f) << "the sound ended after 100 frames";
    EXPECT_FALSE(a->isPlaying());
    EXPECT_EQ(a->sound(), nullptr);

    ChannelPtr slow = playSound(constantSound(0.1f, 100, false));  // a new channel
    ASSERT_TRUE(slow);
    slow->setRate(0.5f);
    EXPECT_FLOAT_EQ(slow->rate(), 0.5f);
    mix(150);
    EXPECT_TRUE(slow->isPlaying()) << "half speed lasts twice as long";
    mix(60);
    EXPECT_FALSE(slow->isPlaying());

    ChannelPtr looped = playSound(constantSound(0.2f, 10, true));
    ChannelPtr other = playSound(constantSound(0.3f, 1000, false));
    out = mix(500);
    EXPECT_TRUE(looped->isPlaying());
    EXPECT_FLOAT_EQ(out[998], 0.5f) << "channels add up";
    looped->stop();
    out = mix(10);
    EXPECT_FALSE(looped->isPlaying());
    EXPECT_FLOAT_EQ(out[0], 0.3f);
    playSound(constantSound(0.9f, 1000, false), other);  // replaces what the channel played
    out = mix(1);
    EXPECT_FLOAT_EQ(out[0], 0.9f);
    other->setVolume(2.0f);
    out = mix(1);
    EXPECT_FLOAT_EQ(out[0], 1.0f) << "the sum is limited to full scale";
    EXPECT_EQ(playSound(nullptr, other), other);
}

TEST_F(AudioTest, HeadlessChannelsEndByTheVirtualClock) {
    RuntimeOptions options;
    options.headless = true;
    ASSERT_TRUE(runtimeInit(options));
    ChannelPtr ch = playSound(constantSound(0.1f, mixerRate(), false));  // one second
    delayMs(500);
    EXPECT_TRUE(ch->isPlaying());
    delayMs(501);
    EXPECT_FALSE(ch->isPlaying());
}

TEST_F(AudioTest, WithoutASoundCardTheDummyDeviceKeepsTheBooks) {
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    RuntimeOptions options;  // a window run: real clock, a real (dummy) device
    ASSERT_TRUE(runtimeInit(options));
    ChannelPtr ch = playSound(constantSound(0.1f, mixerRate() / 20, false));  // 50 ms
    bool ended = false;
    for (int i = 0; i < 400 && !ended; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        ended = !ch->isPlaying();
    }
    EXPECT_TRUE(ended) << "the device pulled the sound to its end";
    runtimeShutdown();
    unsetenv("SDL_AUDIODRIVER");
    unsetenv("SDL_VIDEODRIVER");
}

}  // namespace
}  // namespace qm
