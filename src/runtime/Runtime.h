// Start and stop of the runtime services, and the command-line options that
// select the headless back-end and scripted input.
#pragma once
#include <functional>
#include <string>
#include <vector>

namespace qm {

struct RuntimeOptions {
    bool headless = false;
    std::string scriptPath;   // --script FILE
    std::string logTarget;    // --log FILE ("-" = stderr, "" = dropped)
    int maxFrames = -1;       // --max-frames N: a close request at flip N
};

// Parses the game's command line (the words after the program name).
// Unknown options and stray words are an error (false).
bool parseRuntimeOptions(const std::vector<std::string>& args, RuntimeOptions& out, std::string& error);
// Starts the services. Headless: no window, no audio device, a virtual clock.
bool runtimeInit(const RuntimeOptions& options);
void runtimeShutdown();
bool isHeadless();
// In the browser, loads the page again (a page cannot close itself); on the
// desktop it does nothing.
void restartPage();

// Called when the page is hidden or closed (the browser may give the game no
// other turn), from inside the page's event: what runs there must not wait.
// Never called on the desktop, whose window says so through appSuspended().
void onPageHidden(std::function<void()> handler);

}  // namespace qm
