// Start and stop of the runtime services and the command-line options that
// choose the headless back-end, scripted input, the debug log and a frame cap.
#include "Runtime.h"

#include <SDL.h>

#include <cstdio>

#include "Audio.h"
#include "Backend.h"
#include "Diagnostics.h"
#include "Files.h"
#include "FolderLock.h"
#include "GameControllers.h"
#include "Graphics.h"
#include "Input.h"
#include "Script.h"

namespace qm {

namespace {

bool headlessMode = true;
bool started = false;
bool sdlStarted = false;
int frameCap = -1;

bool parseCount(const std::string& text, int& out) {
    if (text.empty() || text.size() > 9) return false;
    int v = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        v = v * 10 + (c - '0');
    }
    out = v;
    return true;
}

}  // namespace

bool Backend::headless() { return headlessMode; }
int Backend::maxFrames() { return frameCap; }

bool parseRuntimeOptions(const std::vector<std::string>& args, RuntimeOptions& out, std::string& error) {
    out = RuntimeOptions{};
    // args are the words after the program name.
    for (size_t i = 0; i < args.size(); ++i) {
        std::string name = args[i], value;
        bool inlineValue = false;
        if (size_t eq = name.find('='); eq != std::string::npos && name.rfind("--", 0) == 0) {
            value = name.substr(eq + 1);
            name = name.substr(0, eq);
            inlineValue = true;
        }
        auto takeValue = [&]() {
            if (inlineValue) return true;
            if (i + 1 >= args.size()) {
                error = name + " needs a value";
                return false;
            }
            value = args[++i];
            return true;
        };
        if (name == "--headless" && !inlineValue) {
            out.headless = true;
        } else if (name == "--script") {
            if (!takeValue()) return false;
            out.scriptPath = value;
        } else if (name == "--log") {
            if (!takeValue()) return false;
            out.logTarget = value;
        } else if (name == "--max-frames") {
            if (!takeValue()) return false;
            if (!parseCount(value, out.maxFrames) || out.maxFrames < 1) {
                error = "--max-frames needs a whole number of 1 or more";
                return false;
            }
        } else {
            error = "unknown option " + args[i];
            return false;
        }
    }
    return true;
}

bool runtimeInit(const RuntimeOptions& options) {
    if (started) runtimeShutdown();
    headlessMode = options.headless;
    Backend::resetClock();
    Backend::resetInput();
    Backend::resetScript();
    Backend::resetGraphicsState();
    forgetUnreadableKeptFiles();
    forgetSaveFailures();
    setDebugLogTarget(options.logTarget);
    frameCap = options.maxFrames;

    if (!options.scriptPath.empty()) {
        std::vector<uint8_t> bytes;
        if (!readWholeFile(options.scriptPath, bytes)) {
            std::fprintf(stderr, "quillmere: cannot read the script %s\n", options.scriptPath.c_str());
            return false;
        }
        std::vector<ScriptEvent> events;
        std::string error;
        if (!parseScript(std::string(bytes.begin(), bytes.end()), events, error)) {
            std::fprintf(stderr, "quillmere: %s: %s\n", options.scriptPath.c_str(), error.c_str());
            return false;
        }
        loadInputScript(std::move(events));
    }

#ifdef __EMSCRIPTEN__
    // Our flip gives the page its turn once a frame, paced by the display;
    // SDL's own yield at each buffer swap would add a second, unpaced one.
    SDL_SetHint(SDL_HINT_EMSCRIPTEN_ASYNCIFY, "0");
    // Another tab playing holds the page's storage: this one stays out of it
    // and says so (the page shows why).
    // (Taken before the storage is mounted; the game's own call later finds it held.)
    std::string lockFailure;
    if (!headlessMode && lockWorkingFolder(lockFailure) == FolderLock::HeldElsewhere) {
        std::fprintf(stderr, "quillmere: the game is open in another tab\n");
        return false;
    }
#endif
    // Touches are read as touches (a tap, a swipe), never as a mouse.
    SDL_SetHint(SDL_HINT_TOUCH_MOUSE_EVENTS, "0");
    SDL_SetHint(SDL_HINT_MOUSE_TOUCH_EVENTS, "0");
    // The page's working folder is its storage, loaded before anything reads it.
    if (!headlessMode && !Backend::mountStorage())
        std::fprintf(stderr, "quillmere: saved files are unavailable; progress will not be kept\n");

    // Headless needs no SDL subsystem: the software renderer draws on a surface.
    Uint32 systems = headlessMode ? 0 : SDL_INIT_VIDEO | SDL_INIT_EVENTS;
    if (SDL_Init(systems) != 0) {
        std::fprintf(stderr, "quillmere: SDL could not start: %s\n", SDL_GetError());
        return false;
    }
    sdlStarted = true;
    started = true;
    // Pads are a window-only convenience: a missing controller layer is no failure.
    if (!headlessMode) GameControllers::open();
    Backend::startAudio();
    return true;
}

void runtimeShutdown() {
    Backend::resetPrefetch();
    Backend::stopAudio();
    closeGraphics();
    GameControllers::close();
    if (sdlStarted) SDL_Quit();
    sdlStarted = false;
    started = false;
    Backend::resetScript();
    Backend::resetInput();
    unlockWorkingFolder();
    setDebugLogTarget("");
    frameCap = -1;
    onPageHidden(nullptr);
    // Back to the device-free state that tools and tests start in.
    headlessMode = true;
    Backend::resetClock();
}

bool isHeadless() { return headlessMode; }

}  // namespace qm
