// The player's own files on a hostile disk: one that exists but cannot be
// read is never written over, a pipe or device under its name neither hangs
// start-up nor fills memory, the player is told once, and a save's stale
// temporary file is cleared. Through the real program, which plays on.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <set>
#include <string>

#include "runtime/Files.h"
#include "support/GameRun.h"

using namespace qm;
namespace fs = std::filesystem;

namespace {

TEST(PlayerFilesTest, UnreadableFilesAreKeptAndTheGamePlaysOnInMemory) {
    test::TempFolder folder;
    test::prepareGameFolder();
    test::writeBinary("levels/0.lvl", test::levelFile(test::kOpenLevel));
    test::writeBinary("levels/1.lvl", test::levelFile(test::kOpenLevel));
    // Five levels solved, kept where the game may not read them.
    const std::string progress = test::profileBytes(5);
    test::writeBinary("save0.dat", progress);
    ASSERT_EQ(chmod("save0.dat", 0), 0);
    ASSERT_EQ(mkfifo("best0.dat", 0666), 0);
    fs::create_symlink("/dev/zero", "uniqueID.idn");
    fs::create_directory("options.dat");
    // A temporary left by a save that died, and one of a program still running.
    test::writeBinary("save0.dat.tmp999999999", "half");
    test::writeBinary("best0.dat.tmp1", "busy");

    // Root reads any file, so as root the game runs as nobody.
    std::string wrapper = "timeout 60";
    if (geteuid() == 0) {
        if (test::runCommand("setpriv --reuid=65534 --regid=65534 --clear-groups true 2>/dev/null") != 0)
            GTEST_SKIP() << "cannot run as another user";
        ASSERT_EQ(chmod(folder.path().c_str(), 0777), 0);
        wrapper += " setpriv --reuid=65534 --regid=65534 --clear-groups";
    }
    test::GameRun run = test::runGame(
        "60 key 13 down\n61 key 13 up\n"    // Play
        "140 key 32 down\n141 key 32 up\n"  // the first level's tutorial page, shown again
        "200 key 39 down\n201 key 39 up\n260 key 40 down\n261 key 40 up\n"
        "320 key 39 down\n321 key 39 up\n"  // Right, Down, Right: solved
        "450 close\n",
        1000, wrapper);
    ASSERT_EQ(run.status, 0) << test::readText("stderr.txt");
    EXPECT_TRUE(test::hasLine(run.log, "-- End of program --"));

    // Played from level 0 with the progress in memory, solved it, went on.
    EXPECT_TRUE(test::hasLine(run.log, "start at level 0"));
    EXPECT_TRUE(test::hasLine(run.log, "Loading map 1.lvl"));
    EXPECT_EQ(test::countLines(run.log, "save0.dat cannot be read (Permission denied)"), 1) << run.log;
    EXPECT_EQ(test::countLines(run.log, "best0.dat cannot be read (it is not a regular file)"), 1);
    EXPECT_EQ(test::countLines(run.log, "options.dat cannot be read (it is a folder)"), 1);
    EXPECT_EQ(test::countLines(run.log, "game log - uniqueID.idn cannot be read (it is not a regular file)"), 1);
    ASSERT_EQ(test::countLines(run.log, "notice: Quillmere cannot read "), 1);
    std::string notice = run.log.substr(run.log.find("notice: "));
    notice = notice.substr(0, notice.find('\n'));
    for (const char* name : {"save0.dat", "best0.dat", "options.dat", "uniqueID.idn"})
        EXPECT_NE(notice.find(name), std::string::npos) << notice;

    // Nothing was written over any of them.
    ASSERT_EQ(chmod("save0.dat", 0644), 0);
    EXPECT_EQ(test::readBinary("save0.dat"), progress);
    EXPECT_EQ(fileType("save0.dat.tmp999999999"), FILE_MISSING);
    EXPECT_EQ(fileType("best0.dat.tmp1"), FILE_REGULAR);
    EXPECT_TRUE(fs::is_fifo("best0.dat"));
    EXPECT_TRUE(fs::is_symlink("uniqueID.idn"));
    EXPECT_TRUE(fs::is_directory("options.dat"));
}

// Missing and unreadable are told apart, and no more than the limit is read.
TEST(PlayerFilesTest, KeptFileReadsAtMostItsLimit) {
    test::TempFolder folder;
    test::writeBinary("big.dat", std::string(100000, 'x'));
    KeptFile big = readKeptFile("big.dat", 175);
    EXPECT_EQ(big.outcome, KeptFileOutcome::Read);
    EXPECT_EQ(big.bytes.size(), 175u);
    EXPECT_EQ(readKeptFile("none.dat", 6).outcome, KeptFileOutcome::Missing);
    fs::create_symlink("/dev/urandom", "endless.dat");
    EXPECT_EQ(readKeptFile("endless.dat", 6).outcome, KeptFileOutcome::Unreadable);
}

// Fresh installs started with a window get player numbers of their own; a
// headless run keeps repeating bit for bit. (SDL's dummy drivers stand in for
// a display.)
TEST(PlayerFilesTest, FreshWindowRunsDrawDifferentPlayerNumbers) {
    test::TempFolder folder;
    std::string game = std::string(QM_GAME_DIR) + "/quillmere";
    std::string runs;
    for (int i = 0; i < 4; i++) {
        std::string dir = "w" + std::to_string(i);
        runs += "(mkdir " + dir + " && cd " + dir + " && for n in media levels system; do ln -s " + QM_GAME_DIR +
                "/$n $n; done && SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy timeout 60 " + game +
                " --max-frames 3 >/dev/null 2>&1) & ";
    }
    ASSERT_EQ(test::runCommand(runs + "wait"), 0);
    std::set<std::string> ids;
    for (int i = 0; i < 4; i++) ids.insert(test::readBinary("w" + std::to_string(i) + "/uniqueID.idn").substr(0, 4));
    EXPECT_EQ(ids.size(), 4u);
    EXPECT_EQ(ids.count(""), 0u);

    for (const char* dir : {"h0", "h1"})
        ASSERT_EQ(test::runCommand(std::string("mkdir ") + dir + " && cd " + dir + " && ln -s " + QM_GAME_DIR +
                                   "/media media && ln -s " + QM_GAME_DIR + "/levels levels && " + game +
                                   " --headless --max-frames 3 >/dev/null 2>&1"),
                  0);
    EXPECT_EQ(test::readBinary("h0/uniqueID.idn"), test::readBinary("h1/uniqueID.idn"));
}

}  // namespace
