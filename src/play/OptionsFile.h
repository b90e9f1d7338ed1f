// "options.dat": the two volumes and the window mode, read at start-up and
// written at a normal exit.
#pragma once

namespace qm {

class OptionsFile {
public:
    static float optionSoundVolume;
    static float optionMusicVolume;
    static int fullscreenWanted;
    // 1 when "options.dat" exists but could not be read: it is not written over at exit.
    static int saveBlocked;

    static void loadOptions();
    static void saveOptions();
    static void defaultOptions();
    static void resetAll();
};

}  // namespace qm
