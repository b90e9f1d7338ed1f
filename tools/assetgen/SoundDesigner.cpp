// Effects are short, faded at both ends and peak below full scale. The rolling
// loop repeats without a seam: its noise is cross-faded over the loop point and
// its swell runs a whole number of cycles.
#include "SoundDesigner.h"

#include <cmath>

#include "Rng.h"
#include "Synth.h"

namespace qm {

namespace {

using S = Synth;
const double PI = S::pi;

size_t frames(double seconds) { return size_t(seconds * S::rate); }

// A soft sung "oo": harmonics shaped by the formants of the vowel, with vibrato.
void voice(StereoBuffer& s, double start, double length, double note, double gain, double pan, uint64_t seed) {
    Rng rng(seed);
    double f0 = S::midiHz(note);
    double phase[12] = {0};
    double vibPhase = rng.range(0, 2 * PI);
    size_t a = frames(start), n = frames(length + 0.4);
    for (size_t i = 0; i < n; ++i) {
        double t = double(i) / S::rate;
        double env = S::gateEnv(t, length, 0.12, 0.35);
        if (env <= 0) continue;
        double vib = 1 + 0.006 * std::sin(vibPhase + 2 * PI * 5.2 * t) * std::min(1.0, t / 0.3);
        double v = 0;
        for (int h = 1; h <= 12; ++h) {
            double fh = f0 * h * vib;
            if (fh > 5000) break;
            // "oo": strong near 300 Hz and 870 Hz, falling away above
            double w = std::exp(-std::pow((fh - 320) / 220, 2)) + 0.45 * std::exp(-std::pow((fh - 870) / 260, 2)) + 0.04;
            phase[h - 1] += 2 * PI * fh / S::rate;
            v += w * std::sin(phase[h - 1]) / h;
        }
        S::add(s, a + i, v * env * gain, pan);
    }
}

void bell(StereoBuffer& s, double start, double note, double gain, double decay, double pan) {
    double f = S::midiHz(note);
    const double partials[][2] = {{1, 1.0}, {2.0, 0.35}, {2.76, 0.3}, {5.4, 0.12}, {8.93, 0.05}};
    size_t a = frames(start), n = frames(decay * 6);
    for (size_t i = 0; i < n; ++i) {
        double t = double(i) / S::rate, v = 0;
        for (auto& p : partials) v += p[1] * std::sin(2 * PI * f * p[0] * t) * std::exp(-t * p[0] / decay);
        S::add(s, a + i, v * gain * std::min(1.0, t / 0.002), pan);
    }
}

void marimba(StereoBuffer& s, double start, double note, double gain, double pan) {
    double f = S::midiHz(note);
    size_t a = frames(start), n = frames(0.7);
    for (size_t i = 0; i < n; ++i) {
        double t = double(i) / S::rate;
        double v = std::sin(2 * PI * f * t) * std::exp(-t / 0.22) + 0.25 * std::sin(2 * PI * f * 4 * t) * std::exp(-t / 0.04) +
                   0.1 * std::sin(2 * PI * f * 10 * t) * std::exp(-t / 0.01);
        S::add(s, a + i, v * gain * std::min(1.0, t / 0.003), pan);
    }
}

StereoBuffer finish(StereoBuffer s, double peak, double fadeOut = 0.03) {
    AudioWriter::fadeEnds(s, 0.004, fadeOut);
    AudioWriter::normalize(s, float(peak));
    return s;
}

}  // namespace

StereoBuffer SoundDesigner::rollingLoop() {
    // A marble on a floor: a low rumble with a soft wash above it, swelling
    // four times a second. 2 s: 8 whole swells, so the loop point is seamless.
    const double L = 2.0, X = 0.25;
    size_t n = frames(L), x = frames(X);
    StereoBuffer raw(n + x);
    Rng rng("waves2");
    S::OnePole lowL(180), lowR(190), washL(1400), washR(1500), dcL(30), dcR(30);
    double brownL = 0, brownR = 0;
    for (size_t i = 0; i < n + x; ++i) {
        brownL = brownL * 0.995 + rng.range(-1, 1) * 0.1;
        brownR = brownR * 0.995 + rng.range(-1, 1) * 0.1;
        double rumbleL = dcL.high(lowL.low(brownL)), rumbleR = dcR.high(lowR.low(brownR));
        double w = rng.range(-1, 1);
        double hissL = washL.low(w), hissR = washR.low(rng.range(-1, 1));
        raw.left[i] = float(rumbleL * 3.0 + hissL * 0.12);
        raw.right[i] = float(rumbleR * 3.0 + hissR * 0.12);
    }
    StereoBuffer s(n);
    for (size_t i = 0; i < n; ++i) {
        double t = double(i) / S::rate;
        double swell = 0.75 + 0.25 * std::sin(2 * PI * 4.0 * t) + 0.08 * std::sin(2 * PI * 0.5 * t);
        float l = raw.left[i], r = raw.right[i];
        if (i < x) {
            // cross-fade the run-on into the start: equal power for noise
            double g = double(i) / double(x);
            l = float(raw.left[i] * std::sqrt(g) + raw.left[n + i] * std::sqrt(1 - g));
            r = float(raw.right[i] * std::sqrt(g) + raw.right[n + i] * std::sqrt(1 - g));
        }
        s.left[i] = float(l * swell);
        s.right[i] = float(r * swell);
    }
    AudioWriter::normalize(s, 0.45f);
    return s;
}

StereoBuffer SoundDesigner::chimes() {
    StereoBuffer s(frames(1.6));
    const double notes[] = {88, 92, 95, 100};
    for (int i = 0; i < 4; ++i) bell(s, i * 0.07, notes[i], 0.3, 0.25, 0.3 + i * 0.13);
    S::reverb(s, 0.35, 0.7);
    return finish(s, 0.7, 0.2);
}

StereoBuffer SoundDesigner::ooh() {
    StereoBuffer s(frames(1.4));
    voice(s, 0.0, 0.55, 72, 0.5, 0.4, 1);
    voice(s, 0.02, 0.55, 76, 0.4, 0.6, 2);
    voice(s, 0.04, 0.55, 79, 0.35, 0.5, 3);
    S::reverb(s, 0.4, 0.75);
    return finish(s, 0.7, 0.25);
}

StereoBuffer SoundDesigner::oohOoh() {
    StereoBuffer s(frames(2.4));
    voice(s, 0.0, 0.5, 72, 0.5, 0.4, 4);
    voice(s, 0.02, 0.5, 76, 0.4, 0.6, 5);
    voice(s, 0.04, 0.5, 79, 0.35, 0.5, 6);
    voice(s, 0.7, 0.9, 77, 0.5, 0.4, 7);
    voice(s, 0.72, 0.9, 81, 0.4, 0.6, 8);
    voice(s, 0.74, 0.9, 84, 0.4, 0.5, 9);
    for (int i = 0; i < 5; ++i) bell(s, 0.75 + i * 0.06, 96 + i * 2, 0.06, 0.2, 0.2 + i * 0.15);
    S::reverb(s, 0.45, 0.78);
    return finish(s, 0.72, 0.3);
}

StereoBuffer SoundDesigner::doorShut() {
    StereoBuffer s(frames(0.9));
    Rng rng("door");
    S::OnePole body(400), knock(2500);
    double phase = 0;
    for (size_t i = 0; i < s.frames(); ++i) {
        double t = double(i) / S::rate;
        double f = 48 + 60 * std::exp(-t / 0.05);  // a heavy thud that sags in pitch
        phase += 2 * PI * f / S::rate;
        double thud = std::sin(phase) * S::pluckEnv(t, 0.004, 0.18);
        double noise = rng.range(-1, 1);
        double wood = body.low(noise) * S::pluckEnv(t, 0.001, 0.05) * 3;
        double clack = knock.high(noise) * S::pluckEnv(t - 0.012, 0.0005, 0.012) * 0.5;
        double v = thud * 0.9 + wood + clack;
        S::add(s, i, v, 0.5);
    }
    S::reverb(s, 0.3, 0.6);
    return finish(s, 0.8, 0.2);
}

StereoBuffer SoundDesigner::lockOpened() {
    StereoBuffer s(frames(1.0));
    const double notes[] = {67, 71, 74, 79};
    for (int i = 0; i < 3; ++i) marimba(s, i * 0.11, notes[i], 0.5, 0.35 + i * 0.15);
    marimba(s, 0.33, notes[3], 0.35, 0.5);
    S::reverb(s, 0.3, 0.6);
    return finish(s, 0.75, 0.2);
}

StereoBuffer SoundDesigner::lockClosed() {
    StereoBuffer s(frames(0.9));
    double phase = 0, mod = 0;
    for (size_t i = 0; i < s.frames(); ++i) {
        double t = double(i) / S::rate;
        double f = 90 + 140 * std::exp(-t / 0.18);  // "woom": falls and settles
        mod += 2 * PI * f * 2 / S::rate;
        phase += 2 * PI * f / S::rate + 0.5 * std::sin(mod) * 2 * PI * f / S::rate * std::exp(-t / 0.2);
        double env = S::gateEnv(t, 0.35, 0.05, 0.4);
        S::add(s, i, std::sin(phase) * env + 0.3 * std::sin(2 * phase) * env * std::exp(-t / 0.15), 0.5);
    }
    S::reverb(s, 0.3, 0.65);
    return finish(s, 0.78, 0.2);
}

StereoBuffer SoundDesigner::teleport() {
    StereoBuffer s(frames(0.75));
    Rng rng("tele");
    double ph[4] = {0, 0, 0, 0};
    S::BandPass sparkle(4000, 0.3);
    for (size_t i = 0; i < s.frames(); ++i) {
        double t = double(i) / S::rate;
        double sweep = 380 * std::pow(4.0, std::min(1.0, t / 0.45));
        double env = S::gateEnv(t, 0.3, 0.03, 0.3);
        double v = 0;
        for (int k = 0; k < 4; ++k) {
            ph[k] += 2 * PI * sweep * (1 + k * 0.5 + 0.004 * k) / S::rate;
            v += std::sin(ph[k]) / (k + 1);
        }
        double trem = 0.7 + 0.3 * std::sin(2 * PI * 18 * t);
        sparkle.tune(2000 + 6000 * t);
        double sp = sparkle.run(rng.range(-1, 1)) * 0.25;
        S::add(s, i, (v * trem * 0.5 + sp) * env, 0.5 + 0.3 * std::sin(2 * PI * 3 * t));
    }
    S::reverb(s, 0.4, 0.7);
    return finish(s, 0.7, 0.2);
}

StereoBuffer SoundDesigner::pageTurn() {
    StereoBuffer s(frames(0.5));
    Rng rng("page");
    S::BandPass swish(1800, 0.7);
    S::OnePole hp(600);
    for (size_t i = 0; i < s.frames(); ++i) {
        double t = double(i) / S::rate;
        // a lift and a flap: two bumps of paper noise, the second brighter
        double env = 0.6 * std::exp(-std::pow((t - 0.08) / 0.05, 2)) + std::exp(-std::pow((t - 0.22) / 0.045, 2));
        swish.tune(1200 + 3000 * t);
        double v = swish.run(hp.high(rng.range(-1, 1))) * env;
        double crackle = (rng.chance(0.002) ? rng.range(-1, 1) : 0) * env;
        S::add(s, i, v + crackle * 0.5, 0.45 + 0.2 * t);
    }
    return finish(s, 0.6, 0.1);
}

int SoundDesigner::writeAll(const std::string& media) {
    int failures = 0;
    auto ogg = [&](const StereoBuffer& b, const std::string& name) {
        failures += AudioWriter::writeOgg(b, media + "/" + name, 0.5f) ? 0 : 1;
    };
    ogg(rollingLoop(), "waves2.ogg");
    failures += AudioWriter::writeWav(chimes(), media + "/chimes.wav") ? 0 : 1;
    ogg(ooh(), "ooh.ogg");
    ogg(oohOoh(), "oohooh2.ogg");
    ogg(doorShut(), "bigdoorshut2.ogg");
    ogg(lockOpened(), "dododo.ogg");
    ogg(lockClosed(), "woom.ogg");
    ogg(teleport(), "tele.ogg");
    ogg(pageTurn(), "pageturn2.ogg");
    return failures;
}

}  // namespace qm
