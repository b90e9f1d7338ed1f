// The birds of "tuibirds": a tui, two bellbirds (one near, one across the
// valley), a grey warbler and a fantail, each singing its own kind of song at
// its own place in the stereo field. Every phrase is drawn afresh from the
// bird's seeded generator, so no call comes back on a short cycle.
#pragma once
#include <utility>
#include <vector>

#include "AudioWriter.h"
#include "Rng.h"
#include "Synth.h"

namespace qm {

class BirdVoices {
public:
    // Stretches of the tune (start, end in seconds) where its melody rests;
    // the tui likes to answer there.
    using Rests = std::vector<std::pair<double, double>>;

    // Sings the whole loop into `birds` (as long as the loop), wrapping
    // round its end.
    static void chorus(StereoBuffer& birds, const Rests& rests);

    // One element of a song: a tone gliding from f0 to f1 (Hz), as a sine
    // with a touch of its octave.
    struct Tone {
        double length = 0.1;
        double f0 = 2000, f1 = 2000;
        double vibratoRate = 0, vibratoDepth = 0;  // Hz, fraction of the pitch
        double attack = 0.1, release = 0.3;       // fractions of the length
        double octave = 0.08;
        double ring = 0;                          // > 0: a struck bell decaying with this time constant
    };

    // Where a bird sits: its place left to right, how loud, and how far
    // (distance takes the highs away).
    struct Perch {
        Synth::Pan pan{0.5};
        double gain = 0.2;
        double muffle = 0;  // 0 near; 1 far across the valley
    };

    static void tone(StereoBuffer& s, double at, const Tone& t, const Perch& p);
    // A breathy rasp: noise in a band, buzzing at `buzz` Hz.
    static void wheeze(StereoBuffer& s, double at, double length, double centre, double buzz, const Perch& p, Rng& rng);
    static void click(StereoBuffer& s, double at, double centre, const Perch& p, Rng& rng);

    // Phrases; each returns its length in seconds. A tui phrase takes its
    // shape from `seed`; each rendition of it sways a little.
    static double tuiPhrase(StereoBuffer& s, double at, uint64_t seed, int rendition, const Perch& p);
    static double bellbirdPhrase(StereoBuffer& s, double at, const std::vector<double>& notes, Rng& rng, const Perch& p);
    static double warblerSong(StereoBuffer& s, double at, Rng& rng, const Perch& p);
    static double fantailChatter(StereoBuffer& s, double at, Rng& rng, const Perch& p);
};

}  // namespace qm
