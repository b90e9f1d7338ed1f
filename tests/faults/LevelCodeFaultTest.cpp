// Codes no level should hold (a damaged file): 4, 5 and 6 read like the
// teleport, key and lock categories but name no teleport pair, key or lock.
// Found by fuzzing the level reader: the rules and the drawing looked up lock
// and key number code - 33 / code - 31 far outside the two there are.
#include <gtest/gtest.h>

#include "app/Globals.h"
#include "puzzle/LevelMap.h"
#include "runtime/Graphics.h"
#include "runtime/Runtime.h"

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
    board->gizmos = GizmoStates::createFrom(board.get());
    // Code 6 is not a lock: nothing to be shut against the ball.
    for (int d = 1; d <= 4; d++) EXPECT_EQ(board->canEnter(4, 5, nullptr, d), 1) << "direction " << d;
    for (int x = 2; x < 10; x++)
        for (int d = 1; d <= 4; d++) board->canEnter(x, 5, nullptr, d);
    // Drawn in play and in the editor, where keys and locks always show.
    for (int editing : {0, 1}) {
        editorOn = editing;
        board->draw(47, 47, 1);
    }
    editorOn = 0;
}

}  // namespace
