// Placeholder definitions; replaced by the real implementation.
#include "app/PlayInput.h"

namespace qm {

void PlayInput::pollInput() { }
void PlayInput::resetInput() { }
void PlayInput::resetInputAndFlush() { }
void PlayInput::resetAll() { }

}  // namespace qm

namespace qm {
int PlayInput::up = 0, PlayInput::down = 0, PlayInput::left = 0, PlayInput::right = 0;
int PlayInput::restart = 0, PlayInput::skip = 0, PlayInput::menuRequest = 0;
int PlayInput::buttonCode = -1;
int PlayInput::mouseX = 0, PlayInput::mouseY = 0, PlayInput::lastMouseX = 0, PlayInput::lastMouseY = 0;
int PlayInput::idleFrames = 0, PlayInput::mouseIdle = 0;
}  // namespace qm
