// Program entry: reads the command line, starts the runtime services from the
// game's own folder, runs the game.
#include <cstdio>
#include <string>
#include <vector>

#include "app/App.h"
#include "runtime/Files.h"
#include "runtime/Runtime.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    qm::RuntimeOptions options;
    std::string error;
    if (!qm::parseRuntimeOptions(args, options, error)) {
        std::fprintf(stderr, "quillmere: %s\n", error.c_str());
        std::fprintf(stderr, "usage: quillmere [--headless] [--script FILE] [--log FILE|-] [--max-frames N]\n");
        return 2;
    }
    // Started by path from another folder: the data lies beside the program.
    // Files named on the command line stay relative to where we were started.
    if (qm::fileType("media") != qm::FILE_DIRECTORY) {
        std::string here = qm::currentDir();
        auto anchor = [&](std::string& path) {
            if (!path.empty() && path != "-" && path[0] != '/') path = here + "/" + path;
        };
        anchor(options.scriptPath);
        anchor(options.logTarget);
        qm::changeDir(qm::programFolder());
    }
    if (!qm::runtimeInit(options)) {
        std::fprintf(stderr, "quillmere: the runtime could not start\n");
        return 1;
    }
    int result = qm::App::run();
    qm::runtimeShutdown();
    // A page cannot close itself: after the quit has saved everything, the
    // page starts the game afresh at its title.
    qm::restartPage();
    return result;
}
