// One running game per working folder. Two copies in one folder would each
// keep their own idea of the player's progress and overwrite each other's
// files, so the second one is turned away before it reads or writes any.
#pragma once
#include <string>

namespace qm {

enum class FolderLock {
    Ok,             // this program now has the folder to itself
    HeldElsewhere,  // another copy of the game is running in it
    Failed,         // no lock could be taken (a read-only folder); nothing says another copy runs
};

// Takes the lock on the current working folder, without waiting. The
// desktop holds an advisory lock on "quillmere.lock" in the folder (flock on
// POSIX, LockFileEx on Windows) that the system releases when the program
// ends, however it ends, so a crash never leaves the folder locked; the page
// locks its storage against other tabs of the same origin. Taking it again
// for the same folder is Ok. `reason` says why on Failed.
FolderLock lockWorkingFolder(std::string& reason);
// Lets the folder go (at shutdown; tests that start the game again).
void unlockWorkingFolder();

}  // namespace qm
