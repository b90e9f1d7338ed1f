// The menus in the real program, headless and scripted: the options sliders
// reaching options.dat, the profile reset reaching save0.dat, Quit, and the
// world map between two groups of levels.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "support/GameRun.h"
#include "support/TempFolder.h"

namespace qm {
namespace {

class MenuScenarioTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(test::runCommand("ln -s " + std::string(QM_GAME_DIR) + "/media media && mkdir levels"), 0);
    }
    int run(const std::string& script) {
        test::writeBinary("script.txt", script);
        return test::runCommand(std::string(QM_GAME_DIR) +
                                "/quillmere --headless --script script.txt --log log.txt --max-frames 3000 "
                                ">/dev/null 2>&1");
    }
    bool logHas(const std::string& line) const {
        return ("\n" + test::readText("log.txt")).find("\n" + line + "\n") != std::string::npos;
    }
    // A profile file: the given level states, the rest locked, every
    // tutorial page already seen.
    static void writeProfile(std::initializer_list<int> states) {
        std::string bytes(175, '\0');
        size_t i = 0;
        for (int s : states) bytes[i++] = char(s);
        for (size_t f = 165; f < 175; f++) bytes[f] = 1;
        test::writeBinary("save0.dat", bytes);
    }
    // A board of walls with the start at (1, 1) and the end right of it.
    static void writeShortLevel(int level) {
        std::string bytes;
        auto put = [&](int32_t v) { bytes.append(reinterpret_cast<const char*>(&v), 4); };
        put(2);
        put(level / 5);
        put(0);
        for (int x = 0; x < 20; x++)
            for (int y = 0; y < 14; y++) put(x == 1 && y == 1 ? 1 : x == 2 && y == 1 ? 2 : 10);
        put(0);
        put(0);
        test::writeBinary("levels/" + std::to_string(level) + ".lvl", bytes);
    }
    static float floatAt(const std::string& bytes, size_t offset) {
        float v = 0;
        if (bytes.size() >= offset + 4) std::memcpy(&v, bytes.data() + offset, 4);
        return v;
    }
    test::TempFolder folder;
};

// Saved as the screen is left and as the window is put away, not only at the
// end (a closed browser tab or a machine shut down has no end).
TEST_F(MenuScenarioTest, TheMusicSliderAtThreeQuartersIsSavedAsVolume1Point5) {
    ASSERT_EQ(run("60 mouse 226 342\n"    // Options
                  "70 button 1 down\n71 button 1 up\n"
                  "130 mouse 635 345\n"   // 75 % along the music bar
                  "140 button 1 down\n141 button 1 up\n"
                  "150 mouse 530 475\n"   // Back
                  "160 button 1 down\n161 button 1 up\n"
                  "200 focus lost\n210 focus gained\n"
                  "220 close\n"),
              0);
    std::string options = test::readBinary("options.dat");
    ASSERT_EQ(options.size(), 12u);
    EXPECT_FLOAT_EQ(floatAt(options, 0), 1.0f);
    EXPECT_FLOAT_EQ(floatAt(options, 4), 1.5f);
    std::string log = test::readText("log.txt");
    size_t end = log.find("normal: Saving options");
    ASSERT_NE(end, std::string::npos);
    EXPECT_EQ(test::countLines(log.substr(0, end), "saving volume as "), 2) << log;
}

TEST_F(MenuScenarioTest, ResetProfileYesStartsOverAtLevel0) {
    writeProfile({1, 1, 1, 1, 1, 1, 1, 3});
    ASSERT_EQ(run("60 mouse 226 342\n70 button 1 down\n71 button 1 up\n"     // Options
                  "130 mouse 530 415\n140 button 1 down\n141 button 1 up\n"  // Reset profile
                  "200 mouse 330 295\n210 button 1 down\n211 button 1 up\n"  // Yes
                  "260 close\n"),
              0);
    EXPECT_TRUE(logHas("start at level 7"));
    EXPECT_TRUE(logHas("start at level 0"));
    std::string profile = test::readBinary("save0.dat");
    ASSERT_EQ(profile.size(), 175u);
    EXPECT_EQ(profile.substr(0, 8), std::string("\3\0\0\0\0\0\0\0", 8));
}

TEST_F(MenuScenarioTest, UpFromPlayThenEnterQuits) {
    ASSERT_EQ(run("60 key 38 down\n61 key 38 up\n"
                  "100 key 13 down\n101 key 13 up\n"
                  "300 shot late.png\n"),
              0);
    EXPECT_TRUE(logHas("-- End of program --"));
    EXPECT_TRUE(test::readBinary("late.png").empty()) << "the program ended long before frame 300";
}

// Escape goes back from each screen over the main menu (How to play, Options,
// the reset-profile box, which it answers No), and the keyboard is the main
// menu's again each time: Up, Up, Enter then reaches Play and the ball rolls.
// On the way, Right moves the effects slider a tenth of its bar.
TEST_F(MenuScenarioTest, EscapeGoesBackFromEverySubmenuAndPlayGoesOn) {
    writeProfile({1, 3});
    writeShortLevel(1);
    writeShortLevel(2);
    ASSERT_EQ(run("60 key 40 down\n61 key 40 up\n100 key 13 down\n101 key 13 up\n"  // How to play
                  "150 shot howto.png\n"
                  "160 key 27 down\n161 key 27 up\n"
                  "200 key 40 down\n201 key 40 up\n240 key 13 down\n241 key 13 up\n"  // Options
                  "300 key 40 down\n301 key 40 up\n330 key 39 down\n331 key 39 up\n"  // Effects, Right
                  "360 shot options.png\n"
                  "370 key 27 down\n371 key 27 up\n"
                  "420 key 13 down\n421 key 13 up\n"                                     // Options again
                  "480 key 40 down\n481 key 40 up\n520 key 40 down\n521 key 40 up\n"  // Reset profile
                  "560 key 13 down\n561 key 13 up\n"
                  "610 shot reset.png\n"
                  "620 key 27 down\n621 key 27 up\n"                                     // No
                  "680 key 27 down\n681 key 27 up\n"
                  "720 key 38 down\n721 key 38 up\n750 key 38 down\n751 key 38 up\n"  // up to Play
                  "790 key 13 down\n791 key 13 up\n"
                  "850 key 39 down\n852 key 39 up\n"
                  "950 close\n"),
              0);
    std::string log = test::readText("log.txt");
    EXPECT_EQ(test::countLines(log, "Escape: back from screen 1"), 1) << log;
    EXPECT_EQ(test::countLines(log, "Escape: back from screen 5"), 1);
    EXPECT_EQ(test::countLines(log, "Escape: back from screen 2"), 2);
    EXPECT_EQ(test::countLines(log, "Slider value set to 60"), 1) << "Right on the effects slider, from 50 %";
    EXPECT_FALSE(logHas("start at level 0")) << "Escape in the reset box must not reset the profile";
    EXPECT_EQ(test::countLines(log, "ball rolls "), 1) << "play went on after the menus";
    std::string profile = test::readBinary("save0.dat");
    ASSERT_EQ(profile.size(), 175u);
    EXPECT_EQ(profile[1], 1) << "level 1 solved";
    std::string options = test::readBinary("options.dat");
    ASSERT_EQ(options.size(), 12u);
    EXPECT_FLOAT_EQ(floatAt(options, 0), 1.2f);
}

class WorldMapScenarioTest : public MenuScenarioTest {
protected:
    void SetUp() override {
        MenuScenarioTest::SetUp();
        writeProfile({1, 1, 1, 1, 3});
        writeShortLevel(4);
        writeShortLevel(5);
    }
    // Play, then roll right onto the end of level 4, the last of its group.
    static constexpr const char* kSolveLevel4 = "60 key 13 down\n61 key 13 up\n90 key 39 down\n92 key 39 up\n";
};

TEST_F(WorldMapScenarioTest, TheMapStaysUntilAKeyThenTheNextGroupBegins) {
    ASSERT_EQ(run(std::string(kSolveLevel4) + "400 close\n"), 0);
    EXPECT_TRUE(logHas("Loading map 5.lvl"));
    EXPECT_FALSE(logHas("Music change - 0 to1")) << "the next group's music waits for the map to close";

    ASSERT_EQ(run(std::string(kSolveLevel4) + "300 key 32 down\n302 key 32 up\n400 close\n"), 0);
    EXPECT_TRUE(logHas("Music change - 0 to1"));
}

}  // namespace
}  // namespace qm
