// "options.dat": effects volume, music volume (float32 each) and the window
// mode (int32), little-endian, no header.
#include "play/OptionsFile.h"

#include <cmath>

#include "play/AssetCatalogue.h"
#include "play/Globals.h"
#include "audio/AudioManager.h"
#include "runtime/Diagnostics.h"
#include "runtime/Files.h"
#include "runtime/TextConv.h"

namespace qm {

float OptionsFile::optionSoundVolume = 0;
float OptionsFile::optionMusicVolume = 0;
int OptionsFile::fullscreenWanted = 0;
int OptionsFile::saveBlocked = 0;

namespace {

// A volume that is not a number falls back to full volume; one outside the
// slider's range is brought back into it, so a damaged file cannot make the
// game silent for good or drive the mixer past its gain.
float saneVolume(float v) {
    if (!std::isfinite(v)) return 1.0f;
    if (v < 0.0f) return 0.0f;
    if (v > 2.0f) return 2.0f;
    return v;
}

}  // namespace

void OptionsFile::loadOptions() {
    KeptFile kept = readKeptFile("options.dat", 12);
    if (kept.outcome == KeptFileOutcome::Unreadable) {
        saveBlocked = 1;
        debugLog("options.dat cannot be read (" + kept.reason + "): default options, and the file is left as it is");
    }
    if (kept.outcome != KeptFileOutcome::Read) {
        defaultOptions();
        return;
    }
    StreamPtr file = memoryStream(std::move(kept.bytes));
    if (!file->eof()) optionSoundVolume = saneVolume(file->readFloat());
    debugLog("fileVolume " + floatText(optionSoundVolume));
    if (!file->eof()) optionMusicVolume = saneVolume(file->readFloat());
    if (!file->eof()) fullscreenWanted = file->readInt() == 1 ? 1 : 0;
    file->close();
}

void OptionsFile::saveOptions() {
    float effects = audioManager ? audioManager->soundVolume : optionSoundVolume;
    float music = audioManager ? audioManager->musicVolume : optionMusicVolume;
    StreamPtr file = saveBlocked == 1 ? nullptr : writeKeptFile("options.dat");
    if (!file) {
        debugLog("Could not save options");
        return;
    }
    debugLog("saving volume as " + floatText(effects));
    file->writeFloat(effects);
    file->writeFloat(music);
    file->writeInt(AssetCatalogue::fullscreen);
    if (!file->close()) debugLog("Could not save options");
}

void OptionsFile::defaultOptions() {
    optionSoundVolume = 1.0f;
    optionMusicVolume = 1.0f;
    fullscreenWanted = 0;
}

void OptionsFile::resetAll() {
    optionSoundVolume = 0;
    optionMusicVolume = 0;
    fullscreenWanted = 0;
    saveBlocked = 0;
}

}  // namespace qm
