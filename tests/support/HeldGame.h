// The real program run in the background in the current folder, its debug
// log coming through a pipe so a test sees each line as it is written and can
// hold the game still there (to start a second copy, to free a full disk)
// before letting it play on to its end.
#pragma once
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

#include "support/GameRun.h"

namespace qm::test {

class HeldGame {
public:
    // The script and the log's pipe lie in `outside` (a full or read-only
    // working folder takes neither).
    HeldGame(const std::string& script, int maxFrames, const std::string& outside = ".") {
        const std::string scriptPath = outside + "/held-script.txt";
        writeBinary(scriptPath, script);
        const std::string pipePath = outside + "/held-log";
        unlink(pipePath.c_str());
        if (mkfifo(pipePath.c_str(), 0600) != 0) return;
        logPipe = open(pipePath.c_str(), O_RDONLY | O_NONBLOCK);
        fcntl(logPipe, F_SETFL, 0);
        // Our own writer keeps the pipe from reading as ended before the game opens it.
        keepOpen = open(pipePath.c_str(), O_WRONLY | O_NONBLOCK);
        const std::string game = std::string(QM_GAME_DIR) + "/quillmere";
        const std::string frames = std::to_string(maxFrames);
        pid = fork();
        if (pid == 0) {
            execl(game.c_str(), game.c_str(), "--headless", "--script", scriptPath.c_str(), "--log", pipePath.c_str(),
                  "--max-frames", frames.c_str(), static_cast<char*>(nullptr));
            _exit(127);
        }
    }
    ~HeldGame() {
        if (pid > 0 && kill(pid, SIGKILL) == 0) waitpid(pid, nullptr, 0);
        if (logPipe >= 0) close(logPipe);
        if (keepOpen >= 0) close(keepOpen);
    }
    HeldGame(const HeldGame&) = delete;
    HeldGame& operator=(const HeldGame&) = delete;

    // Reads the log until a line starting with `prefix` has come, then stops
    // the game there. False when the game ended first.
    bool holdAt(const std::string& prefix) {
        if (keepOpen >= 0) {
            // Once the game writes, it holds the pipe open itself.
            readMore();
            close(keepOpen);
            keepOpen = -1;
        }
        while (("\n" + log).find("\n" + prefix) == std::string::npos)
            if (!readMore()) return false;
        int status = 0;
        kill(pid, SIGSTOP);
        if (waitpid(pid, &status, WUNTRACED) != pid || !WIFSTOPPED(status)) {
            pid = -1;
            return false;
        }
        return true;
    }
    // Lets the game play on to its end; its exit status and whole log.
    GameRun finish() {
        GameRun run;
        if (pid <= 0) return run;
        kill(pid, SIGCONT);
        while (readMore()) {
        }
        int status = 0;
        if (waitpid(pid, &status, 0) == pid && WIFEXITED(status)) run.status = WEXITSTATUS(status);
        pid = -1;
        run.log = log;
        return run;
    }

private:
    bool readMore() {
        char block[512];
        ssize_t n = read(logPipe, block, sizeof block);
        if (n <= 0) return false;
        log.append(block, size_t(n));
        return true;
    }
    pid_t pid = -1;
    int logPipe = -1, keepOpen = -1;
    std::string log;
};

}  // namespace qm::test
