// The working folder full or read-only: the game plays on to a normal exit,
// the last good save0.dat, options.dat and uniqueID.idn stay whole, and the
// player is told once of each, with the reason.
// The folder is a small tmpfs the test mounts, so it needs root.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <map>
#include <string>

#include "faults/FaultRig.h"
#include "support/GameRun.h"
#include "support/HeldGame.h"

using namespace qm;

namespace {

class WorkingFolderFaultTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (geteuid() != 0) GTEST_SKIP() << "mounting a small tmpfs needs root";
        disk = folder.file("disk");
        outside = folder.file("outside");
        std::filesystem::create_directories(disk);
        std::filesystem::create_directories(outside);
        if (test::runCommand("mount -t tmpfs -o size=1m tmpfs '" + disk + "' 2>/dev/null") != 0)
            GTEST_SKIP() << "cannot mount a tmpfs here";
        mounted = true;
        for (const char* name : {"media", "levels", "system"})
            std::filesystem::create_directory_symlink(std::string(QM_GAME_DIR) + "/" + name, disk + "/" + name);
        // A first, healthy run leaves the files a player would have.
        std::string log;
        ASSERT_EQ(test::runGameIn(disk, outside, log), 0);
        ASSERT_TRUE(test::endedNormally(log));
        ASSERT_TRUE(test::playedTheLevel(log)) << log;
        for (const char* name : {"save0.dat", "options.dat", "uniqueID.idn"}) {
            good[name] = test::readBinary(disk + "/" + name);
            ASSERT_FALSE(good[name].empty()) << name;
        }
    }
    void TearDown() override {
        std::filesystem::current_path(folder.path());
        if (mounted) test::runCommand("umount '" + disk + "'");
    }
    // Every page taken: big blocks first, then byte by byte up to the last one.
    void fillTheDisk() {
        test::runCommand("dd if=/dev/zero of='" + disk + "/filler' bs=64k 2>/dev/null");
        test::runCommand("dd if=/dev/zero of='" + disk + "/filler2' bs=1 2>/dev/null");
    }
    // The game tried to write, knew it had failed and said why, once a file;
    // the old files are whole.
    void expectFailedWritesAndFilesUnharmed(const std::string& log, const std::string& reason) {
        EXPECT_NE(log.find("Could not save options"), std::string::npos);
        EXPECT_NE(log.find("game log - could not write uniqueID.idn"), std::string::npos);
        for (const auto& [name, bytes] : good) {
            EXPECT_EQ(test::readBinary(disk + "/" + name), bytes) << name;
            std::string told = "notice: Quillmere could not save " + name + " in " + disk;
            ASSERT_EQ(test::countLines(log, told), 1) << log;
            std::string line = log.substr(log.find(told));
            EXPECT_NE(line.substr(0, line.find('\n')).find(reason), std::string::npos) << line;
        }
    }

    test::TempFolder folder;
    std::string disk, outside;
    bool mounted = false;
    std::map<std::string, std::string> good;
};

TEST_F(WorkingFolderFaultTest, FullFolderKeepsTheLastGoodFiles) {
    fillTheDisk();
    std::string log;
    EXPECT_EQ(test::runGameIn(disk, outside, log), 0);
    EXPECT_TRUE(test::endedNormally(log)) << log;
    EXPECT_TRUE(test::playedTheLevel(log)) << log;
    EXPECT_NE(log.find("Loading map 0.lvl"), std::string::npos);
    // The run wanted to count one more session: the old count must survive.
    expectFailedWritesAndFilesUnharmed(log, "No space left on device");
}

TEST_F(WorkingFolderFaultTest, ReadOnlyFolderKeepsTheLastGoodFiles) {
    ASSERT_EQ(test::runCommand("mount -o remount,ro '" + disk + "'"), 0);
    std::string log;
    EXPECT_EQ(test::runGameIn(disk, outside, log), 0);
    EXPECT_TRUE(test::endedNormally(log)) << log;
    EXPECT_TRUE(test::playedTheLevel(log)) << log;
    EXPECT_NE(log.find("Loading map 0.lvl"), std::string::npos);
    expectFailedWritesAndFilesUnharmed(log, "Read-only file system");
}

// The disk is full when the game starts and has room again before the level
// is solved: the failed profile save is told once, the solve's save writes the
// whole profile from memory, and that success says nothing.
TEST_F(WorkingFolderFaultTest, AFailedSaveIsToldOnceAndMadeGoodByTheNext) {
    std::filesystem::remove(disk + "/levels");
    std::filesystem::create_directory(disk + "/levels");
    test::writeBinary(disk + "/levels/0.lvl", test::levelFile(test::kOpenLevel));
    test::writeBinary(disk + "/levels/1.lvl", test::levelFile(test::kOpenLevel));
    test::writeBinary(disk + "/save0.dat", std::string(175, '\0'));
    fillTheDisk();
    std::filesystem::current_path(disk);
    test::HeldGame game(test::kSolveOpenLevel, 1000, outside);
    ASSERT_TRUE(game.holdAt("save0.dat could not be saved"));
    std::filesystem::remove(disk + "/filler");
    test::GameRun run = game.finish();
    EXPECT_EQ(run.status, 0);
    EXPECT_TRUE(test::hasLine(run.log, "start at level 0"));
    EXPECT_NE(run.log.find("ball rolls "), std::string::npos);
    EXPECT_TRUE(test::hasLine(run.log, "Loading map 1.lvl"));
    EXPECT_TRUE(test::endedNormally(run.log));

    EXPECT_EQ(test::countLines(run.log, "save0.dat could not be saved (writing: No space left on device)"), 1) << run.log;
    EXPECT_EQ(test::countLines(run.log, "notice: Quillmere could not save save0.dat in "), 1);
    EXPECT_EQ(test::countLines(run.log, "notice: Quillmere could not save uniqueID.idn in "), 1);
    EXPECT_EQ(test::countLines(run.log, "notice: "), 2);
    EXPECT_EQ(test::readBinary(disk + "/save0.dat").substr(0, 2), std::string("\x01\x03", 2));
    EXPECT_EQ(test::readBinary(disk + "/best0.dat").substr(0, 2), std::string("\x03\x00", 2));
    EXPECT_EQ(test::readBinary(disk + "/uniqueID.idn"), good["uniqueID.idn"]);
}

}  // namespace
