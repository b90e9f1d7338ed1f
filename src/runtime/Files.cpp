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
#include <cstring>

#include "Backend.h"

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

// Writes beside the target and renames over it only when every byte reached
// the disk, so the old file survives a crash or a full disk. In the browser
// the renamed file alone is written to the page's database, and the game
// goes on once it is stored (an fsync there would store the whole folder,
// over what another copy may have written).
class SafeFileStream : public FileStream {
public:
    SafeFileStream(FILE* f, std::string temp, std::string target)
        : FileStream(f, true), tempPath(std::move(temp)), targetPath(std::move(target)) {}
    ~SafeFileStream() override { close(); }
    bool close() override {
        if (!file) return committed;
        if (std::fflush(file) != 0 || std::ferror(file)) bad = true;
#ifndef __EMSCRIPTEN__
        if (!bad && fsync(fileno(file)) != 0) bad = true;
#endif
        if (std::fclose(file) != 0) bad = true;
        file = nullptr;
        if (!bad && std::rename(tempPath.c_str(), targetPath.c_str()) == 0) {
            committed = Backend::storeFile(targetPath);
            bad = !committed;
#ifndef __EMSCRIPTEN__
            syncFolder();
#endif
        } else {
            bad = true;
            std::remove(tempPath.c_str());
        }
        return committed;
    }

private:
    void syncFolder() {
        size_t slash = targetPath.rfind('/');
        std::string folder = slash == std::string::npos ? "." : targetPath.substr(0, slash + 1);
        int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY);
        if (fd >= 0) {
            fsync(fd);
            ::close(fd);
        }
    }
    std::string tempPath, targetPath;
    bool committed = false;
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
    std::string temp = p + ".tmp" + std::to_string(getpid());
    FILE* f = std::fopen(temp.c_str(), "wb");
    if (!f) return nullptr;
    return std::make_shared<SafeFileStream>(f, temp, p);
}

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

int removeStaleTemporaries(const std::vector<std::string>& names) {
    int removed = 0;
    for (const std::string& name : names) {
        std::string p = nativePath(name);
        size_t slash = p.rfind('/');
        std::string folder = slash == std::string::npos ? "." : p.substr(0, slash);
        std::string prefix = (slash == std::string::npos ? p : p.substr(slash + 1)) + ".tmp";
        for (const std::string& entry : listDir(folder)) {
            if (entry.size() <= prefix.size() || entry.compare(0, prefix.size(), prefix) != 0) continue;
            std::string digits = entry.substr(prefix.size());
            if (digits.size() > 9 || digits.find_first_not_of("0123456789") != std::string::npos) continue;
            pid_t writer = pid_t(std::stol(digits));
            // A writer that still runs may be about to rename its file.
            if (writer == getpid() || (writer > 0 && (kill(writer, 0) == 0 || errno == EPERM))) continue;
            std::string full = folder + "/" + entry;
            struct stat st;
            if (lstat(full.c_str(), &st) == 0 && S_ISREG(st.st_mode) && unlink(full.c_str()) == 0) ++removed;
        }
    }
    return removed;
}

}  // namespace qm
