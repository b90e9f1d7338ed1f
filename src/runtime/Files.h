// Files and streams. Paths are written with backslashes, as the game's data
// names them ("media\ball.png"); the file layer maps them to the platform's
// separator. Numbers are little-endian.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace qm {

class Stream {
public:
    virtual ~Stream() = default;
    virtual bool eof() = 0;
    // Closes the stream. For a safe write stream this is the commit: it
    // returns false (and leaves the old file in place) when any write failed.
    virtual bool close() = 0;
    virtual size_t readBytes(void* dst, size_t n) = 0;
    virtual size_t writeBytes(const void* src, size_t n) = 0;
    virtual bool failed() const = 0;

    int readByte();
    int readShort();
    int32_t readInt();
    float readFloat();
    std::string readLine();
    std::string readString(int n);
    void writeByte(int v);
    void writeShort(int v);
    void writeInt(int32_t v);
    void writeFloat(float v);
    void writeLine(const std::string& text);
    void writeString(const std::string& text);
};
using StreamPtr = std::shared_ptr<Stream>;

// Null when the file cannot be opened.
StreamPtr readFile(const std::string& path);
StreamPtr writeFile(const std::string& path);
// Collects the bytes and, at close(), writes them to a fresh temporary file
// beside `path` (created exclusively, never through a link), syncs it and
// renames it over `path`, then syncs the folder; a crash or a full disk never
// leaves a truncated file. close() is false when any step failed: the old
// file is then as it was. A `path` that is a link is written through to the
// file it names; a dangling link, a folder or a device is never replaced.
StreamPtr writeFileSafely(const std::string& path);
// The same for the small files the game keeps for the player. A failed save
// goes to the debug log with the step and the reason, and the player is told
// in the message box once per file and run.
StreamPtr writeKeptFile(const std::string& path);
void forgetSaveFailures();
// A read stream over bytes in memory (tests, fuzzers, the HTTP reader).
StreamPtr memoryStream(std::vector<uint8_t> bytes);

std::string nativePath(const std::string& path);
enum FileType : int { FILE_MISSING = 0, FILE_REGULAR = 1, FILE_DIRECTORY = 2 };
int fileType(const std::string& path);
int64_t fileSize(const std::string& path);
bool createDir(const std::string& path);
bool deleteFile(const std::string& path);
std::vector<std::string> listDir(const std::string& path);  // includes "." and ".."
std::string currentDir();
bool changeDir(const std::string& path);
std::string programFolder();
int copyFile(const std::string& source, const std::string& target);
bool readWholeFile(const std::string& path, std::vector<uint8_t>& out);

// The small files the game keeps for the player (options, profile, bests,
// the anonymous id). One that exists but cannot be read (no permission, an
// I/O error, a folder, a pipe or a device under its name) is Unreadable,
// never Missing: it may still hold the player's progress, so the game must
// not write a fresh one over it. At most `limit` bytes are read, and a pipe
// or device is never read at all, so a strange file cannot hang start-up or
// fill memory.
enum class KeptFileOutcome { Read, Missing, Unreadable };
struct KeptFile {
    KeptFileOutcome outcome = KeptFileOutcome::Missing;
    std::vector<uint8_t> bytes;
    std::string reason;  // why an Unreadable file could not be read
};
KeptFile readKeptFile(const std::string& path, size_t limit);
// Every kept file found Unreadable since the runtime started, as
// "name (reason)", so the game can tell the player once.
const std::vector<std::string>& unreadableKeptFiles();
void forgetUnreadableKeptFiles();

// Removes the temporary files ("<name>.tmp<pid>", "<name>.tmp<pid>-<n>") that
// a safe write left beside one of `names`, or beside the file a linked name
// leads to, when its program died before the rename. Call it at start-up,
// before the first save and with the working folder locked. Only regular
// files are removed, never through a link; a temporary of another program
// still running, and anything else under such a name, is left alone with a
// line in the debug log. Returns how many were removed.
int removeStaleTemporaries(const std::vector<std::string>& names);
// The system's file dialog (zenity when installed); "" when cancelled or
// unavailable.
std::string requestFile(const std::string& title, const std::string& filter, bool save,
                        const std::string& initialPath);

}  // namespace qm
