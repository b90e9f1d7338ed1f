// The browser back-end's hooks: handing the page its turn from inside the
// blocking frame loops (the program is built with asynchronous unwinding, so
// a wait here returns to the browser and resumes later where it was), the
// persistent working folder in the browser's database (one tab at a time,
// each file stored on its own), the page's full screen, and the frame-time
// figures the page keeps for measurement. On the desktop they do nothing.
// The page's side of each is in web/page-host.js.
#include "Backend.h"

#include <functional>

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
bool inPageEvent = false;  // inside the page's hidden or closing event
double lastTurn = 0.0;     // when the page last had its turn
std::function<void()> pageHidden;
int lockAnswer = -1;       // the page's lock: 0 held here, 1 elsewhere, 2 none to be had
double resumedAt = -1.0;  // when the last animation frame gave us the turn
double sleptSince = 0.0;  // of the time since then, how much was spent asleep

}  // namespace

// The database holds only the working folder: the player's files, never the
// media (which come with the page and would be written back whole). It is
// read whole once; afterwards each file is written on its own.
EM_ASYNC_JS(int, qmMountStorage, (const char* folder), {
    const path = UTF8ToString(folder);
    try { FS.mkdir(path); } catch (e) {}
    FS.mount(IDBFS, {}, path);
    const error = await new Promise(done => FS.syncfs(true, done));
    if (error) console.warn("quillmere: the saved files could not be read", error);
    return error ? 0 : 1;
});

EM_ASYNC_JS(int, qmLockFolder, (), { return await Module.qmLockFolder(); });
EM_JS(void, qmTellElsewhere, (), { Module.qmShowElsewhere(); });

// Awaited in play; from inside a page event (hidden or closing) the write is
// only started, since no wait may happen there.
EM_ASYNC_JS(int, qmStoreFile, (const char* path), { return await Module.qmStoreFile(UTF8ToString(path)); });
EM_JS(void, qmStoreFileNow, (const char* path), { Module.qmStoreFile(UTF8ToString(path)); });

EM_JS(void, qmRequestFullscreen, (int on), { Module.qmRequestFullscreen(on !== 0); });
EM_JS(int, qmFullscreen, (), { return Module.qmFullscreen() ? 1 : 0; });

// A hidden page gets no animation frames; a timer then wakes the loop so it
// sees that the window lost its focus and stops the music, as on the desktop.
// Busy is a frame's own work (its sleeps left out), interval the time from
// one animation frame to the next; the page keeps the last few thousand, and
// when the first flips came (milliseconds since the page began to load).
EM_ASYNC_JS(void, qmNextAnimationFrame, (double busy), {
    const stats = Module.frameStats || (Module.frameStats = { busy: [], interval: [], last: 0, firstFlips: [] });
    if (stats.firstFlips.length < 10) stats.firstFlips.push(performance.now());
    if (stats.firstFlips.length === 1) Module.qmFirstFrame();
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

// The page's lock is on its storage, against other tabs; held for the page's
// life once taken (the browser lets it go with the tab), so a second call
// gives the first answer.
FolderLock lockWorkingFolder(std::string& reason) {
    if (Backend::headless()) return FolderLock::Ok;
    if (lockAnswer < 0) {
        lockAnswer = qmLockFolder();
        if (lockAnswer == 1) qmTellElsewhere();
    }
    if (lockAnswer == 2) reason = "the browser has no way to lock it";
    return lockAnswer == 0 ? FolderLock::Ok : lockAnswer == 1 ? FolderLock::HeldElsewhere : FolderLock::Failed;
}

void unlockWorkingFolder() {}

bool Backend::storeFile(const std::string& path) {
    if (!mounted) return true;
    std::string full = path.empty() || path[0] == '/' ? path : currentDir() + "/" + path;
    if (full.rfind(std::string(kWorkingFolder) + "/", 0) != 0) return true;  // not the player's files
    if (inPageEvent) {
        qmStoreFileNow(full.c_str());
        return true;
    }
    return qmStoreFile(full.c_str()) == 1;
}

void Backend::breathe() {
    if (Backend::headless()) return;
    double before = emscripten_get_now();
    if (before - lastTurn < 40.0) return;
    emscripten_sleep(0);
    lastTurn = emscripten_get_now();
    sleptSince += lastTurn - before;
}

void Backend::requestPageFullscreen(bool on) { qmRequestFullscreen(on ? 1 : 0); }
bool Backend::pageFullscreen() { return qmFullscreen() == 1; }

void onPageHidden(std::function<void()> handler) { pageHidden = std::move(handler); }

void Backend::waitForDisplay() {
    qmNextAnimationFrame(resumedAt < 0 ? -1.0 : emscripten_get_now() - resumedAt - sleptSince);
    resumedAt = lastTurn = emscripten_get_now();
    sleptSince = 0.0;
}

void Backend::sleepInPage(int ms) {
    double before = emscripten_get_now();
    emscripten_sleep(unsigned(ms));
    lastTurn = emscripten_get_now();
    sleptSince += lastTurn - before;
}

std::string Backend::pagePath(const std::string& path) {
    if (mounted && !path.empty() && path[0] != '/') {
        std::string first = path.substr(0, path.find('/'));
        if (first == "media" || first == "levels" || first == "system") return std::string(kDataFolder) + "/" + path;
    }
    return path;
}

EM_JS(void, qmReloadPage, (), { location.reload(); });

// The page calls this when it is hidden or closed.
extern "C" EMSCRIPTEN_KEEPALIVE void qmPageHidden() {
    if (!pageHidden) return;
    inPageEvent = true;
    pageHidden();
    inPageEvent = false;
}

void restartPage() { qmReloadPage(); }

#else

void restartPage() {}
void onPageHidden(std::function<void()>) {}
bool Backend::mountStorage() { return true; }
bool Backend::storeFile(const std::string&) { return true; }
void Backend::waitForDisplay() {}
void Backend::sleepInPage(int) {}
void Backend::breathe() {}
void Backend::requestPageFullscreen(bool) {}
bool Backend::pageFullscreen() { return false; }
std::string Backend::pagePath(const std::string& path) { return path; }

#endif

}  // namespace qm
