// The real program, headless and scripted: the whole start-up and exit
// sequence in the debug log, the files it writes, and runs that repeat bit for bit.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "support/TempFolder.h"

using namespace qm;

namespace {

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) out.push_back(line);
    return out;
}

// Runs the game in the current (temporary) folder with a script.
int runGame(const std::string& script, const std::string& logName, const std::string& extra = "") {
    test::writeBinary("script.txt", script);
    std::string command = std::string(QM_GAME_DIR) + "/quillmere --headless --script script.txt --log " + logName +
                          " --max-frames 3000 " + extra + " >/dev/null 2>&1";
    return test::runCommand(command);
}

TEST(EndToEndTest, StartsShowsTheMenuAndQuitsThroughTheWindowClose) {
    test::TempFolder folder;
    folder.linkGameData();
    ASSERT_EQ(runGame("# close the window from the main menu\n20 close\n", "log.txt"), 0);
    std::vector<std::string> log = lines(test::readText("log.txt"));
    ASSERT_GE(log.size(), 4u);
    EXPECT_EQ(log.front(), "--                  --");
    EXPECT_EQ(log[1], "-- Start of program --");
    EXPECT_EQ(log.back(), "-- End of program --");
    bool started = false, saving = false;
    for (size_t i = 0; i < log.size(); i++) {
        if (log[i] == "start at level 0") started = true;
        if (log[i] == "normal: Saving options") {
            saving = true;
            ASSERT_LT(i + 1, log.size());
            EXPECT_EQ(log[i + 1].rfind("saving volume as ", 0), 0u);
        }
    }
    EXPECT_TRUE(started);
    EXPECT_TRUE(saving);
    // options.dat is written at exit: two volumes and the window mode.
    EXPECT_EQ(test::readBinary("options.dat").size(), 12u);
    EXPECT_EQ(test::readBinary("save0.dat").size(), 175u);
}

TEST(EndToEndTest, SameScriptTwiceGivesTheSameShotsAndLogs) {
    std::string script =
        "5 mouse 300 200\n"
        "30 shot shot-a.png\n"
        "40 key 13 down\n"
        "41 key 13 up\n"
        "90 key 39 down\n"
        "100 shot shot-b.png\n"
        "101 key 39 up\n"
        "140 shot shot-c.png\n"
        "150 close\n";
    std::string shots[2][3], logs[2];
    for (int run = 0; run < 2; run++) {
        test::TempFolder folder;
        folder.linkGameData();
        ASSERT_EQ(runGame(script, "log.txt"), 0);
        logs[run] = test::readText("log.txt");
        shots[run][0] = test::readBinary("shot-a.png");
        shots[run][1] = test::readBinary("shot-b.png");
        shots[run][2] = test::readBinary("shot-c.png");
    }
    EXPECT_FALSE(logs[0].empty());
    EXPECT_EQ(logs[0], logs[1]);
    for (int i = 0; i < 3; i++) {
        EXPECT_GT(shots[0][i].size(), 1000u) << "shot " << i;
        EXPECT_EQ(shots[0][i], shots[1][i]) << "shot " << i;
    }
}

TEST(EndToEndTest, StartedFromAnotherFolderFindsItsData) {
    // A private copy of the game folder, so the files the game writes beside
    // itself do not land in the build's game folder.
    test::TempFolder folder;
    ASSERT_EQ(test::runCommand("mkdir -p game run && cp " + std::string(QM_GAME_DIR) + "/quillmere game/ && " +
                               "ln -s " + std::string(QM_GAME_DIR) + "/media game/media && ln -s " +
                               std::string(QM_GAME_DIR) + "/levels game/levels"),
              0);
    test::writeBinary("run/script.txt", "3 close\n");
    ASSERT_EQ(test::runCommand("cd run && ../game/quillmere --headless --script script.txt --log log.txt "
                               "--max-frames 100 >/dev/null 2>&1"),
              0);
    EXPECT_NE(test::readText("run/log.txt").find("-- End of program --"), std::string::npos);
    // The game worked in its own folder: that is where its files are.
    EXPECT_EQ(test::readBinary("game/options.dat").size(), 12u);
    EXPECT_TRUE(test::readBinary("run/options.dat").empty());
}

TEST(EndToEndTest, BadOptionIsRefused) {
    test::TempFolder folder;
    EXPECT_EQ(test::runCommand(std::string(QM_GAME_DIR) + "/quillmere --no-such-option >/dev/null 2>&1"), 2);
}

}  // namespace
