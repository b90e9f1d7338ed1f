// Placeholder definitions; replaced by the real implementation.
#include "editor/HoverButtonBar.h"

namespace qm {

std::shared_ptr<HoverButtonBar> HoverButtonBar::create() { return std::make_shared<HoverButtonBar>(); }
void HoverButtonBar::initializeEditorButtons() { }
void HoverButtonBar::setEditorButtonsActive(int flag) { }
void HoverButtonBar::update() { }
void HoverButtonBar::updateHoverDirection() { }
void HoverButtonBar::draw() { }
int HoverButtonBar::hitTest(int x, int y) { return {}; }

}  // namespace qm
