// Scenarios through the real program: level files drawn as text rows, a run
// of the headless game in the current folder with a script, and questions
// about the debug log it wrote.
#pragma once
#include <cstdint>
#include <cstring>
#include <sstream>
#include <string>
#include <vector>

#include "support/BoardText.h"
#include "rules/LevelFileFormat.h"
#include "support/TempFolder.h"

namespace qm::test {

// A level file from rows in the legend of support/BoardText.h; cells the
// rows do not reach are wall.
inline std::string levelFile(const std::vector<std::string>& rows, int entryX = 0, int entryY = 0) {
    Board board = boardFromText(rows, '#');
    std::vector<uint8_t> bytes = LevelFileFormat::encode(board.cells, 0, entryX, entryY);
    return std::string(bytes.begin(), bytes.end());
}

// A board open to the top edge, as campaign boards are: Right, Down, Right
// solves it (par 3); Up from where Right stops rolls off the top.
inline const std::vector<std::string> kOpenLevel = {
    "#####.##############",
    "#####.##############",
    "#####.##############",
    "##S...##############",
    "#####.##############",
    "#####.##############",
    "#####....E##########",
};

// Play, the first level's tutorial page, then Right, Down, Right solves an
// open level 0 in 3 moves and level 1 loads; then the game closes.
inline const char* kSolveOpenLevel =
    "60 key 13 down\n61 key 13 up\n"
    "140 key 32 down\n141 key 32 up\n"
    "200 key 39 down\n201 key 39 up\n260 key 40 down\n261 key 40 up\n"
    "320 key 39 down\n321 key 39 up\n"
    "450 close\n";

// Levels 0 to `last` as the open-edged board, in the working folder's levels/.
inline void writeOpenLevels(int last) {
    for (int level = 0; level <= last; ++level)
        writeBinary("levels/" + std::to_string(level) + ".lvl", levelFile(kOpenLevel));
}

// A profile whose first `solved` levels are solved and every tutorial page
// seen, so no page covers the board.
inline std::string profileBytes(int solved) {
    std::string bytes(175, '\0');
    for (int i = 0; i < solved; i++) bytes[size_t(i)] = 1;
    for (int i = 165; i < 175; i++) bytes[size_t(i)] = 1;
    return bytes;
}

struct GameRun {
    int status = -1;
    std::string log;
};

// Runs the game in the current folder, which holds levels/ and links to the
// media; `wrapper` goes before the program (another user, a time limit).
inline GameRun runGame(const std::string& script, int maxFrames, const std::string& wrapper = "timeout 120") {
    writeBinary("script.txt", script);
    GameRun run;
    run.status = runCommand(wrapper + " " + std::string(QM_GAME_DIR) + "/quillmere --headless --script script.txt " +
                            "--log log.txt --max-frames " + std::to_string(maxFrames) + " >stderr.txt 2>&1");
    run.log = readText("log.txt");
    return run;
}

// Links the built game's media and system folders and makes levels/.
inline void prepareGameFolder() {
    runCommand("mkdir -p levels && ln -s " + std::string(QM_GAME_DIR) + "/media media && ln -s " +
               std::string(QM_GAME_DIR) + "/system system");
}

inline bool hasLine(const std::string& log, const std::string& line) {
    return ("\n" + log).find("\n" + line + "\n") != std::string::npos;
}

inline int countLines(const std::string& log, const std::string& prefix) {
    std::istringstream in(log);
    int count = 0;
    for (std::string line; std::getline(in, line);) count += line.rfind(prefix, 0) == 0;
    return count;
}

}  // namespace qm::test
