// Bird song from a few building blocks: gliding whistles, struck bell notes,
// clicks and breathy rasps. A tui strings all of them together in phrases it
// repeats two or three times before it moves on; bellbirds ring short runs of
// their own four notes; the warbler trills thin and high; the fantail
// chatters while it flits about.
#include "BirdVoices.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace qm {

namespace {

using S = Synth;
const double PI = S::pi;

// Distance takes the highs first: a far bird is a muffled one.
double muffleCutoff(double muffle) { return 14000.0 * std::pow(0.2, muffle); }

}  // namespace

void BirdVoices::tone(StereoBuffer& s, double at, const Tone& t, const Perch& p) {
    const size_t a = size_t(at * S::rate), n = size_t(t.length * S::rate);
    S::OnePole air(muffleCutoff(p.muffle));
    const double logRatio = std::log(t.f1 / t.f0);
    double phase = 0, bellPhase = 0;
    for (size_t i = 0; i < n; ++i) {
        double time = double(i) / S::rate, u = double(i) / double(n);
        double f = t.f0 * std::exp(logRatio * u);
        if (t.vibratoDepth > 0) f *= 1 + t.vibratoDepth * std::sin(2 * PI * t.vibratoRate * time);
        phase += 2 * PI * f / S::rate;
        bellPhase += 2 * PI * 2.76 * f / S::rate;
        double env, v = std::sin(phase) + t.octave * std::sin(2 * phase);
        if (t.ring > 0) {
            // struck: a quick onset, then the note rings away; its
            // inharmonic partial dies sooner, as a bell's does
            env = S::pluckEnv(time, 0.004, t.ring) * std::min(1.0, (1 - u) * 8);
            v += 0.12 * std::sin(bellPhase) * std::exp(-time / (t.ring * 0.3));
        } else {
            double up = std::min(1.0, u / std::max(t.attack, 1e-3)), down = std::min(1.0, (1 - u) / std::max(t.release, 1e-3));
            env = std::sin(0.5 * PI * up) * std::sin(0.5 * PI * up) * std::sin(0.5 * PI * down) * std::sin(0.5 * PI * down);
        }
        S::addLooped(s, a + i, air.low(v * env) * p.gain, p.pan);
    }
}

void BirdVoices::wheeze(StereoBuffer& s, double at, double length, double centre, double buzz, const Perch& p, Rng& rng) {
    const size_t a = size_t(at * S::rate), n = size_t(length * S::rate);
    S::BandPass band(centre, 0.15);
    S::OnePole air(muffleCutoff(p.muffle));
    for (size_t i = 0; i < n; ++i) {
        double u = double(i) / double(n), time = double(i) / S::rate;
        band.tune(centre * (1 + 0.15 * u));
        double env = std::sin(PI * u) * (0.55 + 0.45 * std::sin(2 * PI * buzz * time));
        S::addLooped(s, a + i, air.low(band.run(rng.range(-1, 1)) * env) * p.gain * 0.3, p.pan);
    }
}

void BirdVoices::click(StereoBuffer& s, double at, double centre, const Perch& p, Rng& rng) {
    const size_t a = size_t(at * S::rate), n = size_t(0.012 * S::rate);
    S::BandPass band(centre, 0.3);
    S::OnePole air(muffleCutoff(p.muffle));
    for (size_t i = 0; i < n; ++i) {
        double time = double(i) / S::rate;
        double env = S::pluckEnv(time, 0.0004, 0.0018);
        S::addLooped(s, a + i, air.low(band.run(rng.range(-1, 1)) * env) * p.gain * 0.6, p.pan);
    }
}

double BirdVoices::tuiPhrase(StereoBuffer& s, double at, uint64_t seed, int rendition, const Perch& p) {
    // The phrase's shape comes from `seed` alone, so a repeat is the same
    // phrase; each rendition sways its pitches and lengths a little, as a
    // bird never sings a phrase quite the same twice.
    Rng shape(seed), sway(seed ^ Rng::hash("rendition " + std::to_string(rendition)));
    auto near = [&](double v) { return v * (1 + sway.range(-0.025, 0.025)); };
    static const double bells[] = {1110, 1320, 1480, 1760, 1980, 2350, 2640, 2960};
    const int syllables = shape.integer(3, 7);
    double t = at;
    for (int k = 0; k < syllables; ++k) {
        // a phrase often opens with a bell or a low cluck and ends on a whistle
        int kind = k == 0 ? (shape.chance(0.5) ? 0 : 6) : k == syllables - 1 && shape.chance(0.6) ? 1 : shape.integer(0, 6);
        Perch loud = p;
        loud.gain *= shape.range(0.7, 1.0);
        Tone tone;
        switch (kind) {
            case 0: {  // a struck bell note
                tone.ring = shape.range(0.03, 0.06);
                tone.length = tone.ring * 5;
                tone.f0 = near(bells[shape.integer(0, 7)]);
                tone.f1 = tone.f0 * 0.97;
                BirdVoices::tone(s, t, tone, loud);
                t += shape.range(0.09, 0.18);
                break;
            }
            case 1:  // a whistle that swoops up or down
            case 5: {  // the tui's two voices at once
                tone.length = near(shape.range(0.12, 0.32));
                tone.f0 = near(shape.range(1300, 2800));
                tone.f1 = tone.f0 * shape.range(0.65, 1.5);
                tone.attack = 0.15;
                tone.release = 0.35;
                if (shape.chance(0.4)) {
                    tone.vibratoRate = shape.range(18, 35);
                    tone.vibratoDepth = shape.range(0.01, 0.03);
                }
                if (kind == 5) {
                    loud.gain *= 0.6;
                    Tone second = tone;
                    second.f0 = tone.f1 * shape.range(1.19, 1.5);
                    second.f1 = tone.f0 * shape.range(1.19, 1.5);
                    BirdVoices::tone(s, t, second, loud);
                }
                BirdVoices::tone(s, t, tone, loud);
                t += tone.length + shape.range(0.05, 0.2);
                break;
            }
            case 2: {  // two or three clicks
                int clicks = shape.integer(2, 3);
                double centre = near(shape.range(2500, 4000)), gap = shape.range(0.03, 0.05);
                for (int c = 0; c < clicks; ++c) click(s, t + c * gap, centre, loud, shape);
                t += clicks * gap + shape.range(0.05, 0.15);
                break;
            }
            case 3: {  // a wheeze
                double length = near(shape.range(0.1, 0.22));
                wheeze(s, t, length, shape.range(4500, 6500), shape.range(60, 110), loud, shape);
                t += length + shape.range(0.06, 0.2);
                break;
            }
            case 4: {  // a gurgle: two notes traded fast
                int notes = shape.integer(4, 8);
                double fa = near(shape.range(1700, 2300)), fb = fa * shape.range(1.2, 1.45), each = shape.range(0.025, 0.035);
                tone.length = each;
                tone.attack = 0.2;
                tone.release = 0.4;
                for (int m = 0; m < notes; ++m) {
                    tone.f0 = m % 2 ? fb : fa;
                    tone.f1 = tone.f0 * 1.04;
                    BirdVoices::tone(s, t + m * (each + 0.005), tone, loud);
                }
                t += notes * (each + 0.005) + shape.range(0.06, 0.18);
                break;
            }
            default: {  // a low cluck
                tone.length = near(shape.range(0.04, 0.07));
                tone.f0 = near(shape.range(650, 950));
                tone.f1 = tone.f0 * 0.8;
                tone.octave = 0.3;
                tone.attack = 0.1;
                tone.release = 0.5;
                BirdVoices::tone(s, t, tone, loud);
                t += tone.length + shape.range(0.06, 0.16);
                break;
            }
        }
    }
    return t - at;
}

double BirdVoices::bellbirdPhrase(StereoBuffer& s, double at, const std::vector<double>& notes, Rng& rng, const Perch& p) {
    // a run mostly down its four notes, each struck with a liquid scoop up
    // into the pitch
    const int count = rng.integer(3, 5);
    int index = rng.integer(1, 3);
    double t = at;
    for (int k = 0; k < count; ++k) {
        Tone tone;
        tone.ring = rng.range(0.09, 0.14);
        tone.length = tone.ring * 5;
        tone.f1 = notes[size_t(index)] * (1 + rng.range(-0.008, 0.008));
        tone.f0 = tone.f1 * (1 + rng.range(0.0, 0.03));
        tone.octave = 0.04;
        Perch hit = p;
        hit.gain *= rng.range(0.75, 1.0);
        BirdVoices::tone(s, t, tone, hit);
        t += rng.range(0.17, 0.28);
        double r = rng.uniform();
        index = r < 0.6 ? std::max(0, index - 1) : r < 0.85 ? std::min(3, index + 1) : index;
    }
    return t - at + 0.4;
}

double BirdVoices::warblerSong(StereoBuffer& s, double at, Rng& rng, const Perch& p) {
    // a long thin trill that wanders down, swelling and fading
    const int count = rng.integer(12, 24);
    double f = rng.range(4800, 5600), t = at;
    for (int k = 0; k < count; ++k) {
        Tone tone;
        tone.length = rng.range(0.07, 0.12);
        tone.f0 = f;
        f = std::clamp(f * (1 + rng.range(-0.08, 0.05)), 3600.0, 6200.0);
        tone.f1 = f;
        tone.vibratoRate = rng.range(40, 60);
        tone.vibratoDepth = rng.range(0.03, 0.05);
        tone.attack = 0.3;
        tone.release = 0.4;
        tone.octave = 0.02;
        Perch swell = p;
        swell.gain *= std::sqrt(std::sin(PI * (k + 0.5) / count));
        BirdVoices::tone(s, t, tone, swell);
        t += tone.length + rng.range(0.01, 0.03);
    }
    return t - at;
}

double BirdVoices::fantailChatter(StereoBuffer& s, double at, Rng& rng, const Perch& p) {
    // quick "cheet" squeaks, the bird moving a little between them
    const int count = rng.integer(6, 14);
    double t = at;
    Perch flit = p;
    double place = rng.range(0.35, 0.8);
    for (int k = 0; k < count; ++k) {
        place = std::clamp(place + rng.range(-0.06, 0.06), 0.25, 0.9);
        flit.pan = Synth::Pan(place);
        flit.gain = p.gain * rng.range(0.7, 1.0);
        Tone tone;
        tone.length = rng.range(0.03, 0.05);
        tone.f0 = rng.range(4200, 5200);
        tone.f1 = tone.f0 * (rng.chance(0.75) ? rng.range(1.25, 1.4) : rng.range(0.75, 0.85));
        tone.attack = 0.15;
        tone.release = 0.5;
        tone.octave = 0.05;
        BirdVoices::tone(s, t, tone, flit);
        t += rng.chance(0.15) ? tone.length + 0.012 : rng.range(0.07, 0.16);
    }
    return t - at;
}

void BirdVoices::chorus(StereoBuffer& birds, const Rests& rests) {
    const double loop = double(birds.frames()) / S::rate;
    // Each bird keeps to its own timetable. A phrase is kept only when it
    // ends, with the bird's shortest pause after it, before the bird's first
    // phrase comes round again: a bird never sings over itself at the seam.
    // So each phrase is sung into a scratch buffer first, from its time 0.
    StereoBuffer scratch(size_t(40 * S::rate));
    auto timetable = [&](double first, double minPause, double maxPause, const char* name, auto&& sing) {
        Rng rng(name);
        for (double t = first;;) {
            std::fill(scratch.left.begin(), scratch.left.end(), 0.0f);
            std::fill(scratch.right.begin(), scratch.right.end(), 0.0f);
            double length = sing(scratch, t, rng);
            if (t + length + minPause > loop + first) break;
            // the last notes ring on for a while after the phrase
            const size_t at = size_t(t * S::rate), n = std::min(scratch.frames(), size_t((length + 1.0) * S::rate));
            for (size_t i = 0; i < n; ++i) {
                birds.left[(at + i) % birds.frames()] += scratch.left[i];
                birds.right[(at + i) % birds.frames()] += scratch.right[i];
            }
            t += length + rng.range(minPause, maxPause);
        }
    };

    Perch tui;
    tui.pan = Synth::Pan(0.28);
    tui.gain = 0.13;
    // The tui sings in bouts: a phrase two or three times, then a new one;
    // it likes to start where the melody rests.
    auto nextRest = [&](double t) {
        for (const auto& r : rests)
            if (t < r.second) return std::max(t, r.first);
        return t;
    };
    timetable(1.5, 5.0, 11.0, "tui", [&](StereoBuffer& s, double t, Rng& rng) {
        double at = 0;
        if (rng.chance(0.6)) {
            double rest = nextRest(t);
            if (rest > t && rest - t < 10) at = rest - t + rng.range(0.3, 1.2);
        }
        uint64_t seed = rng.next();
        int repeats = rng.integer(1, 3);
        for (int r = 0; r < repeats; ++r) {
            at += tuiPhrase(s, at, seed, r, tui);
            if (r + 1 < repeats) at += rng.range(2.2, 4.0);
        }
        return at;
    });

    Perch bellbird, across;
    bellbird.pan = Synth::Pan(0.74);
    bellbird.gain = 0.09;
    bellbird.muffle = 0.1;
    across.pan = Synth::Pan(0.1);
    across.gain = 0.04;
    across.muffle = 0.7;
    const std::vector<double> nearNotes = {1568, 1760, 2093, 2349}, farNotes = {1175, 1319, 1568, 1976};
    timetable(6.0, 7.0, 15.0, "bellbird", [&](StereoBuffer& s, double, Rng& rng) {
        double length = bellbirdPhrase(s, 0, nearNotes, rng, bellbird);
        // the one across the valley often answers
        if (rng.chance(0.55)) {
            double answer = length + rng.range(0.8, 2.0);
            length = answer + bellbirdPhrase(s, answer, farNotes, rng, across);
        }
        return length;
    });

    Perch warbler;
    warbler.pan = Synth::Pan(0.55);
    warbler.gain = 0.03;
    warbler.muffle = 0.35;
    timetable(20.0, 16.0, 28.0, "warbler", [&](StereoBuffer& s, double, Rng& rng) { return warblerSong(s, 0, rng, warbler); });

    Perch fantail;
    fantail.gain = 0.03;
    fantail.muffle = 0.15;
    timetable(12.0, 11.0, 22.0, "fantail", [&](StereoBuffer& s, double, Rng& rng) { return fantailChatter(s, 0, rng, fantail); });
}

}  // namespace qm
