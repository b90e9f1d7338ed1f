// Placeholder definitions; replaced by the real implementation.
#include "app/OptionsFile.h"

namespace qm {

void OptionsFile::loadOptions() { }
void OptionsFile::saveOptions() { }
void OptionsFile::defaultOptions() { }
void OptionsFile::resetAll() { }

}  // namespace qm

namespace qm {
float OptionsFile::optionSoundVolume = 0;
float OptionsFile::optionMusicVolume = 0;
int OptionsFile::fullscreenWanted = 0;
}  // namespace qm
