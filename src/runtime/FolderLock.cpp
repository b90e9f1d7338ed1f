// The desktop's working-folder lock: flock on a file in the folder. The lock
// file is never removed (removing it would let a third copy lock a fresh file
// while the second still holds the old one); it stays empty.
#include "FolderLock.h"

#ifndef __EMSCRIPTEN__

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "Files.h"

namespace qm {

namespace {

constexpr const char* kLockFile = "quillmere.lock";
int lockFd = -1;
std::string lockedFolder;

}  // namespace

FolderLock lockWorkingFolder(std::string& reason) {
    std::string folder = currentDir();
    if (lockFd >= 0 && folder == lockedFolder) return FolderLock::Ok;
    unlockWorkingFolder();
    // Never through a link: a planted link must not make us create or lock
    // a file elsewhere. A folder we may not write still locks an existing
    // lock file, which reading is enough for.
    int fd = open(kLockFile, O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY, 0666);
    if (fd < 0 && (errno == EROFS || errno == EACCES)) fd = open(kLockFile, O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        reason = std::string(kLockFile) + ": " + std::strerror(errno);
        return FolderLock::Failed;
    }
    while (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        if (errno == EINTR) continue;
        int error = errno;
        close(fd);
        if (error == EWOULDBLOCK) return FolderLock::HeldElsewhere;
        reason = std::string(kLockFile) + ": " + std::strerror(error);
        return FolderLock::Failed;
    }
    lockFd = fd;
    lockedFolder = folder;
    return FolderLock::Ok;
}

void unlockWorkingFolder() {
    if (lockFd >= 0) close(lockFd);  // closing the only descriptor releases the lock
    lockFd = -1;
    lockedFolder.clear();
}

}  // namespace qm

#endif
