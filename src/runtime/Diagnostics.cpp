// The debug log (dropped, standard error or a file; one line per call, no
// stamps) and the modal notice box, which headless runs only count.
#include "Diagnostics.h"

#include <SDL.h>

#include <cstdio>

#include "Backend.h"

namespace qm {

std::string currentWindowTitle();  // Graphics.cpp

namespace {

FILE* logFile = nullptr;
bool logToStderr = false;
std::function<void(const std::string&)> logHook;
int notices = 0;

}  // namespace

void setDebugLogTarget(const std::string& target) {
    if (logFile) std::fclose(logFile);
    logFile = nullptr;
    logToStderr = target == "-";
    if (!target.empty() && !logToStderr) {
        logFile = std::fopen(target.c_str(), "wb");
        if (!logFile) std::fprintf(stderr, "quillmere: cannot write the log file %s\n", target.c_str());
    }
}

void setDebugLogHook(std::function<void(const std::string&)> hook) { logHook = std::move(hook); }

void debugLog(const std::string& text) {
    if (logHook) {
        logHook(text);
        return;
    }
    FILE* out = logToStderr ? stderr : logFile;
    if (!out) return;
    std::fwrite(text.data(), 1, text.size(), out);
    std::fputc('\n', out);
    // Flushed per line so a crash still leaves everything logged before it.
    std::fflush(out);
}

void notify(const std::string& text, int serious) {
    ++notices;
    if (Backend::headless()) {
        // A scripted run must never wait for a click; its log shows the box.
        debugLog("notice: " + text);
        return;
    }
    Uint32 flags = serious == 1 ? SDL_MESSAGEBOX_WARNING : SDL_MESSAGEBOX_INFORMATION;
    SDL_ShowSimpleMessageBox(flags, currentWindowTitle().c_str(), text.c_str(), Backend::window());
}

int notifyCount() { return notices; }

}  // namespace qm
