// Files and streams: little-endian numbers, CR LF lines, safe rewrites
// (temporary file, fsync, rename) and the directory helpers. Paths arrive
// with backslashes and are mapped to '/' here.
#include "Files.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <set>

#include "Backend.h"
#include "Diagnostics.h"

namespace qm {

// ---- number and line rules shared by every stream ----

int Stream::readByte() {
    uint8_t b = 0;
    return readBytes(&b, 1) == 1 ? b : 0;
}

int Stream::readShort() {
    uint8_t b[2] = {0, 0};
    readBytes(b, 2);
    return b[0] | (b[1] << 8);  // 0..65535
}

int32_t Stream::readInt() {
    uint8_t b[4] = {0, 0, 0, 0};
    readBytes(b, 4);
    return int32_t(uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 | uint32_t(b[3]) << 24);
}

float Stream::readFloat() {
    int32_t bits = readInt();
    float v;
    std::memcpy(&v, &bits, 4);
    return v;
}

std::string Stream::readLine() {
    std::string line;
    uint8_t c;
    while (readBytes(&c, 1) == 1) {
        if (c == '\n') break;
        line.push_back(char(c));
    }
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return line;
}

std::string Stream::readString(int n) {
    if (n <= 0) return "";
    std::string text(size_t(n), '\0');
    text.resize(readBytes(text.data(), size_t(n)));
    return text;
}

void Stream::writeByte(int v) {
    uint8_t b = uint8_t(v);
    writeBytes(&b, 1);
}

void Stream::writeShort(int v) {
    uint8_t b[2] = {uint8_t(v), uint8_t(v >> 8)};
    writeBytes(b, 2);
}

void Stream::writeInt(int32_t v) {
    uint32_t u = uint32_t(v);
    uint8_t b[4] = {uint8_t(u), uint8_t(u >> 8), uint8_t(u >> 16), uint8_t(u >> 24)};
    writeBytes(b, 4);
}

void Stream::writeFloat(float v) {
    int32_t bits;
    std::memcpy(&bits, &v, 4);
    writeInt(bits);
}

void Stream::writeLine(const std::string& text) {
    writeBytes(text.data(), text.size());
    writeBytes("\r\n", 2);
}

void Stream::writeString(const std::string& text) { writeBytes(text.data(), text.size()); }

namespace {

// A stream over a stdio file, for reading or writing.
class FileStream : public Stream {
public:
    FileStream(FILE* f, bool forWriting, std::string written = {})
        : file(f), writing(forWriting), path(std::move(written)) {}
    ~FileStream() override { close(); }
    bool eof() override {
        // Peeking at a write stream would mark it failed.
        if (!file || writing) return true;
        int c = std::fgetc(file);
        if (c == EOF) return true;
        std::ungetc(c, file);
        return false;
    }
    bool close() override {
        if (!file) return !bad;
        if (std::fclose(file) != 0) bad = true;
        file = nullptr;
        // No fsync here; the page still stores the file.
        if (writing && !bad && !Backend::storeFile(path)) bad = true;
        return !bad;
    }
    size_t readBytes(void* dst, size_t n) override {
        if (!file || n == 0) return 0;
        return std::fread(dst, 1, n, file);
    }
    size_t writeBytes(const void* src, size_t n) override {
        if (!file || n == 0) return 0;
        size_t done = std::fwrite(src, 1, n, file);
        if (done != n) bad = true;
        return done;
    }
    bool failed() const override { return bad || (file && std::ferror(file)); }

protected:
    FILE* file;
    bool writing;
    std::string path;
    bool bad = false;
};

// Where a save really goes: a player file that is a link is written through
// to the file it names, so the link stays a link. Only a missing entry or a
// regular file is replaced; a dangling link may be a drive not mounted, and
// writing a fresh file in its place would hide the player's real one.
bool resolveSaveTarget(const std::string& path, std::string& target, std::string& reason) {
    struct stat st;
    if (lstat(path.c_str(), &st) != 0) {
        if (errno != ENOENT) {
            reason = std::strerror(errno);
            return false;
        }
        target = path;
        return true;
    }
    if (S_ISLNK(st.st_mode)) {
        char* real = realpath(path.c_str(), nullptr);
        if (!real) {
            reason = errno == ENOENT ? "it is a link to a missing file" : std::strerror(errno);
            return false;
        }
        target = real;
        std::free(real);
        if (stat(target.c_str(), &st) != 0) {
            reason = std::strerror(errno);
            return false;
        }
    } else {
        target = path;
    }
    if (S_ISREG(st.st_mode)) return true;
    reason = S_ISDIR(st.st_mode) ? "it is a folder" : "it is not a regular file";
    return false;
}

void splitPath(const std::string& path, std::string& folder, std::string& name) {
    size_t slash = path.rfind('/');
    folder = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
    name = slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string errorText(const std::string& step) { return step + ": " + std::strerror(errno); }

// Writes `bytes` to a fresh temporary beside the target and renames it over
// the target once every byte is on the disk. The temporary is created
// exclusively under a name of this process ("<name>.tmp<pid>", then
// "<name>.tmp<pid>-1"...), never through a link and never over anything
// already there. Returns "" on success, else the step that failed and why;
// then the target is as it was and no temporary is left.
std::string commitSafely(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::string target, reason;
    if (!resolveSaveTarget(path, target, reason)) return reason;
    std::string folder, name;
    splitPath(target, folder, name);
    std::string stem = folder + "/" + name + ".tmp" + std::to_string(getpid());
    std::string temp;
    int fd = -1;
    for (int attempt = 0; fd < 0 && attempt < 100; ++attempt) {
        temp = attempt == 0 ? stem : stem + "-" + std::to_string(attempt);
        fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY, 0666);
        if (fd < 0 && errno != EEXIST) return errorText("creating a temporary file");
    }
    if (fd < 0) return "no free name for a temporary file beside it";
    // The new file keeps the old one's permissions.
    struct stat old;
    if (stat(target.c_str(), &old) == 0) fchmod(fd, old.st_mode & 0777);
    std::string failure;
    for (size_t done = 0; failure.empty() && done < bytes.size();) {
        ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) failure = n < 0 ? errorText("writing") : "writing: nothing was written";
        else done += size_t(n);
    }
#ifndef __EMSCRIPTEN__
    // (In the page an fsync would store the whole working folder, over what
    // another tab may have written: the file alone is stored below.)
    if (failure.empty() && fsync(fd) != 0) failure = errorText("syncing");
#endif
    if (::close(fd) != 0 && failure.empty()) failure = errorText("closing");
    if (failure.empty() && std::rename(temp.c_str(), target.c_str()) != 0) failure = errorText("renaming");
    if (!failure.empty()) {
        unlink(temp.c_str());
        return failure;
    }
#ifdef __EMSCRIPTEN__
    // The page's storage keeps this one file before we go on.
    if (!Backend::storeFile(target)) failure = "storing it in the browser's storage";
#else
    // The rename itself reaches the disk only with its folder. (Some file
    // systems cannot sync a folder at all; that is no failure of ours.)
    int dir = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir < 0) return errorText("opening its folder to sync it");
    if (fsync(dir) != 0 && errno != EINVAL && errno != ENOTSUP) failure = errorText("syncing its folder");
    ::close(dir);
#endif
    return failure;
}

std::set<std::string> toldSaveFailures;

// Collects the bytes and commits them at close(), so nothing of a save is on
// the disk until all of it is. A kept file (the player's own) also tells the
// player, once for each file in a run, when its save fails.
class SafeFileStream : public Stream {
public:
    SafeFileStream(std::string target, std::string shown, bool kept)
        : targetPath(std::move(target)), shownName(std::move(shown)), keptFile(kept) {}
    ~SafeFileStream() override { close(); }
    bool eof() override { return true; }
    bool close() override {
        if (closed) return committed;
        closed = true;
        std::string failure = commitSafely(targetPath, bytes);
        committed = failure.empty();
        bytes = {};
        if (!committed && keptFile) tellSaveFailure(failure);
        return committed;
    }
    size_t readBytes(void*, size_t) override { return 0; }
    size_t writeBytes(const void* src, size_t n) override {
        if (closed) return 0;
        const uint8_t* p = static_cast<const uint8_t*>(src);
        bytes.insert(bytes.end(), p, p + n);
        return n;
    }
    bool failed() const override { return closed && !committed; }

private:
    void tellSaveFailure(const std::string& reason) {
        debugLog(shownName + " could not be saved (" + reason + "): the file keeps what it held, " +
                 "this session's progress stays in memory and the next save tries again");
        if (!toldSaveFailures.insert(shownName).second) return;
        notify("Quillmere could not save " + shownName + " in " + currentDir() + " (" + reason +
                   ").\n\nYou can play on: the file keeps what it held before, this session's progress "
                   "is kept while the game runs, and every later save tries again.",
               1);
    }
    std::string targetPath, shownName;
    bool keptFile;
    std::vector<uint8_t> bytes;
    bool closed = false, committed = false;
};

class MemoryStream : public Stream {
public:
    explicit MemoryStream(std::vector<uint8_t> b) : bytes(std::move(b)) {}
    bool eof() override { return at >= bytes.size(); }
    bool close() override { return true; }
    size_t readBytes(void* dst, size_t n) override {
        size_t k = std::min(n, bytes.size() - at);
        if (k) std::memcpy(dst, bytes.data() + at, k);
        at += k;
        return k;
    }
    size_t writeBytes(const void*, size_t) override { return 0; }
    bool failed() const override { return false; }

private:
    std::vector<uint8_t> bytes;
    size_t at = 0;
};

}  // namespace

std::string nativePath(const std::string& path) {
    std::string out = path;
    std::replace(out.begin(), out.end(), '\\', '/');
    return Backend::pagePath(out);
}

StreamPtr readFile(const std::string& path) {
    std::string p = nativePath(path);
    if (fileType(p) != FILE_REGULAR) return nullptr;
    FILE* f = std::fopen(p.c_str(), "rb");
    if (!f) return nullptr;
    return std::make_shared<FileStream>(f, false);
}

StreamPtr writeFile(const std::string& path) {
    std::string p = nativePath(path);
    if (fileType(p) == FILE_DIRECTORY) return nullptr;
    FILE* f = std::fopen(p.c_str(), "wb");
    if (!f) return nullptr;
    return std::make_shared<FileStream>(f, true, p);
}

StreamPtr writeFileSafely(const std::string& path) {
    std::string p = nativePath(path);
    if (p.empty() || fileType(p) == FILE_DIRECTORY) return nullptr;
    return std::make_shared<SafeFileStream>(p, path, false);
}

StreamPtr writeKeptFile(const std::string& path) {
    return std::make_shared<SafeFileStream>(nativePath(path), path, true);
}

void forgetSaveFailures() { toldSaveFailures.clear(); }

StreamPtr memoryStream(std::vector<uint8_t> bytes) { return std::make_shared<MemoryStream>(std::move(bytes)); }

int fileType(const std::string& path) {
    struct stat st;
    if (stat(nativePath(path).c_str(), &st) != 0) return FILE_MISSING;
    if (S_ISDIR(st.st_mode)) return FILE_DIRECTORY;
    return FILE_REGULAR;
}

int64_t fileSize(const std::string& path) {
    struct stat st;
    if (stat(nativePath(path).c_str(), &st) != 0 || S_ISDIR(st.st_mode)) return 0;
    return int64_t(st.st_size);
}

bool createDir(const std::string& path) {
    std::string p = nativePath(path);
    if (mkdir(p.c_str(), 0777) != 0) return false;
    return Backend::storeFile(p);
}

bool deleteFile(const std::string& path) {
    std::string p = nativePath(path);
    if (fileType(p) != FILE_REGULAR || unlink(p.c_str()) != 0) return false;
    return Backend::storeFile(p);
}

std::vector<std::string> listDir(const std::string& path) {
    std::vector<std::string> names;
    std::string p = nativePath(path);
    DIR* dir = opendir(p.empty() ? "." : p.c_str());
    if (!dir) return names;
    while (dirent* entry = readdir(dir)) names.emplace_back(entry->d_name);
    closedir(dir);
    // Directory order differs between file systems; sorted, runs repeat.
    std::sort(names.begin(), names.end());
    return names;
}

std::string currentDir() {
    std::vector<char> buffer(4096);
    if (!getcwd(buffer.data(), buffer.size())) return "";
    return buffer.data();
}

bool changeDir(const std::string& path) { return chdir(nativePath(path).c_str()) == 0; }

std::string programFolder() {
    std::vector<char> buffer(4096);
    ssize_t n = readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
    if (n <= 0) return currentDir();
    std::string exe(buffer.data(), size_t(n));
    size_t slash = exe.rfind('/');
    if (slash == std::string::npos) return currentDir();
    return slash == 0 ? "/" : exe.substr(0, slash);
}

int copyFile(const std::string& source, const std::string& target) {
    StreamPtr in = readFile(source);
    if (!in) return 0;  // the target stays untouched
    StreamPtr out = writeFile(target);
    if (!out) return 0;
    char block[4096];
    size_t n;
    while ((n = in->readBytes(block, sizeof block)) > 0)
        if (out->writeBytes(block, n) != n) break;
    bool ok = !out->failed();
    if (!out->close()) ok = false;
    return ok ? 1 : 0;
}

bool readWholeFile(const std::string& path, std::vector<uint8_t>& out) {
    out.clear();
    StreamPtr in = readFile(path);
    if (!in) return false;
    uint8_t block[65536];
    size_t n;
    while ((n = in->readBytes(block, sizeof block)) > 0) out.insert(out.end(), block, block + n);
    return !in->failed();
}

namespace {

std::vector<std::string> unreadableKept;

KeptFile unreadable(const std::string& path, const std::string& reason) {
    KeptFile result;
    result.outcome = KeptFileOutcome::Unreadable;
    result.reason = reason;
    unreadableKept.push_back(path + " (" + reason + ")");
    return result;
}

}  // namespace

const std::vector<std::string>& unreadableKeptFiles() { return unreadableKept; }

void forgetUnreadableKeptFiles() { unreadableKept.clear(); }

KeptFile readKeptFile(const std::string& path, size_t limit) {
    KeptFile result;
    std::string p = nativePath(path);
    // Non-blocking, so that opening a pipe does not wait for a writer.
    int fd = open(p.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        struct stat link;
        // A dangling link is a file that exists (on a drive not mounted,
        // say): never Missing, or a fresh file would be written in its place.
        if (errno == ENOENT && lstat(p.c_str(), &link) == 0 && S_ISLNK(link.st_mode))
            return unreadable(path, "it is a link to a missing file");
        if (errno == ENOENT) return result;
        return unreadable(path, std::strerror(errno));
    }
    struct stat st;
    bool statted = fstat(fd, &st) == 0;
    if (!statted || !S_ISREG(st.st_mode)) {
        std::string reason = !statted ? std::strerror(errno) : S_ISDIR(st.st_mode) ? "it is a folder" : "it is not a regular file";
        ::close(fd);
        return unreadable(path, reason);
    }
    result.bytes.resize(limit);
    size_t got = 0;
    while (got < limit) {
        ssize_t n = ::read(fd, result.bytes.data() + got, limit - got);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            std::string reason = std::strerror(errno);
            ::close(fd);
            return unreadable(path, reason);
        }
        if (n == 0) break;
        got += size_t(n);
    }
    ::close(fd);
    result.bytes.resize(got);
    result.outcome = KeptFileOutcome::Read;
    return result;
}

namespace {

// "<name>.tmp<pid>" or "<name>.tmp<pid>-<n>": the pid of the writer, else 0.
long temporaryWriter(const std::string& entry, const std::string& prefix) {
    if (entry.size() <= prefix.size() || entry.compare(0, prefix.size(), prefix) != 0) return 0;
    std::string rest = entry.substr(prefix.size());
    std::string pid = rest.substr(0, rest.find('-'));
    std::string count = pid.size() < rest.size() ? rest.substr(pid.size() + 1) : "0";
    auto digits = [](const std::string& t) {
        return !t.empty() && t.size() <= 9 && t.find_first_not_of("0123456789") == std::string::npos;
    };
    return digits(pid) && digits(count) ? std::stol(pid) : 0;
}

int removeTemporariesOf(const std::string& folder, const std::string& name) {
    int removed = 0;
    std::string prefix = name + ".tmp";
    for (const std::string& entry : listDir(folder)) {
        long writer = temporaryWriter(entry, prefix);
        if (writer <= 0) continue;
        std::string full = folder == "." ? entry : folder + "/" + entry;
        // A writer that still runs may be about to rename its file (a game
        // in another folder whose player file links here). Our own are stale:
        // this runs before our first save.
        if (writer != long(getpid()) && (kill(pid_t(writer), 0) == 0 || errno == EPERM)) {
            debugLog("left " + full + " alone: the program that writes it is running");
            continue;
        }
        // Only what a save makes: a regular file, looked at without following
        // a link. Anything else under such a name is not ours to remove.
        struct stat st;
        if (lstat(full.c_str(), &st) != 0) continue;
        if (!S_ISREG(st.st_mode)) {
            debugLog("left " + full + " alone: it is not a regular file, so no save of ours left it");
            continue;
        }
        if (unlink(full.c_str()) == 0) {
            ++removed;
            Backend::storeFile(full);  // out of the page's storage too
        }
    }
    return removed;
}

}  // namespace

int removeStaleTemporaries(const std::vector<std::string>& names) {
    int removed = 0;
    for (const std::string& name : names) {
        std::string p = nativePath(name);
        std::string folder, base;
        splitPath(p, folder, base);
        removed += removeTemporariesOf(folder, base);
        // A linked player file is saved beside its target.
        std::string target, reason;
        if (resolveSaveTarget(p, target, reason) && target != p) {
            splitPath(target, folder, base);
            removed += removeTemporariesOf(folder, base);
        }
    }
    return removed;
}

}  // namespace qm
