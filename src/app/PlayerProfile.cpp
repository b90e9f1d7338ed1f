// Placeholder definitions; replaced by the real implementation.
#include "app/PlayerProfile.h"

namespace qm {

std::shared_ptr<PlayerProfile> PlayerProfile::create(int n) { return std::make_shared<PlayerProfile>(); }
int PlayerProfile::markOnce(int index) { return {}; }
void PlayerProfile::load() { }
void PlayerProfile::reset() { }
void PlayerProfile::save() { }
void PlayerProfile::recomputeGroups() { }
int PlayerProfile::groupLevelState(int j) const { return {}; }
int PlayerProfile::indexInGroup(int level) const { return {}; }
void PlayerProfile::setLevelResult(int level, int solved) { }
void PlayerProfile::openLevel(int level) { }
int PlayerProfile::isNotSkipped(int level) const { return {}; }
void PlayerProfile::advanceFrom(int level) { }
int PlayerProfile::levelState(int level) const { return {}; }
std::string PlayerProfile::fileName() const { return {}; }
int PlayerProfile::playableLevel() const { return {}; }

}  // namespace qm
