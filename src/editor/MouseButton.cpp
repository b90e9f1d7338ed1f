// Placeholder definitions; replaced by the real implementation.
#include "editor/MouseButton.h"

namespace qm {

std::shared_ptr<MouseButton> MouseButton::create(int x1, int x2, int y1, int y2, int drawX, int drawY, ImagePtr image) { return std::make_shared<MouseButton>(); }
void MouseButton::fade() { }
void MouseButton::draw() { }
void MouseButton::hover(int x, int y) { }
void MouseButton::glowUp() { }
bool MouseButton::contains(int x, int y) const { return {}; }

}  // namespace qm
