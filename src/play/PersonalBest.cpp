#include "play/PersonalBest.h"

#include "runtime/Diagnostics.h"
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
    KeptFile kept = readKeptFile(fileName(), 2 * kLevels);
    if (kept.outcome == KeptFileOutcome::Unreadable) {
        saveBlocked = 1;
        debugLog(fileName() + " cannot be read (" + kept.reason +
                 "): personal bests are kept in memory only and the file is left as it is");
    }
    if (kept.outcome != KeptFileOutcome::Read) return;
    StreamPtr file = memoryStream(std::move(kept.bytes));
    for (int& count : counts) {
        if (file->eof()) break;
        count = file->readShort() & 0xFFFF;
    }
    file->close();
}

void PersonalBest::save() const {
    if (saveBlocked == 1) return;
    // Temporary file renamed over the old one: a crash never leaves half a
    // file, and a failed save (told to the player) is made whole by the next.
    StreamPtr file = writeKeptFile(fileName());
    for (int count : counts) file->writeShort(count);
    file->close();
}

}  // namespace qm
