// The music of every group after the first: "tuibirds", a slow waltz for
// nylon guitar, electric piano, strings and bass in G major, under the song
// of the birds (BirdVoices). It is heard for most of the game, so it is calm,
// leaves the birds room in its rests, and loops without a seam.
#pragma once
#include <string>

#include "AudioWriter.h"
#include "BirdVoices.h"

namespace qm {

class BirdsComposer {
public:
    static constexpr double tempo = 70.0;  // crotchets per minute, three to the bar
    static constexpr int bars = 36;        // about 92.6 seconds
    // RMS of the whole loop: a dB and a half under the flute dance (0.163),
    // so a change of group does not jump in level, and the calmer piece
    // stays clear of clipping where a bird calls over a loud chord.
    static constexpr double loudness = 0.14;

    static StereoBuffer tuibirds();
    // Where the melody rests, in seconds from the loop's start.
    static BirdVoices::Rests melodyRests();
    static bool write(const std::string& path);
};

}  // namespace qm
