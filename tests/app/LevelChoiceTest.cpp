// Going back to a level from the main menu's level choice, through the real
// program: a solved level replayed in fewer moves improves its best, a
// skipped level solved becomes solved, and Play still goes on where the
// player's progress stands.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "playlog/LogEncoder.h"
#include "runtime/Files.h"
#include "runtime/Image.h"
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
    test::writeOpenLevels(3);
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
    test::writeOpenLevels(2);
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

// The pointer and the wheel: the choice opens lit on the level where play goes
// on though the pointer rests on a cell; the wheel and the arrows scroll by a
// group; a click plays the level under the pointer even when the keys chose
// another, and that level rolls.
TEST(LevelChoiceTest, TheWheelScrollsAndAClickPlaysTheLevelUnderThePointer) {
    test::TempFolder folder;
    test::prepareGameFolder();
    test::writeOpenLevels(40);
    std::string profile = test::profileBytes(40);
    profile[40] = 3;
    test::writeBinary("save0.dat", profile);
    // (450, 130): the third cell of the top row.
    test::GameRun run = test::runGame(
        "50 mouse 450 130\n60 key 76 down\n61 key 76 up\n"  // the choice opens on level 41, groups 4 to 9
        "110 shot opened.png\n"
        "120 wheel 1\n160 wheel 5\n"                          // up one group, then to the top
        "200 mouse 400 515\n210 button 1 down\n211 button 1 up\n"  // the down arrow
        "260 mouse 400 80\n270 button 1 down\n271 button 1 up\n"   // the up arrow
        "280 mouse 450 130\n"
        "300 key 37 down\n301 key 37 up\n"                    // the keys choose level 2
        "320 shot scrolled.png\n"
        "340 button 1 down\n341 button 1 up\n"                // the pointer has not moved: level 3
        "380 key 39 down\n381 key 39 up\n440 key 40 down\n441 key 40 up\n500 key 39 down\n501 key 39 up\n"
        "700 close\n",
        1000);
    ASSERT_EQ(run.status, 0) << test::readText("stderr.txt");
    // Level 41 is lit at the opening (the chosen cell is amber, the others
    // blue), though the pointer rests on level 18.
    std::vector<uint8_t> png;
    Pixmap opened;
    ASSERT_TRUE(readWholeFile("opened.png", png) && decodePng(png, opened));
    auto amber = [&](int x, int y) {
        uint32_t c = opened.at(x, y);
        return (c >> 16 & 255) > (c & 255) + 20;
    };
    EXPECT_TRUE(amber(176 + 70, 442 + 28)) << "the chosen level 41";
    EXPECT_FALSE(amber(408 + 70, 92 + 28)) << "level 18, under the pointer";
    const char* views[] = {"level choice shows groups 3 to 8", "level choice shows groups 1 to 6",
                           "level choice shows groups 2 to 7", "level choice shows groups 1 to 6"};
    size_t at = 0;
    for (const char* view : views) {
        at = run.log.find(std::string(view) + "\n", at);
        ASSERT_NE(at, std::string::npos) << "missing, or out of order: " << view << "\n" << run.log;
        ++at;
    }
    EXPECT_EQ(test::countLines(run.log, "replay level "), 1);
    EXPECT_TRUE(test::hasLine(run.log, "replay level 2")) << "the third cell of the top row is level 3 (index 2)";
    EXPECT_EQ(test::countLines(run.log, "ball rolls "), 3);
    EXPECT_EQ(bestOf(test::readBinary("best0.dat"), 2), 3);
}

// A replay left unfinished ends with whatever starts a level next: after a
// profile reset, the level solved in play slides on to the next one.
TEST(LevelChoiceTest, AProfileResetEndsAReplayLeftUnfinished) {
    test::TempFolder folder;
    test::prepareGameFolder();
    test::writeOpenLevels(2);
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
