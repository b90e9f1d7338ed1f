// Runs the real program headless in a folder the fault tests have prepared,
// with a script that walks the menus, starts play and rolls the ball.
#pragma once
#include <string>

#include "support/TempFolder.h"

namespace qm::test {

// Enter on the main menu starts play; Space closes the first level's
// tutorial page; arrows roll the ball; R restarts; Escape goes back to the
// menus and Enter returns to play; a shot shows what could be drawn.
inline const char* kFaultScript =
    "40 key 13 down\n"
    "41 key 13 up\n"
    "100 key 32 down\n"
    "101 key 32 up\n"
    "150 key 39 down\n"
    "160 key 39 up\n"
    "190 key 40 down\n"
    "200 key 40 up\n"
    "230 key 38 down\n"
    "240 key 38 up\n"
    "260 key 82 down\n"
    "261 key 82 up\n"
    "280 key 27 down\n"
    "281 key 27 up\n"
    "330 key 13 down\n"
    "331 key 13 up\n"
    "350 key 37 down\n"
    "360 key 37 up\n"
    "380 shot {SHOT}\n"
    "390 close\n";

// Runs `program` (the built game unless given) with `folder` as its working
// folder; the script, its shot and the debug log live in `outside`, so a
// full or read-only working folder does not take them down too.
// Returns the exit status; the log text is left in `log`.
inline int runGameIn(const std::string& folder, const std::string& outside, std::string& log,
                     const std::string& program = std::string(QM_GAME_DIR) + "/quillmere") {
    std::string script = kFaultScript;
    script.replace(script.find("{SHOT}"), 6, outside + "/shot.png");
    writeBinary(outside + "/script.txt", script);
    int status = runCommand("cd '" + folder + "' && '" + program + "' --headless --script '" + outside +
                            "/script.txt' --log '" + outside + "/log.txt' --max-frames 500 >'" + outside +
                            "/stderr.txt' 2>&1");
    log = readText(outside + "/log.txt");
    return status;
}

// The level was played: the ball rolled on the board before Escape left it.
inline bool playedTheLevel(const std::string& log) {
    size_t rolled = log.find("ball rolls ");
    return rolled != std::string::npos && rolled < log.find("--- escape key pressed");
}

// The debug log's last line is the normal exit's.
inline bool endedNormally(const std::string& log) {
    size_t end = log.find_last_not_of("\r\n");
    if (end == std::string::npos) return false;
    size_t start = log.rfind('\n', end);
    start = start == std::string::npos ? 0 : start + 1;
    return log.substr(start, end + 1 - start) == "-- End of program --";
}

}  // namespace qm::test
