// The board's tile rules and its level files, read and written on real disk.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "app/GameController.h"
#include "app/Globals.h"
#include "app/PlayerProfile.h"
#include "puzzle/BoardText.h"
#include "puzzle/LevelMap.h"
#include "runtime/Diagnostics.h"
#include "runtime/Files.h"
#include "runtime/Runtime.h"
#include "support/TempFolder.h"

using namespace qm;
using test::boardFromText;

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

// ---- categories and passability ----

TEST_F(LevelMapTest, CellsOffTheBoardAreCategoryMinusTwoAndEnterable) {
    auto board = boardFromText({"S"});
    EXPECT_EQ(board->tileCategory(-1, 5), -2);
    EXPECT_EQ(board->tileCategory(20, 0), -2);
    EXPECT_EQ(board->tileCategory(0, 14), -2);
    EXPECT_EQ(board->tileCategory(3, -1), -2);
    EXPECT_EQ(board->canEnter(-1, 5, nullptr, 4), 1);
    EXPECT_EQ(board->canEnter(20, 0, nullptr, 2), 1);
    EXPECT_EQ(board->tileCategory(19, 13), 3);
}

TEST_F(LevelMapTest, CategoriesGroupTheCodesAsTheTableSays) {
    auto board = LevelMap::createEmpty(0);
    auto categoryOf = [&](int code) {
        board->cells[2][2] = code;
        return board->tileCategory(2, 2);
    };
    for (int c = 10; c <= 15; ++c) EXPECT_EQ(categoryOf(c), 0) << c;
    for (int c = 16; c <= 25; ++c) EXPECT_EQ(categoryOf(c), 4) << c;
    EXPECT_EQ(categoryOf(31), 5);
    EXPECT_EQ(categoryOf(32), 5);
    EXPECT_EQ(categoryOf(33), 6);
    EXPECT_EQ(categoryOf(34), 6);
    EXPECT_EQ(categoryOf(125), 126);
    EXPECT_EQ(categoryOf(126), 126);
    EXPECT_EQ(categoryOf(124), 113);
    EXPECT_EQ(categoryOf(127), 113);
    for (int c = 115; c <= 118; ++c) EXPECT_EQ(categoryOf(c), 114) << c;
    for (int c : {0, 1, 2, 3, 7, 8, 9, 119, 120, 121, 122, 252, 255, 57, 9, 26, 30, 35})
        EXPECT_EQ(categoryOf(c), c) << c;
}

TEST_F(LevelMapTest, WallsBeamBlocksAndWholeShatterRefuseTheBall) {
    auto board = boardFromText({"S#Hx w?."});
    EXPECT_EQ(board->canEnter(1, 0, nullptr, 2), 0);
    EXPECT_EQ(board->canEnter(2, 0, nullptr, 2), 0);
    EXPECT_EQ(board->canEnter(3, 0, nullptr, 2), 0);
    EXPECT_EQ(board->canEnter(4, 0, nullptr, 2), 1) << "the wall brush is passable";
    EXPECT_EQ(board->canEnter(5, 0, nullptr, 2), 0);
    EXPECT_EQ(board->canEnter(6, 0, nullptr, 2), 1) << "an unknown code is passable";
    board->gizmos->setCellState(3, 0, 3);
    EXPECT_EQ(board->canEnter(3, 0, nullptr, 2), 1) << "broken away";
    board->gizmos->setCellState(3, 0, 2);
    EXPECT_EQ(board->canEnter(3, 0, nullptr, 2), 0);
}

TEST_F(LevelMapTest, LocksFollowTheirStateAndType) {
    auto board = boardFromText({"S.l.m"});
    GizmoStates& g = *board->gizmos;
    EXPECT_EQ(board->canEnter(2, 0, nullptr, 2), 0) << "lock 1 starts solid";
    EXPECT_EQ(board->canEnter(4, 0, nullptr, 2), 1) << "lock 2 starts open";
    g.setLockState(0, 2);
    g.setLockState(1, 2);
    EXPECT_EQ(board->canEnter(2, 0, nullptr, 2), 1) << "lock 1 is passable while it fades";
    EXPECT_EQ(board->canEnter(4, 0, nullptr, 2), 0) << "lock 2 is solid while it fades in";
    g.setLockState(0, 1);
    g.setLockState(1, 0);
    EXPECT_EQ(board->canEnter(2, 0, nullptr, 2), 1);
    EXPECT_EQ(board->canEnter(4, 0, nullptr, 2), 0);
    // Other states objects are consulted when given.
    GizmoStates fresh;
    fresh.lockStates[0] = 0;
    EXPECT_EQ(board->canEnter(2, 0, &fresh, 2), 0);
}

TEST_F(LevelMapTest, AngleBlocksAdmitOnlyThroughTheirOpenSides) {
    auto board = boardFromText({"SABCD"});
    // direction of travel: 1 up, 2 right, 3 down, 4 left
    int expected[4][4] = {
        // 119 (bottom, right) is entered moving up or left
        {1, 0, 0, 1},
        // 120 (bottom, left): up or right
        {1, 1, 0, 0},
        // 121 (top, right): down or left
        {0, 0, 1, 1},
        // 122 (top, left): down or right
        {0, 1, 1, 0},
    };
    for (int block = 0; block < 4; ++block)
        for (int dir = 1; dir <= 4; ++dir)
            EXPECT_EQ(board->canEnter(1 + block, 0, nullptr, dir), expected[block][dir - 1])
                << "code " << 119 + block << " direction " << dir;
}

TEST_F(LevelMapTest, BeamFloorRefusesUnlessTheBallIsPowered) {
    auto board = boardFromText({"S..V"});
    EXPECT_EQ(board->gizmos->cellState(3, 1), 127);
    EXPECT_EQ(board->canEnter(3, 1, nullptr, 3), 0);
    board->powerUp();
    EXPECT_EQ(board->canEnter(3, 1, nullptr, 3), 1);
    board->unpower();
    EXPECT_EQ(board->isPowered(), 0);
    EXPECT_EQ(board->canEnter(3, 1, nullptr, 3), 0);
}

// ---- editing operations ----

TEST_F(LevelMapTest, SetTileMovesStartAndEndButLeavesOldCodes) {
    auto board = boardFromText({".", ".S"});
    board->modified = 0;
    EXPECT_EQ(board->setTile(3, 4, 1), 1);
    EXPECT_EQ(board->startX, 3);
    EXPECT_EQ(board->startY, 4);
    EXPECT_EQ(board->cells[1][1], 1);
    EXPECT_EQ(board->modified, 1);
    EXPECT_EQ(board->setTile(6, 2, 2), 1);
    EXPECT_EQ(board->endX, 6);
    board->modified = 0;
    EXPECT_EQ(board->setTile(25, 3, 2), 0);
    EXPECT_EQ(board->modified, 0);
    EXPECT_EQ(board->endX, 6);
    EXPECT_EQ(board->setTile(0, -1, 3), 0);
    EXPECT_EQ(board->setTile(0, 0, 0), 1);
    EXPECT_GE(board->cells[0][0], 10);
    EXPECT_LE(board->cells[0][0], 15);
}

TEST_F(LevelMapTest, RandomizeZeroWallsEveryUnprotectedCell) {
    auto board = boardFromText({"S"});
    board->protectedLeft = 2;
    board->protectedRight = 3;
    board->protectedTop = 4;
    board->protectedBottom = 5;
    board->randomize(0);
    int walls = 0;
    for (int x = 0; x < 20; ++x)
        for (int y = 0; y < 14; ++y) {
            bool inside = x >= 2 && x <= 3 && y >= 4 && y <= 5;
            if (board->tileCategory(x, y) == 0) ++walls;
            if (inside) {
                EXPECT_EQ(board->cells[x][y], 3) << x << "," << y;
            }
        }
    EXPECT_EQ(walls, 280 - 4);
    board->randomize(3);
    walls = 0;
    for (int x = 0; x < 20; ++x)
        for (int y = 0; y < 14; ++y)
            if (board->tileCategory(x, y) == 0) ++walls;
    EXPECT_GT(walls, 30);
    EXPECT_LT(walls, 110);
}

TEST_F(LevelMapTest, CopyRegionConvertsTheEndToTheStartAndProtectsTheTarget) {
    auto source = boardFromText({"S..", ".xE", "..#"});
    auto target = boardFromText({".........S"});
    target->copyRegion(*source, 0, 0, 2, 2, 10, 5, 1);
    EXPECT_EQ(target->cells[10][5], 3) << "the old start becomes floor";
    EXPECT_EQ(target->cells[12][6], 1);
    EXPECT_EQ(target->startX, 12);
    EXPECT_EQ(target->startY, 6);
    EXPECT_EQ(target->cells[11][6], 126);
    EXPECT_EQ(target->cells[12][7], 10);
    EXPECT_EQ(target->isOutsideProtected(10, 5), 0);
    EXPECT_EQ(target->isOutsideProtected(12, 7), 0);
    EXPECT_EQ(target->isOutsideProtected(13, 7), 1);
    target->clearAll();
    EXPECT_EQ(target->isOutsideProtected(10, 5), 1);
    EXPECT_EQ(target->cells[12][6], 3);
}

TEST_F(LevelMapTest, GlowRisesToTheKindsLevelAndDecaysByOnePerTick) {
    auto board = boardFromText({"S"});
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
    auto board = boardFromText({"S..#", "..xE", "?.k.", ".V.."}, 7);
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
    EXPECT_EQ(loaded->gizmos->cellState(1, 3), 1) << "gizmos are built on load";
    EXPECT_TRUE(logged("Loading map 7.lvl"));
    EXPECT_TRUE(logged("Saving map"));
}

TEST_F(LevelFileTest, QuickSaveKeepsTheOldFileAsBackup) {
    auto board = boardFromText({"S.E"}, 12);
    board->save(1);  // no file yet: the failed backup copy is not reported
    int noticesBefore = notifyCount();
    board->setTile(1, 0, 10);
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
    EXPECT_EQ(board->cells[1][5], 2);
    EXPECT_EQ(board->cells[1][6], 0);
    EXPECT_EQ(board->cells[19][13], 0);
    EXPECT_EQ(board->endX, 1) << "the last end code read wins";
    EXPECT_EQ(board->endY, 5);
}

TEST_F(LevelFileTest, MissingFileGivesAnEmptyBoard) {
    auto board = LevelMap::create(161);
    EXPECT_EQ(board->cells[4][4], 0);
    EXPECT_EQ(board->startX, 0);
    EXPECT_EQ(board->startY, 0);
    EXPECT_EQ(board->endX, -1);
    EXPECT_EQ(board->tileSet, 0);
    EXPECT_EQ(board->lockTypes[1], 1);
    ASSERT_NE(board->gizmos, nullptr);
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
    EXPECT_EQ(board->canEnter(0, 0, nullptr, 1), 1);
}

TEST_F(LevelFileTest, SaveThatCannotOpenItsTargetReportsAndStaysModified) {
    LevelMap::levelHome = folder->file("nowhere");  // no levels folder inside
    auto board = boardFromText({"S.E"}, 4);
    board->modified = 1;
    int before = notifyCount();
    board->save(1);
    EXPECT_EQ(notifyCount(), before + 1);
    EXPECT_EQ(board->modified, 1);
}

TEST_F(LevelFileTest, CancelledSaveDialogWritesNothing) {
    auto board = boardFromText({"S.E"}, 31);
    board->modified = 1;
    int before = notifyCount();
    board->save(0);
    EXPECT_EQ(board->modified, 1);
    EXPECT_EQ(notifyCount(), before);
    EXPECT_EQ(fileType(folder->file("levels/31.lvl")), FILE_MISSING);
}

TEST_F(LevelFileTest, FirstLoadOfALevelWithAPageOpensItOnceAndNeverInTheEditor) {
    auto board = boardFromText({"S.E"}, 3);
    board->save(1);
    playerProfile = PlayerProfile::create(0);
    gameController = GameController::create();
    ASSERT_EQ(playerProfile->tutorialPages[3], 1);

    editorOn = 1;
    LevelMap::create(3);
    EXPECT_FALSE(logged("hint shown"));
    EXPECT_EQ(playerProfile->onceFlags[1], 0);

    editorOn = 0;
    LevelMap::create(3);
    EXPECT_TRUE(logged("hint shown"));
    EXPECT_EQ(playerProfile->onceFlags[1], 1);
    EXPECT_NE(gameController->activeMenu, nullptr);

    log.clear();
    LevelMap::create(3);
    EXPECT_FALSE(logged("hint shown"));
    EXPECT_EQ(gameController->activeMenu, nullptr);
}

}  // namespace
