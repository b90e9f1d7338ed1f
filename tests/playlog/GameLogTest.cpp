// The session logger with uploads off: the player file on disk, the byte
// layouts of the session and level arrays, the caps and the text form.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "playlog/GameLog.h"
#include "playlog/LevelLogRecord.h"
#include "playlog/LogEncoder.h"
#include "playlog/OptionLogRecord.h"
#include "runtime/Clock.h"
#include "runtime/Diagnostics.h"
#include "runtime/Files.h"
#include "runtime/Runtime.h"

namespace qm {
namespace {

std::vector<uint8_t> fileBytes(const std::string& path) {
    std::vector<uint8_t> bytes;
    if (!readWholeFile(path, bytes)) bytes.clear();
    return bytes;
}

void putFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    if (!bytes.empty()) std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
}

// The player file as the game writes it: int32 id, uint16 next session, little-endian.
std::vector<uint8_t> idFile(int32_t id, uint16_t number) {
    const uint32_t u = uint32_t(id);
    return {uint8_t(u), uint8_t(u >> 8), uint8_t(u >> 16), uint8_t(u >> 24), uint8_t(number), uint8_t(number >> 8)};
}

std::vector<uint8_t> head(const std::vector<uint8_t>& bytes, size_t n) {
    return std::vector<uint8_t>(bytes.begin(), bytes.begin() + std::min(n, bytes.size()));
}

// Runs each test in a fresh folder, since the player file lives in the
// working folder; headless, so the clock is virtual and starts at 0.
class GameLogTest : public ::testing::Test {
protected:
    void SetUp() override {
        RuntimeOptions options;
        options.headless = true;
        ASSERT_TRUE(runtimeInit(options));
        setDebugLogHook([this](const std::string& line) { lines.push_back(line); });
        GameLog::uploadsEnabled = 0;
        char pattern[] = "/tmp/qm-gamelog-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        folder = pattern;
        oldFolder = currentDir();
        ASSERT_TRUE(changeDir(folder));
    }
    void TearDown() override {
        changeDir(oldFolder);
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
        setDebugLogHook(nullptr);
        runtimeShutdown();
        GameLog::uploadsEnabled = QM_UPLOADS_ENABLED;
    }
    bool logged(const std::string& line) const {
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    }
    void playLevel(GameLog& log, int level, int seconds, int finishType) {
        log.levelStarted(level);
        delayMs(seconds * 1000);
        log.levelFinished(finishType);
    }

    std::string folder, oldFolder;
    std::vector<std::string> lines;
};

TEST_F(GameLogTest, PlayerFileKeepsTheIdAndCountsSessions) {
    auto first = GameLog::create();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->logNumber, 0);
    EXPECT_EQ(first->currentLevel, 255);
    EXPECT_EQ(first->sessionState, 0);
    EXPECT_TRUE(logged("game log - first run - unique ID " + std::to_string(first->uniqueID)));
    EXPECT_EQ(fileBytes("uniqueID.idn"), idFile(first->uniqueID, 1));

    lines.clear();
    auto second = GameLog::create();
    EXPECT_EQ(second->uniqueID, first->uniqueID);
    EXPECT_EQ(second->logNumber, 1);
    EXPECT_EQ(lines, std::vector<std::string>{"game log - unique ID " + std::to_string(first->uniqueID) +
                                              ", log number 1"});
    EXPECT_EQ(fileBytes("uniqueID.idn"), idFile(first->uniqueID, 2));

    // The session number wraps at 65536.
    putFile("uniqueID.idn", idFile(-7, 65535));
    auto wrapped = GameLog::create();
    EXPECT_EQ(wrapped->uniqueID, -7);
    EXPECT_EQ(wrapped->logNumber, 65535);
    EXPECT_EQ(fileBytes("uniqueID.idn"), idFile(-7, 0));
}

TEST_F(GameLogTest, DamagedPlayerFileIsReplacedSoLaterRunsCountOn) {
    putFile("uniqueID.idn", {1, 2, 3});
    auto log = GameLog::create();
    ASSERT_NE(log, nullptr);
    EXPECT_EQ(log->logNumber, 0);
    EXPECT_TRUE(logged("game log - damaged uniqueID.idn - new unique ID " + std::to_string(log->uniqueID)));
    EXPECT_EQ(fileBytes("uniqueID.idn"), idFile(log->uniqueID, 1));
    auto next = GameLog::create();
    EXPECT_EQ(next->uniqueID, log->uniqueID);
    EXPECT_EQ(next->logNumber, 1);

    // An empty file is damaged too; trailing bytes beyond the six are dropped.
    putFile("uniqueID.idn", {});
    EXPECT_EQ(GameLog::create()->logNumber, 0);
    std::vector<uint8_t> longer = idFile(123456, 40);
    longer.push_back(9);
    putFile("uniqueID.idn", longer);
    auto fromLonger = GameLog::create();
    EXPECT_EQ(fromLonger->uniqueID, 123456);
    EXPECT_EQ(fromLonger->logNumber, 40);
    EXPECT_EQ(fileBytes("uniqueID.idn"), idFile(123456, 41));
}

TEST_F(GameLogTest, UnreadablePlayerFileIsLeftAloneAndTheGameGoesOn) {
    // A folder in the file's place cannot be read: it is not replaced either.
    ASSERT_EQ(mkdir("uniqueID.idn", 0777), 0);
    auto log = GameLog::create();
    ASSERT_NE(log, nullptr);
    EXPECT_EQ(log->logNumber, 0);
    EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [](const std::string& line) {
        return line.rfind("game log - uniqueID.idn cannot be read (it is a folder)", 0) == 0;
    }));
    EXPECT_FALSE(logged("game log - could not write uniqueID.idn"));
    EXPECT_EQ(fileType("uniqueID.idn"), FILE_DIRECTORY);
    // The session still records and builds its arrays.
    log->sessionStarted(0);
    log->sessionFinished(0);
    EXPECT_EQ(log->sessionLogToByteArray()[0], 21);
}

TEST_F(GameLogTest, EmptySessionArrayHasTwentyOneBytes) {
    auto log = GameLog::create();
    log->uniqueID = -2;
    log->logNumber = 0x0102;
    log->programStartSeconds = 2;
    log->sessionStarted(3);
    EXPECT_EQ(log->sessionState, -1);
    delayMs(10500);
    lines.clear();
    log->sessionFinished(263);  // only the low 8 bits are kept
    EXPECT_EQ(log->sessionState, 1);
    EXPECT_EQ(log->sessionSeconds, 8);

    const std::vector<uint8_t> bytes = log->sessionLogToByteArray();
    ASSERT_EQ(bytes.size(), 240u);
    const std::vector<uint8_t> expected = {21,   'M',  0xFF, 0xFF, 0xFF, 0xFE, 0x01, 0x02, 0x00, 0x08, 3,
                                           7,    0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFE, 0};
    EXPECT_EQ(head(bytes, 21), expected);
    EXPECT_TRUE(std::all_of(bytes.begin() + 21, bytes.end(), [](uint8_t b) { return b == 0; }));

    // Uploads off: two attempts, each answered "Disabled"; no level batch to send.
    const std::vector<std::string> expectedLines = {"game log: session finishing", "game log: RESPONSE: Disabled",
                                                    "upload attempts: 2"};
    EXPECT_EQ(lines, expectedLines);
}

TEST_F(GameLogTest, OptionRecordsAreSixBytesAndCappedAtTwenty) {
    auto log = GameLog::create();
    log->sessionStarted(0);
    log->optionChanged(2, 300, 100, 150);
    log->optionChanged(0, 65536 + 5, 1, 0);  // time wraps at 65536
    std::vector<uint8_t> bytes = log->sessionLogToByteArray();
    EXPECT_EQ(bytes[0], 33);
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin() + 20, bytes.begin() + 33),
              (std::vector<uint8_t>{0x01, 0x02, 0x01, 0x2C, 0x64, 0x96, 0x01, 0x00, 0x00, 0x05, 0x01, 0x00, 0x00}));

    for (int i = 0; i < 25; ++i) log->optionChanged(1, i, 300 + i, i);
    EXPECT_EQ(log->optionCount, 20);
    bytes = log->sessionLogToByteArray();
    EXPECT_EQ(bytes[0], 21 + 6 * 20);
    // The last kept change is the eighteenth of the loop; values keep their low 8 bits.
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin() + 134, bytes.begin() + 141),
              (std::vector<uint8_t>{0x01, 0x01, 0x00, 17, 61, 17, 0x00}));
}

TEST_F(GameLogTest, LevelRecordsTimeEachLevelOnce) {
    auto log = GameLog::create();
    log->uniqueID = 0x01020304;
    delayMs(5000);
    playLevel(*log, 12, 75, 1);
    EXPECT_EQ(log->currentLevel, 255);
    log->levelFinished(1);  // a second finish records nothing
    EXPECT_EQ(log->levelCount, 1);

    const std::vector<uint8_t> bytes = log->levelsToByteArray();
    const std::vector<uint8_t> expected = {16, 'N', 1, 2, 3, 4, 0x02, 0x0C, 0x00, 0x4B, 0x01, 0, 0, 0, 0, 0, 0};
    EXPECT_EQ(head(bytes, 17), expected);

    // Starting again without a finish restarts the timing.
    log->levelStarted(300);
    delayMs(40000);
    log->levelStarted(300);
    delayMs(3000);
    log->levelFinished(2);
    const std::vector<uint8_t> two = log->levelsToByteArray();
    EXPECT_EQ(two[0], 25);
    EXPECT_EQ(std::vector<uint8_t>(two.begin() + 15, two.begin() + 25),
              (std::vector<uint8_t>{0x02, 300 - 256, 0x00, 3, 2, 0, 0, 0, 0, 0}));
}

TEST_F(GameLogTest, LevelDurationWrapsWithTheSixteenBitClock) {
    auto log = GameLog::create();
    // The level starts at 65540 s, held as 4; it ends 10 s later.
    delayMs(65540 * 1000);
    playLevel(*log, 1, 10, 0);
    const std::vector<uint8_t> bytes = log->levelsToByteArray();
    EXPECT_EQ(bytes[8] * 256 + bytes[9], 10);
    EXPECT_EQ(bytes[10], 0) << "finish type 0: quit";
}

TEST_F(GameLogTest, TwentiethLevelRecordSendsTheBatch) {
    auto log = GameLog::create();
    log->uniqueID = 77;
    for (int i = 0; i < 19; ++i) log->addLevelRecord(i, i + 1, 1, 0, 0);
    EXPECT_EQ(log->levelCount, 19);
    std::vector<uint8_t> full = log->levelsToByteArray();
    lines.clear();
    log->addLevelRecord(19, 20, 1, 0, 0);
    EXPECT_EQ(log->levelCount, 0);
    EXPECT_EQ(log->levels, nullptr);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], "game log: uploading 20 level logs");
    ASSERT_EQ(lines[1].rfind("game log: uploading lvls ", 0), 0u);
    EXPECT_EQ(lines[2], "game log: RESPONSE: Disabled");
    EXPECT_EQ(lines[3], "upload attempts: 2");

    // The text carries the whole batch: 186 bytes from the letter N on.
    const std::string sent = LogEncoder::decode(lines[1].substr(25));
    ASSERT_EQ(sent.size(), 186u);
    EXPECT_EQ(sent[0], 'N');
    EXPECT_EQ(uint8_t(sent[176]), 0x02);
    EXPECT_EQ(uint8_t(sent[177]), 19) << "the last record is level 19";
    EXPECT_EQ(uint8_t(sent[185]), 0) << "terminator";
    EXPECT_EQ(std::string(full.begin() + 1, full.begin() + 177), sent.substr(0, 176));

    log->addLevelRecord(20, 5, 2, 0, 0);
    EXPECT_EQ(log->levelCount, 1);
    EXPECT_EQ(log->levelsToByteArray()[0], 16);
}

TEST_F(GameLogTest, TextFormListsTheSessionThenItsRecords) {
    auto log = GameLog::create();
    log->uniqueID = -5;
    log->logNumber = 4;
    log->sessionStarted(6);
    log->optionChanged(1, 30, 100, 50);
    log->optionChanged(3, 31, 0, 1);
    log->addLevelRecord(6, 12, 1, 0, 0);
    EXPECT_EQ(log->toString(),
              "ID: -5, session 4, took 0 s, from level 6 to 0"
              ", OPT hdr 1, option: 1, time: 30 from old val: 100 to 50"
              ", OPT hdr 1, option: 3, time: 31 from old val: 0 to 1"
              ", LVL hdr: 2, level 6, duration: 12, finish type 1, moves: 0, resets :0"
              "0");
}

TEST_F(GameLogTest, IncompleteSessionIsReportedButStillBuilt) {
    auto log = GameLog::create();
    const int before = notifyCount();
    EXPECT_EQ(log->sessionLogToByteArray()[0], 21);
    EXPECT_EQ(notifyCount(), before + 1);
    EXPECT_EQ(log->toString().substr(0, 4), "ID: ");
    EXPECT_EQ(notifyCount(), before + 2);
    log->sessionStarted(0);
    log->sessionLogToByteArray();
    log->toString();
    EXPECT_EQ(notifyCount(), before + 2);
}

}  // namespace
}  // namespace qm
