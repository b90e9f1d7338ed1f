// Going back to a level from the main menu's level choice, through the real
// program: a solved level replayed in fewer moves improves its best, a
// skipped level solved becomes solved, and Play still goes on where the
// player's progress stands.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "support/GameRun.h"

using namespace qm;

namespace {

uint16_t bestOf(const std::string& bests, int level) {
    return uint16_t(uint8_t(bests[size_t(2 * level)]) | uint8_t(bests[size_t(2 * level + 1)]) << 8);
}

TEST(LevelChoiceTest, ReplaysImproveTheBestAndSolveASkippedLevel) {
    test::TempFolder folder;
    test::prepareGameFolder();
    for (int level = 0; level <= 3; ++level)
        test::writeBinary("levels/" + std::to_string(level) + ".lvl", test::levelFile(test::kOpenLevel));
    // Level 0 solved in 5 moves, level 1 skipped: Play goes on at level 2.
    std::string profile = test::profileBytes(1);
    profile[1] = 2;
    test::writeBinary("save0.dat", profile);
    std::string bests(330, '\0');
    bests[0] = 5;
    test::writeBinary("best0.dat", bests);

    test::GameRun run = test::runGame(
        "50 key 76 down\n51 key 76 up\n"                                   // L: the level choice, on level 2
        "100 key 37 down\n101 key 37 up\n110 key 37 down\n111 key 37 up\n"  // left twice: level 0
        "120 shot choice.png\n"
        "130 key 13 down\n131 key 13 up\n"                                  // play it again
        "160 key 39 down\n161 key 39 up\n220 key 40 down\n221 key 40 up\n280 key 39 down\n281 key 39 up\n"
        "450 key 39 down\n451 key 39 up\n"                                  // back on the choice: level 1
        "470 key 13 down\n471 key 13 up\n"
        "500 key 39 down\n501 key 39 up\n560 key 40 down\n561 key 40 up\n620 key 39 down\n621 key 39 up\n"
        "780 key 27 down\n781 key 27 up\n"                                  // back to the main menu
        "800 shot menu.png\n"
        "820 close\n",
        2000);
    ASSERT_EQ(run.status, 0) << test::readText("stderr.txt");
    EXPECT_EQ(test::countLines(run.log, "replay level 0"), 1) << run.log;
    EXPECT_EQ(test::countLines(run.log, "replay level 1"), 1);
    EXPECT_EQ(test::countLines(run.log, "ball rolls "), 6) << "both levels were played, three moves each";
    // Each replay ends with the player's own level loaded behind the menus.
    EXPECT_EQ(test::countLines(run.log, "start at level 2"), 3);

    std::string saved = test::readBinary("save0.dat");
    ASSERT_EQ(saved.size(), 175u);
    EXPECT_EQ(saved[0], 1);
    EXPECT_EQ(saved[1], 1) << "the skipped level, solved now";
    EXPECT_EQ(saved[2], 3) << "Play still goes on at level 2";
    std::string best = test::readBinary("best0.dat");
    ASSERT_EQ(best.size(), 330u);
    EXPECT_EQ(bestOf(best, 0), 3) << "five moves before, three now";
    EXPECT_EQ(bestOf(best, 1), 3);
    EXPECT_EQ(bestOf(best, 2), 0);
    // The play log records the replays like any level: both solved (type 1).
    EXPECT_GE(test::countLines(run.log, "game log: uploading 3 level logs"), 1) << run.log;
}

}  // namespace
