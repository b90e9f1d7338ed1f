// The player's own files on a hostile disk: one that exists but cannot be
// read is never written over, a pipe or device under its name neither hangs
// start-up nor fills memory, the player is told once, and a save's stale
// temporary file is cleared; a save never goes through what lies at its
// temporary's name, a linked file stays linked, and a second copy of the game
// in the same folder touches nothing. Through the real program, which plays on.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <set>
#include <string>

#include "runtime/Files.h"
#include "support/GameRun.h"
#include "support/HeldGame.h"

using namespace qm;
namespace fs = std::filesystem;

namespace {

void prepareTwoLevels() {
    test::prepareGameFolder();
    test::writeBinary("levels/0.lvl", test::levelFile(test::kOpenLevel));
    test::writeBinary("levels/1.lvl", test::levelFile(test::kOpenLevel));
}

// The run started at level 0, the ball rolled, level 0 was solved and the
// game ended normally.
void expectSolvedFirstLevel(const test::GameRun& run) {
    EXPECT_TRUE(test::hasLine(run.log, "start at level 0")) << run.log;
    EXPECT_NE(run.log.find("ball rolls "), std::string::npos);
    EXPECT_TRUE(test::hasLine(run.log, "Loading map 1.lvl"));
    EXPECT_TRUE(test::hasLine(run.log, "-- End of program --"));
}

TEST(PlayerFilesTest, UnreadableFilesAreKeptAndTheGamePlaysOnInMemory) {
    test::TempFolder folder;
    prepareTwoLevels();
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
    test::GameRun run = test::runGame(test::kSolveOpenLevel, 1000, wrapper);
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

// Whatever a dead game left at a save's temporary name (process ids repeat):
// the save goes to a fresh name beside it. The shell that plants them becomes
// the game, so they carry its own pid.
TEST(PlayerFilesTest, SavesNeverGoThroughWhatLiesAtTheirTemporaryName) {
    test::TempFolder folder;
    prepareTwoLevels();
    fs::create_directory("elsewhere");
    test::writeBinary("elsewhere/victim", "not the game's");
    const std::string plant =
        "ln -s elsewhere/victim save0.dat.tmp$$ && mkfifo uniqueID.idn.tmp$$ && mkdir best0.dat.tmp$$ && "
        "echo half >options.dat.tmp$$ && exec \"$@\"";
    test::GameRun run = test::runGame(test::kSolveOpenLevel, 1000, "timeout 60 sh -c '" + plant + "' sh");
    ASSERT_EQ(run.status, 0) << test::readText("stderr.txt");
    expectSolvedFirstLevel(run);

    EXPECT_EQ(test::readBinary("elsewhere/victim"), "not the game's");
    EXPECT_EQ(test::readBinary("save0.dat").substr(0, 2), std::string("\x01\x03", 2));
    EXPECT_EQ(test::readBinary("best0.dat").substr(0, 2), std::string("\x03\x00", 2));
    EXPECT_EQ(test::readBinary("uniqueID.idn").size(), 6u);
    EXPECT_EQ(test::readBinary("options.dat").size(), 12u);
    // The stale regular temporary is gone; the others are left, and said so.
    std::set<std::string> left;
    for (const auto& entry : fs::directory_iterator("."))
        if (entry.path().filename().string().find(".tmp") != std::string::npos)
            left.insert(entry.path().filename().string().substr(0, entry.path().filename().string().find(".tmp")));
    EXPECT_EQ(left, (std::set<std::string>{"save0.dat", "uniqueID.idn", "best0.dat"}));
    EXPECT_EQ(test::countLines(run.log, "left save0.dat.tmp"), 1) << run.log;
    EXPECT_EQ(test::countLines(run.log, "left uniqueID.idn.tmp"), 1);
    EXPECT_EQ(test::countLines(run.log, "left best0.dat.tmp"), 1);
    EXPECT_EQ(run.log.find("notice: "), std::string::npos);
}

// A profile kept elsewhere through a link is saved there and stays linked; a
// link to a drive that is not mounted is kept, never taken for a new player.
TEST(PlayerFilesTest, LinkedFilesAreWrittenThroughAndDanglingOnesKept) {
    test::TempFolder folder;
    prepareTwoLevels();
    fs::create_directory("drive");
    test::writeBinary("drive/profile.dat", std::string(175, '\0'));
    fs::create_symlink("drive/profile.dat", "save0.dat");
    fs::create_symlink("unmounted/best.dat", "best0.dat");
    test::GameRun run = test::runGame(test::kSolveOpenLevel, 1000);
    ASSERT_EQ(run.status, 0) << test::readText("stderr.txt");
    expectSolvedFirstLevel(run);

    ASSERT_TRUE(fs::is_symlink("save0.dat"));
    EXPECT_EQ(fs::read_symlink("save0.dat"), "drive/profile.dat");
    EXPECT_EQ(test::readBinary("drive/profile.dat").substr(0, 2), std::string("\x01\x03", 2));
    EXPECT_EQ(std::distance(fs::directory_iterator("drive"), fs::directory_iterator()), 1);
    EXPECT_TRUE(fs::is_symlink("best0.dat"));
    EXPECT_FALSE(fs::exists("unmounted"));
    EXPECT_EQ(test::countLines(run.log, "best0.dat cannot be read (it is a link to a missing file)"), 1);
    EXPECT_EQ(test::countLines(run.log, "notice: Quillmere cannot read best0.dat"), 1);
}

// Two copies started in one folder: the second says so and leaves before it
// reads or writes, so the first one's solved level survives.
TEST(PlayerFilesTest, ASecondCopyInTheSameFolderLeavesItAlone) {
    test::TempFolder folder;
    prepareTwoLevels();
    test::HeldGame first(test::kSolveOpenLevel, 1000);
    ASSERT_TRUE(first.holdAt("start at level 0"));
    std::map<std::string, std::string> before, after;
    auto snapshot = [](std::map<std::string, std::string>& files) {
        for (const auto& entry : fs::directory_iterator("."))
            if (entry.is_regular_file()) files[entry.path().filename().string()] = test::readBinary(entry.path());
    };
    snapshot(before);
    EXPECT_EQ(before.count("uniqueID.idn"), 1u);

    const std::string secondLogFile = folder.path() + ".second.log";
    int second = test::runCommand("timeout 60 " + std::string(QM_GAME_DIR) +
                                  "/quillmere --headless --max-frames 100 --log " + secondLogFile);
    std::string secondLog = test::readText(secondLogFile);
    std::remove(secondLogFile.c_str());
    snapshot(after);
    EXPECT_EQ(second, 1);
    EXPECT_EQ(test::countLines(secondLog, "notice: Quillmere is already running in this folder"), 1) << secondLog;
    EXPECT_EQ(secondLog.find("start at level"), std::string::npos);
    EXPECT_EQ(after, before);

    test::GameRun run = first.finish();
    EXPECT_EQ(run.status, 0);
    expectSolvedFirstLevel(run);
    EXPECT_EQ(test::readBinary("save0.dat").substr(0, 2), std::string("\x01\x03", 2));
    EXPECT_EQ(test::readBinary("uniqueID.idn").substr(4), std::string("\x01\x00", 2));  // one session counted
}

}  // namespace
