// The waltz: eighteen chords of two bars each, AABA-like (sixteen bars, twelve,
// eight), the guitar picking six quavers a bar, the strings holding each chord
// and the piano singing a sparse tune with long rests, where the birds take
// over. Every note is written into a buffer exactly one loop long and wraps
// round its end, and the reverb is filled from the loop's own end first, so
// the loop point has nothing to hear.
#include "BirdsComposer.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "Rng.h"
#include "Synth.h"

namespace qm {

namespace {

using S = Synth;
const double PI = S::pi;
const double kEighth = 30.0 / BirdsComposer::tempo;

size_t at(double seconds) { return size_t(std::lround(seconds * S::rate)); }

enum : int { E4 = 64, G4 = 67, A4 = 69, B4 = 71, C5 = 72, D5 = 74, E5 = 76 };

struct Chord {
    int bass;                 // MIDI, the bass octave
    std::vector<int> strings;  // held by the strings
    std::vector<int> guitar;   // six notes the guitar picks from, low to high
};

std::vector<Chord> harmony() {
    const Chord Gmaj7{43, {55, 59, 62, 66}, {55, 62, 66, 69, 71, 74}};
    const Chord Cmaj7{48, {55, 59, 64, 67}, {48, 55, 64, 67, 71, 74}};
    const Chord Em7{40, {55, 59, 62, 64}, {52, 59, 62, 66, 67, 71}};
    const Chord Dsus4{38, {57, 62, 67}, {50, 57, 62, 64, 67, 69}};
    const Chord Am7{45, {55, 60, 64, 67}, {45, 57, 64, 67, 72, 76}};
    const Chord GoverB{47, {55, 62, 67}, {47, 55, 62, 67, 69, 71}};
    const Chord D7sus4{38, {57, 60, 67}, {50, 57, 60, 62, 67, 69}};
    return {Gmaj7, Cmaj7, Em7,   Dsus4, Gmaj7, Am7,    Cmaj7, D7sus4,         // A
            Em7,   Cmaj7, GoverB, Am7,  Cmaj7, Dsus4,                        // B
            Cmaj7, GoverB, Am7,   Dsus4};                                    // A', back to the top
}

struct Note {
    int pitch;  // MIDI, -1 rest
    int eighths;
};

std::vector<Note> melody() {
    const Note rest4{-1, 24}, rest2{-1, 12}, rest1{-1, 6};
    return {
        {B4, 4}, {A4, 2}, {G4, 2}, {D5, 4}, {E5, 6}, {D5, 2}, {B4, 2}, {G4, 2}, rest4,        // bars 1-8
        {B4, 4}, {D5, 2}, {E5, 3}, {D5, 1}, {B4, 2}, {C5, 4}, {B4, 2}, {A4, 6}, rest4,        // 9-16
        {G4, 6}, {B4, 4}, {A4, 2}, {G4, 6}, {E4, 6},                                         // 17-20
        {D5, 4}, {B4, 2}, {A4, 2}, {B4, 4}, {C5, 4}, {B4, 2}, {A4, 6},                        // 21-24
        {E5, 4}, {D5, 2}, {B4, 6}, rest2,                                                    // 25-28
        {E5, 6}, {D5, 4}, {B4, 2}, {D5, 6}, rest1, {C5, 4}, {B4, 2}, {A4, 6}, rest2,          // 29-36
    };
}

// Karplus-Strong: a pluck running round a delay line one
// period long, losing its highs on every pass, as a plucked nylon string.
void nylon(StereoBuffer& s, double start, int pitch, double gain, const S::Pan& pan, Rng& rng) {
    const double period = S::rate / S::midiHz(pitch);
    // the averaging filter delays half a sample, the all-pass the fraction left
    const int whole = int(std::floor(period - 0.6));
    const double fraction = period - 0.5 - whole, c = (1 - fraction) / (1 + fraction);
    const double sustain = 3.2;  // seconds to fall 60 dB, before the string's own damping
    const double loss = std::pow(0.001, 1.0 / (S::midiHz(pitch) * sustain));
    std::vector<double> line(static_cast<size_t>(whole));
    // The string's shape when the finger lets go: a triangle peaking a fifth
    // of the way along, with a little noise for the nail, smoothed as a
    // fingertip leaves it.
    const double peakAt = 0.2 * whole;
    double soft = 0, softer = 0, mean = 0;
    for (int i = 0; i < whole; ++i) {
        double shape = i < peakAt ? i / peakAt : (whole - i) / (whole - peakAt);
        soft += 0.25 * (shape + 0.15 * rng.range(-1, 1) - soft);
        softer += 0.25 * (soft - softer);
        line[size_t(i)] = softer;
        mean += softer;
    }
    for (double& v : line) v -= mean / whole;
    const size_t a = at(start), n = at(3.0), fade = at(0.4);
    double previous = 0, apIn = 0, apOut = 0;
    size_t p = 0;
    for (size_t i = 0; i < n; ++i) {
        double y = line[p];
        double averaged = 0.5 * (y + previous);
        previous = y;
        double shifted = c * averaged + apIn - c * apOut;
        apIn = averaged;
        apOut = shifted;
        line[p] = shifted * loss;
        if (++p == line.size()) p = 0;
        double tail = i + fade > n ? double(n - i) / double(fade) : 1.0;
        S::addLooped(s, a + i, y * gain * tail, pan);
    }
}

// A soft electric piano: a sine bent by a sine of the same pitch (FM), the
// bending dying away so the note starts bright and settles round, with a
// slow tremolo swinging it between the speakers.
void piano(StereoBuffer& s, double start, double length, int pitch, double gain) {
    const double f = S::midiHz(pitch);
    const size_t a = at(start), n = at(length + 1.2);
    double carrier = 0, modulator = 0;
    for (size_t i = 0; i < n; ++i) {
        double t = double(i) / S::rate;
        double index = 1.3 * std::exp(-t / 0.3) + 0.25;
        modulator += 2 * PI * f / S::rate;
        carrier += 2 * PI * f / S::rate;
        double v = std::sin(carrier + index * std::sin(modulator));
        double env = S::pluckEnv(t, 0.005, 2.2) * S::gateEnv(t, length, 0.0, 1.0);
        double sway = 0.56 + 0.16 * std::sin(2 * PI * 2.2 * t);
        S::addLooped(s, a + i, v * env * gain, S::Pan(sway));
    }
}

// One cycle of the strings' wave: a few soft harmonics.
std::vector<float> stringsWave() {
    const double harmonics[] = {1.0, 0.42, 0.22, 0.12, 0.07, 0.04, 0.02};
    std::vector<float> wave(4096);
    for (size_t i = 0; i < wave.size(); ++i) {
        double v = 0, x = 2 * PI * double(i) / double(wave.size());
        for (int h = 0; h < 7; ++h) v += harmonics[h] * std::sin((h + 1) * x);
        wave[i] = float(v / 1.8);
    }
    return wave;
}

// A held chord note: two voices a few cents apart, one each side, swelling
// in and out slowly.
void strings(StereoBuffer& s, const std::vector<float>& wave, double start, double length, int pitch, double gain) {
    const size_t a = at(start), n = at(length + 1.8);
    for (int side = 0; side < 2; ++side) {
        const double f = S::midiHz(pitch + (side ? 0.06 : -0.06));
        const double step = f * double(wave.size()) / S::rate;
        const S::Pan pan(side ? 0.78 : 0.22);
        double phase = side ? 1500 : 0;
        for (size_t i = 0; i < n; ++i) {
            double t = double(i) / S::rate;
            size_t k = size_t(phase);
            float frac = float(phase - double(k));
            double v = wave[k] + (wave[(k + 1) & 4095] - wave[k]) * frac;
            phase += step;
            if (phase >= 4096) phase -= 4096;
            double env = S::gateEnv(t, length, 1.4, 1.8) * (1 + 0.08 * std::sin(2 * PI * 0.13 * t + side));
            S::addLooped(s, a + i, v * env * gain, pan);
        }
    }
}

void bass(StereoBuffer& s, double start, int pitch, double gain) {
    const double f = S::midiHz(pitch);
    const size_t a = at(start), n = at(2.6);
    const S::Pan middle(0.5);
    for (size_t i = 0; i < n; ++i) {
        double t = double(i) / S::rate;
        double v = std::sin(2 * PI * f * t) + 0.25 * std::sin(4 * PI * f * t) * std::exp(-t / 0.25);
        double env = S::pluckEnv(t, 0.012, 1.1) * std::min(1.0, double(n - i) / double(at(0.3)));
        S::addLooped(s, a + i, v * env * gain, middle);
    }
}

double rms(const StereoBuffer& s) {
    double sum = 0;
    for (size_t i = 0; i < s.frames(); ++i) sum += double(s.left[i]) * s.left[i] + double(s.right[i]) * s.right[i];
    return std::sqrt(sum / double(2 * s.frames()));
}

}  // namespace

BirdVoices::Rests BirdsComposer::melodyRests() {
    BirdVoices::Rests rests;
    int eighths = 0;
    for (const Note& n : melody()) {
        if (n.pitch < 0) rests.push_back({eighths * kEighth, (eighths + n.eighths) * kEighth});
        eighths += n.eighths;
    }
    return rests;
}

StereoBuffer BirdsComposer::tuibirds() {
    const double bar = 6 * kEighth;
    const size_t frames = at(bars * bar);
    StereoBuffer music(frames), birds(frames);
    Rng rng("tuibirds");

    // the guitar: quavers up and back down the chord, a little late or early
    // as a player's fingers are
    const int patterns[4][6] = {{0, 2, 3, 4, 3, 2}, {0, 2, 4, 5, 4, 3}, {1, 3, 4, 5, 3, 2}, {0, 3, 2, 4, 5, 3}};
    const S::Pan guitarPlace(0.42);
    // notes a little before the top of the loop sound at its end
    const double loop = double(frames) / S::rate;
    auto wrap = [&](double t) { return std::fmod(t + loop, loop); };
    const auto chords = harmony();
    const auto wave = stringsWave();
    for (size_t c = 0; c < chords.size(); ++c) {
        const Chord& chord = chords[c];
        const double start = double(c) * 2 * bar;
        for (int half = 0; half < 2; ++half) {
            const int* pattern = patterns[(c + size_t(half) * 3) % 4];
            for (int e = 0; e < 6; ++e) {
                double when = start + half * bar + e * kEighth + rng.range(-0.006, 0.006);
                double accent = e == 0 ? 0.85 : e == 3 ? 0.75 : 0.65;
                nylon(music, wrap(when), chord.guitar[size_t(pattern[e])], 0.3 * accent * rng.range(0.85, 1.0), guitarPlace, rng);
            }
            bass(music, start + half * bar, chord.bass, half ? 0.08 : 0.1);
        }
        for (int pitch : chord.strings) strings(music, wave, wrap(start - 0.2), 2 * bar, pitch, 0.045);
    }

    int eighths = 0;
    for (const Note& n : melody()) {
        if (n.pitch > 0) piano(music, eighths * kEighth, n.eighths * kEighth * 0.95, n.pitch, 0.085);
        eighths += n.eighths;
    }

    BirdVoices::chorus(birds, melodyRests());

    S::loopReverb(music, 0.35, 0.75);
    S::loopReverb(birds, 0.3, 0.7);
    for (size_t i = 0; i < frames; ++i) {
        music.left[i] += birds.left[i];
        music.right[i] += birds.right[i];
    }
    const float k = float(loudness / rms(music));
    for (size_t i = 0; i < frames; ++i) {
        music.left[i] *= k;
        music.right[i] *= k;
    }
    return music;
}

bool BirdsComposer::write(const std::string& path) { return AudioWriter::writeOgg(tuibirds(), path, 0.3f); }

}  // namespace qm
