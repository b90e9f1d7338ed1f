// A review picture of music: for each track its waveform, its spectrogram
// over the whole loop and over a few seconds, and the samples either side of
// the loop point. Kept under docs/ to look at what cannot be listened to in
// a review.
#pragma once
#include <string>
#include <vector>

#include "AudioWriter.h"

namespace qm {

class SoundSheet {
public:
    struct Track {
        std::string title;
        const StereoBuffer* sound;
        double zoomFrom, zoomSeconds;  // the close-up spectrogram
    };
    static bool write(const std::vector<Track>& tracks, const std::string& path);
};

}  // namespace qm
