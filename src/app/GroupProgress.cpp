// Placeholder definitions; replaced by the real implementation.
#include "app/GroupProgress.h"

namespace qm {

std::shared_ptr<GroupProgress> GroupProgress::create() { return std::make_shared<GroupProgress>(); }
void GroupProgress::refresh() { }
void GroupProgress::draw() { }
void GroupProgress::announce(int index) { }
void GroupProgress::step() { }
void GroupProgress::reset() { }

}  // namespace qm
