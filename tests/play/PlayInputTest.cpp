// The play loop's input poll: priorities and the pointer-idle counter.
#include <gtest/gtest.h>

#include "play/Globals.h"
#include "play/PlayInput.h"
#include "runtime/Input.h"
#include "runtime/Runtime.h"
#include "support/PlayRig.h"

using namespace qm;

namespace {

class PlayInputTest : public test::PlayRig {};

TEST_F(PlayInputTest, UpAndLeftTogetherMoveOnlyUp) {
    inputKeyEvent(VK_UP, true);
    inputKeyEvent(VK_LEFT, true);
    PlayInput::pollInput();
    EXPECT_EQ(PlayInput::up, 1);
    EXPECT_EQ(PlayInput::left, 0);
    inputKeyEvent(VK_UP, false);
    PlayInput::pollInput();
    EXPECT_EQ(PlayInput::up, 0);
    EXPECT_EQ(PlayInput::left, 1);
}

TEST_F(PlayInputTest, RestartWinsOverSkipAndSkipOverEscape) {
    inputKeyEvent('R', true);
    inputKeyEvent('S', true);
    inputKeyEvent(VK_ESCAPE, true);
    PlayInput::pollInput();
    EXPECT_EQ(PlayInput::restart, 1);
    EXPECT_EQ(PlayInput::skip, 0);
    EXPECT_EQ(PlayInput::menuRequest, 0);
    inputKeyEvent('R', false);
    PlayInput::pollInput();
    EXPECT_EQ(PlayInput::skip, 1);
    EXPECT_EQ(PlayInput::menuRequest, 0);
    inputKeyEvent('S', false);
    PlayInput::pollInput();
    EXPECT_EQ(PlayInput::menuRequest, 1);
}

TEST_F(PlayInputTest, HeldKeysRepeatEveryPassAndFlagsClearEachPass) {
    inputKeyEvent(VK_DOWN, true);
    PlayInput::pollInput();
    PlayInput::pollInput();
    EXPECT_EQ(PlayInput::down, 1);
    inputKeyEvent(VK_DOWN, false);
    PlayInput::pollInput();
    EXPECT_EQ(PlayInput::down, 0);
    EXPECT_EQ(PlayInput::buttonCode, -1);
}

TEST_F(PlayInputTest, PointerIdleAfterTwoHundredStillPassesAndAtOnceAfterAnArrowKey) {
    inputMouseMove(100, 100);
    PlayInput::pollInput();  // the move itself
    for (int i = 0; i < 200; i++) PlayInput::pollInput();
    EXPECT_EQ(PlayInput::isMouseIdle(), 0);
    PlayInput::pollInput();
    EXPECT_EQ(PlayInput::isMouseIdle(), 1);
    inputMouseMove(101, 100);
    PlayInput::pollInput();
    EXPECT_EQ(PlayInput::isMouseIdle(), 0);
    inputKeyEvent(VK_RIGHT, true);
    PlayInput::pollInput();
    EXPECT_EQ(PlayInput::isMouseIdle(), 0);
    inputKeyEvent(VK_RIGHT, false);
    PlayInput::pollInput();
    EXPECT_EQ(PlayInput::isMouseIdle(), 1);
}

}  // namespace
