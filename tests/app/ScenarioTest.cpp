// Whole-game scenarios through the real program: leaving play for the menus,
// solving, restarting and skipping levels. Each run uses its own folder with
// small test levels written here. (The menu screens have theirs in tests/menus.)
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <sstream>
#include <string>
#include <vector>

#include <filesystem>

#include "support/GameRun.h"

using namespace qm;

namespace {

void putInt(std::string& out, int32_t v) {
    char bytes[4];
    std::memcpy(bytes, &v, 4);
    out.append(bytes, 4);
}

// A level file: a corridor on row 6 from a start at column 2 to an end at
// column 12, walls everywhere else.
std::string corridorLevel(int tileSet) {
    std::string out;
    putInt(out, 2);
    putInt(out, tileSet);
    putInt(out, -1);
    for (int x = 0; x < 20; x++) {
        for (int y = 0; y < 14; y++) {
            int code = 10 + (x + y) % 6;
            if (y == 6 && x >= 2 && x <= 12) code = x == 2 ? 1 : x == 12 ? 2 : 3;
            putInt(out, code);
        }
    }
    putInt(out, 0);
    putInt(out, 0);
    return out;
}

class ScenarioTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::runCommand("mkdir -p levels && ln -s " + std::string(QM_GAME_DIR) + "/media media && ln -s " +
                         std::string(QM_GAME_DIR) + "/system system");
        for (int level = 0; level <= 6; level++)
            test::writeBinary("levels/" + std::to_string(level) + ".lvl", corridorLevel(level / 5));
    }

    // A profile whose first `solved` levels are solved, with every tutorial
    // page already seen so no page covers the board.
    void writeProfile(int solved) {
        std::string bytes(175, '\0');
        for (int i = 0; i < solved; i++) bytes[size_t(i)] = 1;
        for (int i = 165; i < 175; i++) bytes[size_t(i)] = 1;
        test::writeBinary("save0.dat", bytes);
    }

    std::string run(const std::string& script) {
        test::writeBinary("script.txt", script);
        int status = test::runCommand(std::string(QM_GAME_DIR) +
                                      "/quillmere --headless --script script.txt --log log.txt --max-frames 5000 "
                                      ">/dev/null 2>&1");
        EXPECT_EQ(status, 0);
        return test::readText("log.txt");
    }

    static bool has(const std::string& log, const std::string& line) {
        return ("\n" + log).find("\n" + line + "\n") != std::string::npos;
    }

    static size_t lineIndex(const std::string& log, const std::string& line) {
        std::istringstream in(log);
        std::string each;
        for (size_t i = 0; std::getline(in, each); i++)
            if (each == line) return i;
        return std::string::npos;
    }

    test::TempFolder folder;
};

// Frame numbers: the menu takes no activation in its first 600 ms (36 frames).
TEST_F(ScenarioTest, PlayEscapeAndQuitWithTheKeyboard) {
    writeProfile(0);
    std::string log = run(
        "60 key 13 down\n61 key 13 up\n"   // Play
        "100 key 27 down\n101 key 27 up\n"  // back to the menu
        "160 key 38 down\n161 key 38 up\n"  // up from Play wraps to Quit
        "200 key 13 down\n201 key 13 up\n"
        "900 close\n");
    EXPECT_TRUE(has(log, "--- escape key pressed"));
    EXPECT_TRUE(has(log, "-- End of program --"));
    // Quit came from the menu, long before the safety close.
    EXPECT_LT(lineIndex(log, "--- escape key pressed"), lineIndex(log, "normal: Saving options"));
}

TEST_F(ScenarioTest, SolvingAndSkippingAreRecordedAndRestartFlashes) {
    writeProfile(0);
    std::string log = run(
        "60 key 13 down\n61 key 13 up\n"    // Play level 0
        "80 key 39 down\n84 key 39 up\n"    // roll right to the end
        "150 key 82 down\n151 key 82 up\n"  // restart level 1
        "200 key 83 down\n201 key 83 up\n"  // skip level 1
        "300 close\n");
    std::string profile = test::readBinary("save0.dat");
    ASSERT_EQ(profile.size(), 175u);
    EXPECT_EQ(profile[0], 1);  // solved
    EXPECT_EQ(profile[1], 2);  // skipped
    EXPECT_EQ(profile[2], 3);  // open
    EXPECT_TRUE(has(log, "Loading map 1.lvl"));
    EXPECT_TRUE(has(log, "Loading map 2.lvl"));
}

// Print Screen writes one picture per press, however long it is held, and a
// second run of the same day moves on to new numbers instead of overwriting.
TEST_F(ScenarioTest, PrintScreenTakesOneShotPerPressAndNeverOverwrites) {
    writeProfile(0);
    std::string script =
        "60 key 13 down\n61 key 13 up\n"
        "90 printscreen down\n100 printscreen up\n"  // held for ten frames
        "110 printscreen down\n111 printscreen up\n"
        "140 close\n";
    auto shots = [] {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator("."))
            if (entry.path().filename().string().find(" screen") != std::string::npos)
                names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    };
    run(script);
    std::vector<std::string> first = shots();
    ASSERT_EQ(first.size(), 2u);
    EXPECT_NE(first[0].find(" screen100.png"), std::string::npos);
    EXPECT_NE(first[1].find(" screen101.png"), std::string::npos);
    std::string before = test::readBinary(first[0]);
    run(script);
    std::vector<std::string> second = shots();
    ASSERT_EQ(second.size(), 4u);
    EXPECT_NE(second[3].find(" screen103.png"), std::string::npos);
    EXPECT_EQ(test::readBinary(first[0]), before);
}

// A hint asked for midway on a board open to the top (its search rolls off
// the edge) leaves the count alone: the solve is recorded as the three moves
// it took, never below par.
TEST_F(ScenarioTest, SolvingWithAHintWritesTheTruePersonalBest) {
    writeProfile(0);
    test::writeBinary("levels/0.lvl", test::levelFile(test::kOpenLevel));
    run("60 key 13 down\n61 key 13 up\n"
        "80 key 39 down\n81 key 39 up\n"
        "130 key 72 down\n131 key 72 up\n"  // H
        "140 key 40 down\n141 key 40 up\n"
        "200 key 39 down\n201 key 39 up\n"
        "300 close\n");
    std::string best = test::readBinary("best0.dat");
    ASSERT_EQ(best.size(), 330u);
    EXPECT_EQ(best[0], 3);
    EXPECT_EQ(best[1], 0);
    EXPECT_EQ(test::readBinary("save0.dat")[0], 1);
}

// Every group after the first plays the birds: play started in group 2 and
// in the last group (level 160, on the campaign's own boards) loads the
// group's track and starts it, with no silent stand-in, and the ball rolls
// to it (up on level 10, left on level 160).
TEST_F(ScenarioTest, PlayInALaterGroupStartsItsMusic) {
    for (int level : {10, 160}) {
        SCOPED_TRACE(level);
        test::runCommand("cp " + std::string(QM_SOURCE_DIR) + "/levels/" + std::to_string(level) + ".lvl levels/");
        writeProfile(level);
        std::string log = run("60 key 13 down\n61 key 13 up\n90 key 38 down\n91 key 38 up\n"
                              "150 key 37 down\n151 key 37 up\n220 close\n");
        const std::string change = "Music change - 0 to" + std::to_string(level / 5);
        ASSERT_TRUE(has(log, "Loading map " + std::to_string(level) + ".lvl"));
        ASSERT_TRUE(has(log, change));
        EXPECT_LT(lineIndex(log, change), lineIndex(log, "start level"));
        EXPECT_GE(test::countLines(log, "ball rolls"), 1);
        EXPECT_EQ(log.find("Attempted to play Null sound"), std::string::npos);
        // the start-up's quiet track 0 is the only one left unstarted
        EXPECT_EQ(log.find("Music started but is too quiet", log.find(change)), std::string::npos);
    }
}

}  // namespace
