// Codes no level should hold (a damaged file): 4, 5 and 6 read like the
// teleport, key and lock categories but name no teleport pair, key or lock.
// Found by fuzzing the level reader: the rules and the drawing looked up lock
// and key number code - 33 / code - 31 far outside the two there are. Also a
// far-off entry point, which the board-to-board slide multiplies by 32.
#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "app/AppGlobals.h"
#include "play/BoardPainter.h"
#include "play/LevelMap.h"
#include "runtime/Graphics.h"
#include "runtime/Runtime.h"
#include "support/TempFolder.h"

using namespace qm;

namespace {

class LevelCodeFaultTest : public ::testing::Test {
protected:
    void SetUp() override {
        resetGlobals();
        RuntimeOptions options;
        options.headless = true;
        ASSERT_TRUE(runtimeInit(options));
        ASSERT_TRUE(openGraphics(800, 600, 0, 60, 0));
    }
    void TearDown() override {
        resetGlobals();
        runtimeShutdown();
    }
};

TEST_F(LevelCodeFaultTest, StrayCategoryCodesAreNeitherKeysNorLocks) {
    LevelMapPtr board = LevelMap::createEmpty(3);
    const int stray[] = {4, 5, 6, 113, 114, 126, -33, 1 << 30};
    for (int i = 0; i < 8; i++) board->cells[2 + i][5] = stray[i];
    board->play.gizmos = GizmoStates::createFrom(*board);
    // Code 6 is not a lock: nothing to be shut against the ball.
    for (int d = 1; d <= 4; d++) EXPECT_EQ(board->canEnter(4, 5, board->play.gizmos, d), 1) << "direction " << d;
    for (int x = 2; x < 10; x++)
        for (int d = 1; d <= 4; d++) board->canEnter(x, 5, board->play.gizmos, d);
    // Drawn in play and in the editor, where keys and locks always show.
    EditingView editing;
    board->draw(47, 47, 1);
    board->draw(47, 47, 1, &editing);
}

TEST_F(LevelCodeFaultTest, FarOffEntryPointIsDropped) {
    // The entry point sets how far the next board slides in, in pixels; a
    // board beside the last one lies at most a board away.
    test::TempFolder folder;
    std::filesystem::create_directories("levels");
    std::vector<int32_t> values = {2, 0, 0};
    values.resize(3 + 20 * 14, 3);
    values.push_back(INT_MAX);
    values.push_back(INT_MIN);
    std::string bytes(values.size() * 4, '\0');
    std::memcpy(bytes.data(), values.data(), bytes.size());
    test::writeBinary("levels/4.lvl", bytes);
    LevelMapPtr board = LevelMap::create(4);
    EXPECT_EQ(board->cells[5][5], Code::Floor);  // the cells were read
    EXPECT_EQ(board->entryX, 0);
    EXPECT_EQ(board->entryY, 0);

    // A real entry, the board above: kept.
    values[values.size() - 2] = 0;
    values[values.size() - 1] = -13;
    std::memcpy(bytes.data(), values.data(), bytes.size());
    test::writeBinary("levels/4.lvl", bytes);
    board = LevelMap::create(4);
    EXPECT_EQ(board->entryX, 0);
    EXPECT_EQ(board->entryY, -13);
}

}  // namespace
