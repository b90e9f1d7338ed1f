// Placeholder definitions; replaced by the real implementation.
#include "editor/ScreenFlash.h"

namespace qm {

std::shared_ptr<ScreenFlash> ScreenFlash::create(float step, float alpha) { return std::make_shared<ScreenFlash>(); }
void ScreenFlash::update() { }
void ScreenFlash::draw() { }

}  // namespace qm
