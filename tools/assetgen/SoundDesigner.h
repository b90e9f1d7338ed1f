// The game's effects: the rolling loop, chimes, ooh and double ooh, the door
// shut of a restart, the lock sounds, the teleport and the page turn.
#pragma once
#include <string>

#include "AudioWriter.h"

namespace qm {

class SoundDesigner {
public:
    static StereoBuffer rollingLoop();
    static StereoBuffer chimes();
    static StereoBuffer ooh();
    static StereoBuffer oohOoh();
    static StereoBuffer doorShut();
    static StereoBuffer lockOpened();
    static StereoBuffer lockClosed();
    static StereoBuffer teleport();
    static StereoBuffer pageTurn();
    static int writeAll(const std::string& media);
};

}  // namespace qm
