#include "app/PersonalBest.h"

#include "runtime/Files.h"
#include "runtime/TextConv.h"

namespace qm {

std::shared_ptr<PersonalBest> PersonalBest::create(int profileNumber) {
    auto best = std::make_shared<PersonalBest>();
    best->profileNumber = profileNumber;
    best->load();
    return best;
}

std::string PersonalBest::fileName() const { return "best" + str(profileNumber) + ".dat"; }

int PersonalBest::best(int level) const { return level >= 0 && level < kLevels ? counts[level] : 0; }

bool PersonalBest::record(int level, int moves) {
    if (level < 0 || level >= kLevels || moves <= 0 || moves > 0xFFFF) return false;
    if (counts[level] != 0 && counts[level] <= moves) return false;
    counts[level] = moves;
    save();
    return true;
}

void PersonalBest::load() {
    StreamPtr file = readFile(fileName());
    if (!file) return;
    for (int& count : counts) {
        if (file->eof()) break;
        count = file->readShort() & 0xFFFF;
    }
    file->close();
}

void PersonalBest::save() const {
    // Temporary file renamed over the old one: a crash never leaves half a file.
    StreamPtr file = writeFileSafely(fileName());
    if (!file) return;
    for (int count : counts) file->writeShort(count);
    file->close();
}

}  // namespace qm
