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
        if (mounted) test::runCommand("umount '" + disk + "'");
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
    // Fill every page: big blocks first, then byte by byte up to the last one.
    test::runCommand("dd if=/dev/zero of='" + disk + "/filler' bs=64k 2>/dev/null");
    test::runCommand("dd if=/dev/zero of='" + disk + "/filler2' bs=1 2>/dev/null");
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

}  // namespace
