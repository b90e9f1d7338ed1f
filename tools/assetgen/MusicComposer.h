// The music: "tarn_flutedance", a tune for flute over a light dance rhythm of
// bass, plucked chords and hand drum, that loops without a seam.
#pragma once
#include <string>

#include "AudioWriter.h"

namespace qm {

class MusicComposer {
public:
    static constexpr double tempo = 120.0;  // crotchets per minute
    static constexpr int bars = 32;         // 64 seconds
    static StereoBuffer flutedance();
    static bool write(const std::string& path);
};

}  // namespace qm
