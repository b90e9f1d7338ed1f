// The board's tile rules and its level files, read and written on real disk.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "app/GameController.h"
#include "app/AppGlobals.h"
#include "play/PlayerProfile.h"
#include "support/MapText.h"
#include "play/LevelMap.h"
#include "runtime/Diagnostics.h"
#include "runtime/Files.h"
#include "runtime/Runtime.h"
#include "support/TempFolder.h"

using namespace qm;
using test::mapFromText;

namespace {

class LevelMapTest : public ::testing::Test {
protected:
    void SetUp() override {
        resetGlobals();
        RuntimeOptions options;
        options.headless = true;
        runtimeInit(options);
        setDebugLogHook([this](const std::string& line) { log.push_back(line); });
    }
    void TearDown() override {
        setDebugLogHook(nullptr);
        LevelMap::levelHome.clear();
        resetGlobals();
        runtimeShutdown();
    }
    bool logged(const std::string& line) const {
        for (const auto& l : log)
            if (l == line) return true;
        return false;
    }
    std::vector<std::string> log;
};

std::string littleEndian(const std::vector<int32_t>& values) {
    std::string bytes;
    for (int32_t v : values)
        for (int i = 0; i < 4; ++i) bytes.push_back(char((uint32_t(v) >> (8 * i)) & 0xff));
    return bytes;
}

std::vector<int32_t> readInts(const std::string& bytes) {
    std::vector<int32_t> values;
    for (size_t i = 0; i + 4 <= bytes.size(); i += 4) {
        uint32_t v = 0;
        for (int b = 0; b < 4; ++b) v |= uint32_t(uint8_t(bytes[i + b])) << (8 * b);
        values.push_back(int32_t(v));
    }
    return values;
}

// ---- editing operations ----

TEST_F(LevelMapTest, SetTileMovesStartAndEndButLeavesOldCodes) {
    auto board = mapFromText({".", ".S"});
    board->modified = 0;
    EXPECT_EQ(board->setTile(3, 4, Code::Start), 1);
    EXPECT_EQ(board->startX, 3);
    EXPECT_EQ(board->startY, 4);
    EXPECT_EQ(board->cells[1][1], Code::Start);
    EXPECT_EQ(board->modified, 1);
    EXPECT_EQ(board->setTile(6, 2, Code::End), 1);
    EXPECT_EQ(board->endX, 6);
    board->modified = 0;
    EXPECT_EQ(board->setTile(25, 3, Code::End), 0);
    EXPECT_EQ(board->modified, 0);
    EXPECT_EQ(board->endX, 6);
    EXPECT_EQ(board->setTile(0, -1, Code::Floor), 0);
    EXPECT_EQ(board->setTile(0, 0, Code::WallBrush), 1);
    EXPECT_GE(board->cells[0][0], 10);
    EXPECT_LE(board->cells[0][0], 15);
}

TEST_F(LevelMapTest, RandomizeZeroWallsEveryUnprotectedCell) {
    auto board = mapFromText({"S"});
    board->protectedLeft = 2;
    board->protectedRight = 3;
    board->protectedTop = 4;
    board->protectedBottom = 5;
    board->randomize(0);
    int walls = 0;
    for (int x = 0; x < 20; ++x)
        for (int y = 0; y < 14; ++y) {
            bool inside = x >= 2 && x <= 3 && y >= 4 && y <= 5;
            if (board->tileCategory(x, y) == Category::Wall) ++walls;
            if (inside) {
                EXPECT_EQ(board->cells[x][y], Code::Floor) << x << "," << y;
            }
        }
    EXPECT_EQ(walls, 280 - 4);
    board->randomize(3);
    walls = 0;
    for (int x = 0; x < 20; ++x)
        for (int y = 0; y < 14; ++y)
            if (board->tileCategory(x, y) == Category::Wall) ++walls;
    EXPECT_GT(walls, 30);
    EXPECT_LT(walls, 110);
}

TEST_F(LevelMapTest, TheCarriedStripTurnsTheEndIntoTheStartAndIsProtected) {
    // The previous board ends three cells from its right edge: those three
    // columns land on the left of the next board.
    auto previous = mapFromText({"S"});
    previous->cells[17][6] = Code::End;
    previous->cells[18][6] = Code::Shatter;
    previous->cells[18][7] = Code::Start;
    previous->cells[19][7] = Code::FirstWall;
    auto next = mapFromText({".........S"});
    next->carryStrip(*previous, 17, 6);
    EXPECT_EQ(next->cells[0][6], Code::Start);
    EXPECT_EQ(next->startX, 0);
    EXPECT_EQ(next->startY, 6);
    EXPECT_EQ(next->cells[1][6], Code::Shatter);
    EXPECT_EQ(next->cells[1][7], Code::Floor) << "the old start becomes floor";
    EXPECT_EQ(next->cells[2][7], Code::FirstWall);
    EXPECT_EQ(next->entryX, 17);
    EXPECT_EQ(next->isOutsideProtected(0, 6), 0);
    EXPECT_EQ(next->isOutsideProtected(2, 13), 0);
    EXPECT_EQ(next->isOutsideProtected(3, 6), 1);
    next->clearAll();
    EXPECT_EQ(next->isOutsideProtected(0, 6), 1);
    EXPECT_EQ(next->cells[1][6], Code::Floor);
}

TEST_F(LevelMapTest, GlowRisesToTheKindsLevelAndDecaysByOnePerTick) {
    auto board = mapFromText({"S"});
    board->glowCell(4, 4, 1);
    EXPECT_EQ(board->glow[4][4], 10);
    board->glowCell(4, 4, 0);
    EXPECT_EQ(board->glow[4][4], 25);
    board->glowCell(4, 4, 1);
    EXPECT_EQ(board->glow[4][4], 25);
    for (int i = 0; i < 24; ++i) board->decayGlow();
    EXPECT_EQ(board->glow[4][4], 1);
    board->decayGlow();
    board->decayGlow();
    EXPECT_EQ(board->glow[4][4], 0);
}

// ---- level files ----

class LevelFileTest : public LevelMapTest {
protected:
    void SetUp() override {
        LevelMapTest::SetUp();
        folder = std::make_unique<test::TempFolder>();
        createDir(folder->file("levels"));
        LevelMap::levelHome = folder->path();
    }
    void TearDown() override {
        folder.reset();
        LevelMapTest::TearDown();
    }
    // The 280 cells of a test board in file order: codes that tell cells apart.
    static std::vector<int32_t> numberedCells() {
        std::vector<int32_t> cells;
        for (int x = 0; x < 20; ++x)
            for (int y = 0; y < 14; ++y) cells.push_back(1000 + 14 * x + y);
        return cells;
    }
    std::unique_ptr<test::TempFolder> folder;
};

TEST_F(LevelFileTest, RoundTripOfLevelSevenKeepsTheBoardAndTakesTileSetOne) {
    auto board = mapFromText({"S..#", "..xE", "?.k.", ".V.."}, 7);
    board->tileSet = 3;
    board->setEntry(2, -1);
    board->save(1);
    EXPECT_EQ(board->modified, 0);
    std::string bytes = test::readBinary(folder->file("levels/7.lvl"));
    ASSERT_EQ(bytes.size(), 1140u);
    std::vector<int32_t> values = readInts(bytes);
    EXPECT_EQ(values[0], 2);
    EXPECT_EQ(values[1], 3);
    EXPECT_EQ(values[2], -1);
    EXPECT_EQ(values[3 + 14 * 3 + 1], 2) << "cell (3, 1) at offset 12 + 4 (14 x + y)";

    auto loaded = LevelMap::create(7);
    EXPECT_EQ(loaded->tileSet, 1);
    for (int x = 0; x < 20; ++x)
        for (int y = 0; y < 14; ++y) EXPECT_EQ(loaded->cells[x][y], board->cells[x][y]) << x << "," << y;
    EXPECT_EQ(loaded->startX, 0);
    EXPECT_EQ(loaded->startY, 0);
    EXPECT_EQ(loaded->endX, 3);
    EXPECT_EQ(loaded->endY, 1);
    EXPECT_EQ(loaded->entryX, 2);
    EXPECT_EQ(loaded->entryY, -1);
    EXPECT_EQ(loaded->play.gizmos.cellState(1, 3), 1) << "gizmos are built on load";
    EXPECT_TRUE(logged("Loading map 7.lvl"));
    EXPECT_TRUE(logged("Saving map"));
}

TEST_F(LevelFileTest, QuickSaveKeepsTheOldFileAsBackup) {
    auto board = mapFromText({"S.E"}, 12);
    board->save(1);  // no file yet: the failed backup copy is not reported
    int noticesBefore = notifyCount();
    board->setTile(1, 0, Code::FirstWall);
    board->save(1);
    EXPECT_EQ(notifyCount(), noticesBefore);
    std::vector<int32_t> backup = readInts(test::readBinary(folder->file("! map backups/12.lvl")));
    std::vector<int32_t> current = readInts(test::readBinary(folder->file("levels/12.lvl")));
    ASSERT_EQ(backup.size(), 285u);
    ASSERT_EQ(current.size(), 285u);
    EXPECT_EQ(backup[3 + 14 * 1], 3);
    EXPECT_EQ(current[3 + 14 * 1], 10);
}

TEST_F(LevelFileTest, VersionOneFileHasItsCellsRightAfterTheFirstValue) {
    std::vector<int32_t> values = {1};
    std::vector<int32_t> cells = numberedCells();
    values.insert(values.end(), cells.begin(), cells.end());
    values.push_back(4);   // entryX, at offset 1124
    values.push_back(-2);  // entryY
    values.push_back(99);  // a version-2 reader would take this for entryY
    test::writeBinary(folder->file("levels/3.lvl"), littleEndian(values));
    auto board = LevelMap::create(3);
    EXPECT_EQ(board->cells[0][0], 1000);
    EXPECT_EQ(board->cells[19][13], 1000 + 279);
    EXPECT_EQ(board->entryX, 4);
    EXPECT_EQ(board->entryY, -2);
    EXPECT_EQ(board->tileSet, 0);
}

TEST_F(LevelFileTest, FileOf1132BytesLoadsWithEntryZero) {
    auto board = LevelMap::createEmpty(5);
    board->entryX = 7;
    std::vector<int32_t> values = {2, 9, -1};
    std::vector<int32_t> cells = numberedCells();
    cells[14 * 2 + 3] = 1;
    values.insert(values.end(), cells.begin(), cells.end());
    ASSERT_EQ(littleEndian(values).size(), 1132u);
    test::writeBinary(folder->file("levels/5.lvl"), littleEndian(values));
    auto loaded = LevelMap::create(5);
    EXPECT_EQ(loaded->cells[19][13], 1279);
    EXPECT_EQ(loaded->entryX, 0);
    EXPECT_EQ(loaded->entryY, 0);
    EXPECT_EQ(loaded->startX, 2);
    EXPECT_EQ(loaded->startY, 3);
    EXPECT_EQ(loaded->endX, -1);
    EXPECT_EQ(loaded->endY, -1);
    EXPECT_EQ(loaded->tileSet, 1);
}

TEST_F(LevelFileTest, ShortFileLeavesTheUnreadCellsAsWallBrush) {
    std::vector<int32_t> values = {2, 0, -1};
    for (int i = 0; i < 20; ++i) values.push_back(2);
    // Half of one more end code: a value cut short is no value (the level
    // tool reads it so too).
    test::writeBinary(folder->file("levels/0.lvl"), littleEndian(values) + std::string("\x02\x00", 2));
    auto board = LevelMap::create(0);
    EXPECT_EQ(board->cells[1][5], Code::End);
    EXPECT_EQ(board->cells[1][6], Code::WallBrush);
    EXPECT_EQ(board->cells[19][13], Code::WallBrush);
    EXPECT_EQ(board->endX, 1) << "the last end code read wins";
    EXPECT_EQ(board->endY, 5);
}

TEST_F(LevelFileTest, MissingFileGivesAnEmptyBoard) {
    auto board = LevelMap::create(161);
    EXPECT_EQ(board->cells[4][4], Code::WallBrush);
    EXPECT_EQ(board->startX, 0);
    EXPECT_EQ(board->startY, 0);
    EXPECT_EQ(board->endX, -1);
    EXPECT_EQ(board->tileSet, 0);
    EXPECT_EQ(board->lockTypes[1], 1);
    EXPECT_EQ(board->play.gizmos.lockStates[1], 1) << "gizmos are built on load";
    EXPECT_TRUE(logged("Loading map 161.lvl"));
}

TEST_F(LevelFileTest, CodesOutsideTheTableLoadAsTheyAre) {
    std::vector<int32_t> values = {2, 0, -1};
    std::vector<int32_t> cells(280, 3);
    cells[0] = 57;
    cells[1] = -4;
    cells[2] = 1;
    values.insert(values.end(), cells.begin(), cells.end());
    test::writeBinary(folder->file("levels/2.lvl"), littleEndian(values));
    auto board = LevelMap::create(2);
    EXPECT_EQ(board->cells[0][0], 57);
    EXPECT_EQ(board->cells[0][1], -4);
    EXPECT_EQ(board->canEnter(0, 0, board->play.gizmos, 1), 1);
}

TEST_F(LevelFileTest, SaveThatCannotOpenItsTargetReportsAndStaysModified) {
    LevelMap::levelHome = folder->file("nowhere");  // no levels folder inside
    auto board = mapFromText({"S.E"}, 4);
    board->modified = 1;
    int before = notifyCount();
    board->save(1);
    EXPECT_EQ(notifyCount(), before + 1);
    EXPECT_EQ(board->modified, 1);
}

TEST_F(LevelFileTest, CancelledSaveDialogWritesNothing) {
    auto board = mapFromText({"S.E"}, 31);
    board->modified = 1;
    int before = notifyCount();
    board->save(0);
    EXPECT_EQ(board->modified, 1);
    EXPECT_EQ(notifyCount(), before);
    EXPECT_EQ(fileType(folder->file("levels/31.lvl")), FILE_MISSING);
}

TEST_F(LevelFileTest, FirstLoadOfALevelWithAPageOpensItOnceAndNeverInTheEditor) {
    auto board = mapFromText({"S.E"}, 3);
    board->save(1);
    playerProfile = PlayerProfile::create(0);
    gameController = GameController::create();
    session = gameController;
    ASSERT_EQ(playerProfile->tutorialPages[3], 1);

    editorOn = 1;
    gameController->startAtLevel(3);
    EXPECT_FALSE(logged("hint shown"));
    EXPECT_EQ(playerProfile->onceFlags[1], 0);

    editorOn = 0;
    gameController->startAtLevel(3);
    EXPECT_TRUE(logged("hint shown"));
    EXPECT_EQ(playerProfile->onceFlags[1], 1);
    EXPECT_NE(gameController->activeMenu, nullptr);

    log.clear();
    gameController->startAtLevel(3);
    EXPECT_FALSE(logged("hint shown"));
    EXPECT_EQ(gameController->activeMenu, nullptr);
}

}  // namespace
