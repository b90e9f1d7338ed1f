// Small synthesis building blocks shared by the effects and the music:
// oscillators, envelopes, filters and a room reverb.
#pragma once
#include <cmath>
#include <cstdint>
#include <vector>

#include "AudioWriter.h"
#include "Rng.h"

namespace qm {

class Synth {
public:
    static constexpr double pi = 3.14159265358979;
    static constexpr int rate = 44100;

    static double midiHz(double note) { return 440.0 * std::pow(2.0, (note - 69) / 12.0); }
    // Attack, then exponential decay with the given time constant.
    static double pluckEnv(double t, double attack, double decay) {
        if (t < 0) return 0;
        if (t < attack) return t / attack;
        return std::exp(-(t - attack) / decay);
    }
    // A smooth gate: rises over `a`, holds until `length`, falls over `r`.
    static double gateEnv(double t, double length, double a, double r) {
        if (t < 0 || t > length + r) return 0;
        double up = t < a ? std::sin(0.5 * pi * t / a) : 1.0;
        double down = t > length ? std::cos(0.5 * pi * (t - length) / r) : 1.0;
        return up * down;
    }

    // One-pole filters, state kept by the caller.
    struct OnePole {
        double z = 0, k = 0;
        OnePole(double cutoff) : k(1 - std::exp(-2 * pi * cutoff / rate)) {}
        double low(double x) { return z += k * (x - z); }
        double high(double x) { return x - low(x); }
    };
    // A resonant band-pass (state-variable filter).
    struct BandPass {
        double low = 0, band = 0, f, q;
        BandPass(double centre, double damping) : f(2 * std::sin(pi * centre / rate)), q(damping) {}
        void tune(double centre) { f = 2 * std::sin(pi * std::min(centre, rate / 6.0) / rate); }
        double run(double x) {
            low += f * band;
            double high = x - low - q * band;
            band += f * high;
            return band;
        }
    };

    // A Schroeder room: parallel combs then series all-passes, per channel.
    static void reverb(StereoBuffer& s, double wet, double roomSize);

    // Left and right gains of a place in the stereo field, 0 left to 1 right
    // (equal power, as `add` places a sound).
    struct Pan {
        double left, right;
        explicit Pan(double pan) : left(std::cos(pan * pi / 2)), right(std::sin(pan * pi / 2)) {}
    };
    // For music that loops: what runs past the end of the buffer sounds at
    // its start, so a note held over the loop point is not cut.
    static void addLooped(StereoBuffer& s, size_t at, double v, const Pan& pan) {
        at %= s.frames();
        s.left[at] += float(v * pan.left);
        s.right[at] += float(v * pan.right);
    }
    // The room reverb over a loop: the room is filled first with the loop's
    // own end, so the echoes at its start are the ones its end leaves.
    static void loopReverb(StereoBuffer& s, double wet, double roomSize);

    static void add(StereoBuffer& s, size_t at, double v, double pan) {
        if (at >= s.frames()) return;
        s.left[at] += float(v * std::cos(pan * pi / 2));
        s.right[at] += float(v * std::sin(pan * pi / 2));
    }
};

}  // namespace qm
