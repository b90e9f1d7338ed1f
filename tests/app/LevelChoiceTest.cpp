// Going back to a level from the main menu's level choice, through the real
// program: a solved level replayed in fewer moves improves its best, a
// skipped level solved becomes solved, and Play still goes on where the
// player's progress stands.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "playlog/LogEncoder.h"
#include "support/GameRun.h"

using namespace qm;

namespace {

uint16_t bestOf(const std::string& bests, int level) {
    return uint16_t(uint8_t(bests[size_t(2 * level)]) | uint8_t(bests[size_t(2 * level + 1)]) << 8);
}

// The level records of the play log's upload line: "level:finish type" each.
std::string levelRecords(const std::string& log) {
    const std::string tag = "game log: uploading lvls ";
    size_t at = log.find(tag);
    if (at == std::string::npos) return "";
    std::string bytes = LogEncoder::decode(log.substr(at + tag.size(), log.find('\n', at) - at - tag.size()));
    // The text holds the array from its second byte: 'N', the player, the records.
    std::string records;
    for (size_t i = 5; i + 9 <= bytes.size() && bytes[i] == 0x02; i += 9)
        records += std::to_string(int(uint8_t(bytes[i + 1]))) + ":" + std::to_string(int(bytes[i + 4])) + " ";
    return records;
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
    // The play log records the replays like any level: both solved (type 1),
    // then the level left in play at the close (type 0).
    EXPECT_EQ(levelRecords(run.log), "0:1 1:1 2:0 ");
}

// The same level replayed again and again from the level choice: each run
// starts on its own, whatever the last left behind. Each run here begins with
// U, which must take nothing back. (The runs once kept the last run's count
// and undo history whenever the new board took the old one's place in memory;
// these timings showed it: 10 rolls instead of 14.)
TEST(LevelChoiceTest, EachReplayOfALevelStartsAfresh) {
    test::TempFolder folder;
    test::prepareGameFolder();
    for (int level = 0; level <= 2; ++level)
        test::writeBinary("levels/" + std::to_string(level) + ".lvl", test::levelFile(test::kOpenLevel));
    test::writeBinary("save0.dat", test::profileBytes(2));
    std::string bests(330, '\0');
    bests[0] = 9;
    test::writeBinary("best0.dat", bests);
    auto key = [](int frame, int code) {
        return std::to_string(frame) + " key " + std::to_string(code) + " down\n" + std::to_string(frame + 1) +
               " key " + std::to_string(code) + " up\n";
    };
    // The choice, on level 0.
    std::string script = key(50, 76) + key(100, 37) + key(110, 37);
    // Enter, U, then five moves (a detour to the start and back) the first time.
    script += key(180, 13) + key(210, 85) + key(220, 39) + key(280, 37) + key(340, 39) + key(400, 40) + key(460, 39);
    // Then three more times at par: Right, Down, Right.
    for (int at : {720, 1120, 1520})
        script += key(at, 13) + key(at + 30, 85) + key(at + 40, 39) + key(at + 100, 40) + key(at + 160, 39);
    script += "1590 shot last.png\n1920 close\n";
    test::GameRun run = test::runGame(script, 3000);
    ASSERT_EQ(run.status, 0) << test::readText("stderr.txt");
    EXPECT_EQ(test::countLines(run.log, "replay level 0"), 4) << run.log;
    EXPECT_EQ(test::countLines(run.log, "start at level 0"), 4);
    // Every move rolled from where the run began: five, then three a run.
    EXPECT_EQ(test::countLines(run.log, "ball rolls "), 5 + 3 * 3) << run.log;
    EXPECT_EQ(levelRecords(run.log), "0:1 0:1 0:1 0:1 2:0 ");
    std::string best = test::readBinary("best0.dat");
    ASSERT_EQ(best.size(), 330u);
    EXPECT_EQ(bestOf(best, 0), 3) << "the best of nine, five and three";
}

// A replay left unfinished ends with whatever starts a level next: after a
// profile reset, the level solved in play slides on to the next one.
TEST(LevelChoiceTest, AProfileResetEndsAReplayLeftUnfinished) {
    test::TempFolder folder;
    test::prepareGameFolder();
    for (int level = 0; level <= 2; ++level)
        test::writeBinary("levels/" + std::to_string(level) + ".lvl", test::levelFile(test::kOpenLevel));
    test::writeBinary("save0.dat", test::profileBytes(1));
    test::GameRun run = test::runGame(
        "50 key 76 down\n51 key 76 up\n100 key 37 down\n101 key 37 up\n"  // the choice, level 0
        "120 key 13 down\n121 key 13 up\n"                                    // replay it
        "160 key 27 down\n161 key 27 up\n"                                    // back to the menus
        "200 mouse 226 342\n210 button 1 down\n211 button 1 up\n"             // Options
        "270 mouse 530 415\n280 button 1 down\n281 button 1 up\n"             // Reset profile
        "340 mouse 330 295\n350 button 1 down\n351 button 1 up\n"             // Yes
        "420 mouse 226 242\n430 button 1 down\n431 button 1 up\n"             // Play
        "500 key 32 down\n501 key 32 up\n"                                    // the first tutorial page
        "560 key 39 down\n561 key 39 up\n620 key 40 down\n621 key 40 up\n680 key 39 down\n681 key 39 up\n"
        "850 close\n",
        2000);
    ASSERT_EQ(run.status, 0);
    EXPECT_TRUE(test::hasLine(run.log, "replay level 0"));
    EXPECT_EQ(test::countLines(run.log, "ball rolls "), 3) << run.log;
    EXPECT_TRUE(test::hasLine(run.log, "Loading map 1.lvl")) << "the solve slid on to the next board";
    std::string saved = test::readBinary("save0.dat");
    ASSERT_EQ(saved.size(), 175u);
    EXPECT_EQ(saved[0], 1);
    EXPECT_EQ(saved[1], 3) << "level 1 is where Play goes on";
}

}  // namespace
