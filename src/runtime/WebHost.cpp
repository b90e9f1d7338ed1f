// The browser back-end's hooks: handing the page its turn from inside the
// blocking frame loops (the program is built with asynchronous unwinding, so
// a wait here returns to the browser and resumes later where it was), the
// persistent working folder in the browser's database, and the frame-time
// figures the page keeps for measurement. On the desktop they do nothing.
#include "Backend.h"

#include "Files.h"
#include "FolderLock.h"
#include "Runtime.h"

#ifdef __EMSCRIPTEN__
#include <emscripten.h>
#endif

namespace qm {

#ifdef __EMSCRIPTEN__

namespace {

constexpr const char* kWorkingFolder = "/save";
constexpr const char* kDataFolder = "/game";

bool mounted = false;      // the page's file system is in use (not headless)
double resumedAt = -1.0;  // when the last animation frame gave us the turn
double sleptSince = 0.0;  // of the time since then, how much was spent asleep

}  // namespace

// The database holds only the working folder: the player's files, never the
// media (which come with the page and would be written back whole).
EM_ASYNC_JS(int, qmMountStorage, (const char* folder), {
    const path = UTF8ToString(folder);
    try { FS.mkdir(path); } catch (e) {}
    FS.mount(IDBFS, {}, path);
    const error = await new Promise(done => FS.syncfs(true, done));
    if (error) console.warn("quillmere: the saved files could not be read", error);
    return error ? 0 : 1;
});

EM_ASYNC_JS(void, qmPersist, (), {
    const error = await new Promise(done => FS.syncfs(false, done));
    if (error) console.warn("quillmere: the saved files could not be written", error);
});

// A hidden page gets no animation frames; a timer then wakes the loop so it
// sees that the window lost its focus and stops the music, as on the desktop.
// Busy is a frame's own work (its sleeps left out), interval the time from
// one animation frame to the next; the page keeps the last few thousand, and
// when the first flips came (milliseconds since the page began to load).
EM_ASYNC_JS(void, qmNextAnimationFrame, (double busy), {
    const stats = Module.frameStats || (Module.frameStats = { busy: [], interval: [], last: 0, firstFlips: [] });
    if (stats.firstFlips.length < 10) stats.firstFlips.push(performance.now());
    if (busy >= 0) stats.busy.push(busy);
    await new Promise(wake => {
        const timer = setTimeout(wake, 100);
        requestAnimationFrame(() => { clearTimeout(timer); wake(); });
    });
    const now = performance.now();
    if (stats.last) stats.interval.push(now - stats.last);
    stats.last = now;
    if (stats.busy.length > 4000) stats.busy.shift();
    if (stats.interval.length > 4000) stats.interval.shift();
});

bool Backend::mountStorage() {
    bool ok = mounted || qmMountStorage(kWorkingFolder) == 1;
    mounted = true;
    changeDir(kWorkingFolder);
    return ok;
}

void Backend::persistWrites() {
    if (mounted) qmPersist();
}

void Backend::waitForDisplay() {
    qmNextAnimationFrame(resumedAt < 0 ? -1.0 : emscripten_get_now() - resumedAt - sleptSince);
    resumedAt = emscripten_get_now();
    sleptSince = 0.0;
}

void Backend::sleepInPage(int ms) {
    double before = emscripten_get_now();
    emscripten_sleep(unsigned(ms));
    sleptSince += emscripten_get_now() - before;
}

std::string Backend::pagePath(const std::string& path) {
    if (mounted && !path.empty() && path[0] != '/') {
        std::string first = path.substr(0, path.find('/'));
        if (first == "media" || first == "levels" || first == "system") return std::string(kDataFolder) + "/" + path;
    }
    return path;
}

// The page's storage belongs to one tab at a time; until the tab lock is
// built, every tab has it.
FolderLock lockWorkingFolder(std::string&) { return FolderLock::Ok; }
void unlockWorkingFolder() {}

EM_JS(void, qmReloadPage, (), { location.reload(); });

void restartPage() { qmReloadPage(); }

#else

void restartPage() {}
bool Backend::mountStorage() { return true; }
void Backend::persistWrites() {}
void Backend::waitForDisplay() {}
void Backend::sleepInPage(int) {}
std::string Backend::pagePath(const std::string& path) { return path; }

#endif

}  // namespace qm
