// The system's open and save dialog, through zenity when it is installed.
// It is started with an argument vector (no shell, so no quoting of names
// the player typed); headless runs never open it.
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <sstream>

#include "Backend.h"
#include "Files.h"

namespace qm {

namespace {

std::string findProgram(const std::string& name) {
    const char* path = std::getenv("PATH");
    std::istringstream folders(path ? path : "/usr/bin:/bin");
    for (std::string folder; std::getline(folders, folder, ':');) {
        std::string candidate = (folder.empty() ? "." : folder) + "/" + name;
        if (access(candidate.c_str(), X_OK) == 0) return candidate;
    }
    return "";
}

// "Level files:dat,lvl;All Files:*" -> "Level files | *.dat *.lvl", "All Files | *".
std::vector<std::string> filterArguments(const std::string& filter) {
    std::vector<std::string> out;
    std::istringstream entries(filter);
    for (std::string entry; std::getline(entries, entry, ';');) {
        size_t colon = entry.find(':');
        if (colon == std::string::npos) continue;
        std::string patterns;
        std::istringstream extensions(entry.substr(colon + 1));
        for (std::string ext; std::getline(extensions, ext, ',');) {
            if (ext.empty()) continue;
            patterns += (patterns.empty() ? "" : " ") + (ext == "*" ? std::string("*") : "*." + ext);
        }
        if (!patterns.empty()) out.push_back("--file-filter=" + entry.substr(0, colon) + " | " + patterns);
    }
    return out;
}

}  // namespace

std::string requestFile(const std::string& title, const std::string& filter, bool save,
                        const std::string& initialPath) {
    if (Backend::headless()) return "";
#ifdef __EMSCRIPTEN__
    return "";  // a page has no file dialog of its own
#endif
    std::string zenity = findProgram("zenity");
    if (zenity.empty()) return "";
    std::vector<std::string> args = {zenity, "--file-selection", "--title=" + title};
    if (save) {
        args.push_back("--save");
        args.push_back("--confirm-overwrite");
    }
    if (!initialPath.empty()) args.push_back("--filename=" + nativePath(initialPath));
    for (const std::string& f : filterArguments(filter)) args.push_back(f);
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);

    int pipeEnds[2];
    if (pipe2(pipeEnds, O_CLOEXEC) != 0) return "";
    pid_t child = fork();
    if (child < 0) {
        close(pipeEnds[0]);
        close(pipeEnds[1]);
        return "";
    }
    if (child == 0) {
        // Only async-signal-safe calls between fork and exec.
        dup2(pipeEnds[1], STDOUT_FILENO);
        int quiet = open("/dev/null", O_WRONLY);
        if (quiet >= 0) dup2(quiet, STDERR_FILENO);
        execv(argv[0], argv.data());
        _exit(127);
    }
    close(pipeEnds[1]);
    std::string chosen;
    char buffer[1024];
    for (ssize_t n; (n = read(pipeEnds[0], buffer, sizeof buffer)) != 0;) {
        if (n < 0) {
            if (errno == EINTR) continue;
            break;
        }
        if (chosen.size() < 65536) chosen.append(buffer, size_t(n));
    }
    close(pipeEnds[0]);
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return "";  // cancelled or failed
    while (!chosen.empty() && (chosen.back() == '\n' || chosen.back() == '\r')) chosen.pop_back();
    return chosen;
}

}  // namespace qm
