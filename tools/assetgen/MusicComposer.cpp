// The tune is in D major, AABB, eight bars each. It is rendered twice in a
// row and the second pass kept: the echoes and tails at its start are the
// ones that the end of the tune leaves, so the loop point cannot be heard.
#include "MusicComposer.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <vector>

#include "Rng.h"
#include "Synth.h"

namespace qm {

namespace {

using S = Synth;
const double PI = S::pi;

struct Note {
    int pitch;  // MIDI, -1 rest
    int eighths;
};

// Note names to MIDI in the tune's range.
enum : int { A4 = 69, B4 = 71, Cs5 = 73, D5 = 74, E5 = 76, Fs5 = 78, G5 = 79, A5 = 81, B5 = 83, Cs6 = 85, D6 = 86 };

std::vector<Note> melody() {
    std::vector<Note> a = {
        {D5, 1}, {E5, 1}, {Fs5, 1}, {A5, 1}, {A5, 2}, {Fs5, 1}, {E5, 1},    // 1
        {D5, 1}, {E5, 1}, {Fs5, 1}, {D5, 1}, {E5, 2}, {Cs5, 1}, {A4, 1},    // 2
        {B4, 1}, {D5, 1}, {G5, 1}, {Fs5, 1}, {G5, 1}, {B5, 1}, {A5, 1}, {G5, 1},  // 3
        {Fs5, 1}, {A5, 1}, {E5, 1}, {Fs5, 1}, {E5, 4},                      // 4
        {D5, 1}, {E5, 1}, {Fs5, 1}, {A5, 1}, {B5, 1}, {A5, 1}, {Fs5, 1}, {A5, 1},  // 5
        {D6, 2}, {Cs6, 1}, {B5, 1}, {A5, 1}, {Fs5, 1}, {E5, 1}, {Fs5, 1},   // 6
        {G5, 1}, {B5, 1}, {A5, 1}, {G5, 1}, {Fs5, 1}, {D5, 1}, {E5, 1}, {Cs5, 1},  // 7
    };
    std::vector<Note> b = {
        {B5, 2}, {A5, 1}, {Fs5, 1}, {B5, 2}, {A5, 1}, {Fs5, 1},             // 9
        {D6, 1}, {Cs6, 1}, {B5, 1}, {A5, 1}, {Fs5, 1}, {A5, 1}, {B5, 2},    // 10
        {G5, 2}, {B5, 1}, {G5, 1}, {A5, 2}, {Cs6, 1}, {A5, 1},              // 11
        {B5, 1}, {A5, 1}, {Fs5, 1}, {E5, 1}, {Fs5, 4},                      // 12
        {B5, 2}, {A5, 1}, {Fs5, 1}, {D6, 2}, {Cs6, 1}, {B5, 1},             // 13
        {A5, 1}, {Fs5, 1}, {E5, 1}, {D5, 1}, {E5, 1}, {Fs5, 1}, {A5, 2},    // 14
        {G5, 1}, {Fs5, 1}, {E5, 1}, {D5, 1}, {Cs5, 1}, {E5, 1}, {A5, 1}, {G5, 1},  // 15
    };
    std::vector<Note> out;
    auto append = [&](const std::vector<Note>& part, const std::vector<Note>& ending) {
        out.insert(out.end(), part.begin(), part.end());
        out.insert(out.end(), ending.begin(), ending.end());
    };
    append(a, {{D5, 2}, {A4, 2}, {D5, 4}});
    append(a, {{D5, 2}, {Fs5, 1}, {A5, 1}, {D6, 4}});
    append(b, {{Fs5, 2}, {E5, 2}, {D5, 4}});
    append(b, {{E5, 1}, {Fs5, 1}, {E5, 1}, {Cs5, 1}, {D5, 2}, {A4, 2}});  // leads back to the top
    return out;
}

// Chord roots per half bar (MIDI of the root in the bass octave) and quality.
struct Chord {
    int root;
    bool minor;
};

std::vector<Chord> harmony() {
    const Chord D{50, false}, G{43, false}, A{45, false}, Bm{47, true};
    std::vector<Chord> a = {D, D, D, A, G, G, A, A, D, D, D, D, G, A, D, D};
    std::vector<Chord> b = {Bm, Bm, D, D, G, A, D, D, Bm, Bm, D, A, G, A, D, D};
    std::vector<Chord> out;
    for (auto* part : {&a, &a, &b, &b}) out.insert(out.end(), part->begin(), part->end());
    return out;
}

void flute(StereoBuffer& s, double start, double length, int pitch, double gain, Rng& rng) {
    double f = S::midiHz(pitch);
    size_t a = size_t(start * S::rate), n = size_t((length + 0.12) * S::rate);
    double p1 = 0, p2 = 0, p3 = 0;
    double vibStart = std::min(0.25, length * 0.5);
    S::BandPass breath(f * 2, 0.6);
    for (size_t i = 0; i < n; ++i) {
        double t = double(i) / S::rate;
        double env = S::gateEnv(t, length * 0.92, 0.035, 0.09);
        if (env <= 0 && t > length) break;
        double vib = 1 + 0.005 * std::sin(2 * PI * 5.5 * t) * std::min(1.0, std::max(0.0, (t - vibStart) / 0.2));
        double chiff = std::exp(-t / 0.02);  // the tongued start
        p1 += 2 * PI * f * vib / S::rate;
        p2 += 2 * PI * 2 * f * vib / S::rate;
        p3 += 2 * PI * 3 * f * vib / S::rate;
        double tone = std::sin(p1) + 0.22 * std::sin(p2) + 0.07 * std::sin(p3);
        double air = breath.run(rng.range(-1, 1)) * (0.05 + 0.3 * chiff);
        S::add(s, a + i, (tone + air) * env * gain, 0.58);
    }
}

void pluck(StereoBuffer& s, double start, int pitch, double gain, double decay, double pan) {
    // three harmonics as rotating phasors: cheap enough for hundreds of plucks
    double f = S::midiHz(pitch);
    size_t a = size_t(start * S::rate), n = size_t(decay * 4.5 * S::rate);
    double c[3], sn[3], rc[3], rs[3], amp[3] = {1.0, 0.5, 0.25}, fall[3];
    for (int h = 0; h < 3; ++h) {
        double w = 2 * PI * f * (h + 1) / S::rate;
        c[h] = 1;
        sn[h] = 0;
        rc[h] = std::cos(w);
        rs[h] = std::sin(w);
        double tau = decay * (h == 0 ? 1.0 : h == 1 ? 0.4 : 0.2);
        fall[h] = std::exp(-1.0 / (tau * S::rate));
    }
    double attack = 0.003 * S::rate;
    for (size_t i = 0; i < n; ++i) {
        double v = 0;
        for (int h = 0; h < 3; ++h) {
            v += amp[h] * sn[h];
            double nc = c[h] * rc[h] - sn[h] * rs[h];
            sn[h] = sn[h] * rc[h] + c[h] * rs[h];
            c[h] = nc;
            amp[h] *= fall[h];
        }
        double env = i < attack ? i / attack : 1.0;
        S::add(s, a + i, v * env * gain, pan);
    }
}

void drum(StereoBuffer& s, double start, double gain, Rng& rng) {
    size_t a = size_t(start * S::rate), n = size_t(0.35 * S::rate);
    double phase = 0;
    S::OnePole skin(900);
    for (size_t i = 0; i < n; ++i) {
        double t = double(i) / S::rate;
        double f = 70 + 70 * std::exp(-t / 0.03);
        phase += 2 * PI * f / S::rate;
        double v = std::sin(phase) * S::pluckEnv(t, 0.002, 0.09) + skin.low(rng.range(-1, 1)) * S::pluckEnv(t, 0.001, 0.02) * 0.8;
        S::add(s, a + i, v * gain, 0.48);
    }
}

void shaker(StereoBuffer& s, double start, double gain, Rng& rng) {
    size_t a = size_t(start * S::rate), n = size_t(0.08 * S::rate);
    S::OnePole hp(5000);
    for (size_t i = 0; i < n; ++i) {
        double t = double(i) / S::rate;
        double env = S::pluckEnv(t, 0.004, 0.018);
        S::add(s, a + i, hp.high(rng.range(-1, 1)) * env * gain, 0.7);
    }
}

}  // namespace

StereoBuffer MusicComposer::flutedance() {
    const double eighth = 30.0 / tempo;
    const double loop = bars * 8 * eighth;
    StereoBuffer twice(size_t(2 * loop * S::rate) + 1);
    Rng rng("flutedance");
    auto tune = melody();
    auto chords = harmony();
    for (int pass = 0; pass < 2; ++pass) {
        double base = pass * loop;
        double t = base;
        for (const Note& n : tune) {
            if (n.pitch > 0) flute(twice, t, n.eighths * eighth, n.pitch, 0.3, rng);
            t += n.eighths * eighth;
        }
        for (size_t h = 0; h < chords.size(); ++h) {
            double at = base + h * 4 * eighth;
            const Chord& c = chords[h];
            // boom on the beat, chick on the off-beat: the dance
            pluck(twice, at, c.root, 0.32, 0.22, 0.5);
            pluck(twice, at + 2 * eighth, c.root + 7, 0.22, 0.18, 0.5);
            int third = c.minor ? 3 : 4;
            for (int k : {12, 12 + third, 19}) {
                pluck(twice, at + eighth, c.root + k + 12, 0.07, 0.12, 0.3);
                pluck(twice, at + 3 * eighth, c.root + k + 12, 0.07, 0.12, 0.3);
            }
        }
        for (int beat = 0; beat < bars * 4; ++beat) {
            double at = base + beat * 2 * eighth;
            if (beat % 2 == 0) drum(twice, at, beat % 4 == 0 ? 0.35 : 0.25, rng);
            shaker(twice, at, 0.05, rng);
            shaker(twice, at + eighth, 0.09, rng);
        }
    }
    std::clock_t t0 = std::clock();
    S::reverb(twice, 0.35, 0.72);
    if (std::getenv("QM_TIMING")) std::printf("  (music synthesis %.2f s, reverb %.2f s)\n", double(t0) / CLOCKS_PER_SEC, double(std::clock() - t0) / CLOCKS_PER_SEC);
    size_t first = size_t(loop * S::rate), len = size_t(loop * S::rate);
    StereoBuffer out(len);
    for (size_t i = 0; i < len; ++i) {
        out.left[i] = twice.left[first + i];
        out.right[i] = twice.right[first + i];
    }
    AudioWriter::normalize(out, 0.85f);
    return out;
}

bool MusicComposer::write(const std::string& path) { return AudioWriter::writeOgg(flutedance(), path, 0.3f); }

}  // namespace qm
