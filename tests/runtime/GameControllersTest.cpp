// Game controllers: buttons and the left stick reach the same key polls as the
// keyboard. Events are built by hand and fed to the controller layer (no
// device needed), and once through the window's real event queue.
#include <gtest/gtest.h>

#include <SDL.h>

#include <cstdlib>

#include "runtime/GameControllers.h"
#include "runtime/Graphics.h"
#include "runtime/Input.h"
#include "runtime/Runtime.h"

namespace qm {
namespace {

SDL_Event buttonEvent(int button, bool down, SDL_JoystickID pad = 0) {
    SDL_Event e{};
    e.type = down ? SDL_CONTROLLERBUTTONDOWN : SDL_CONTROLLERBUTTONUP;
    e.cbutton.which = pad;
    e.cbutton.button = Uint8(button);
    e.cbutton.state = down ? SDL_PRESSED : SDL_RELEASED;
    return e;
}

SDL_Event axisEvent(int axis, int value, SDL_JoystickID pad = 0) {
    SDL_Event e{};
    e.type = SDL_CONTROLLERAXISMOTION;
    e.caxis.which = pad;
    e.caxis.axis = Uint8(axis);
    e.caxis.value = Sint16(value);
    return e;
}

class GameControllersTest : public ::testing::Test {
protected:
    void SetUp() override { resetInputState(); }
    void TearDown() override { resetInputState(); }
    void button(int b, bool down, SDL_JoystickID pad = 0) {
        EXPECT_TRUE(GameControllers::handleEvent(buttonEvent(b, down, pad)));
    }
    void stick(int axis, int value, SDL_JoystickID pad = 0) {
        EXPECT_TRUE(GameControllers::handleEvent(axisEvent(axis, value, pad)));
    }
    // Clears the hit counters of every key the pad can press.
    void drainHits() {
        for (int k : {37, 38, 39, 40, 13, 27, 82, 83}) keyHit(k);
        while (getChar()) {}
    }
};

TEST_F(GameControllersTest, ButtonsPressTheKeysTheGameReads) {
    struct Case { int button; int key; } cases[] = {
        {SDL_CONTROLLER_BUTTON_DPAD_LEFT, 37}, {SDL_CONTROLLER_BUTTON_DPAD_UP, 38},
        {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, 39}, {SDL_CONTROLLER_BUTTON_DPAD_DOWN, 40},
        {SDL_CONTROLLER_BUTTON_A, 13}, {SDL_CONTROLLER_BUTTON_B, 27},
        {SDL_CONTROLLER_BUTTON_START, 27}, {SDL_CONTROLLER_BUTTON_X, 82},
        {SDL_CONTROLLER_BUTTON_Y, 83},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.button);
        button(c.button, true);
        EXPECT_EQ(keyDown(c.key), 1);
        EXPECT_EQ(keyHit(c.key), 1);
        button(c.button, true);  // a repeated down is not a second press
        EXPECT_EQ(keyHit(c.key), 0);
        button(c.button, false);
        EXPECT_EQ(keyDown(c.key), 0);
        button(c.button, true);
        button(c.button, false);
        EXPECT_EQ(keyHit(c.key), 1) << "a tap between two polls still counts";
        drainHits();
    }
    // Buttons the game has no use for press nothing.
    button(SDL_CONTROLLER_BUTTON_LEFTSHOULDER, true);
    button(SDL_CONTROLLER_BUTTON_GUIDE, true);
    for (int k = 1; k < 256; ++k) EXPECT_EQ(keyDown(k), 0) << k;
    // Out-of-range button numbers are ignored, not written past the table.
    button(200, true);
    SDL_Event other{};
    other.type = SDL_KEYDOWN;
    EXPECT_FALSE(GameControllers::handleEvent(other));
}

TEST_F(GameControllersTest, EnterAndEscapeTypeTheirCharactersLikeTheKeyboard) {
    button(SDL_CONTROLLER_BUTTON_A, true);
    button(SDL_CONTROLLER_BUTTON_B, true);
    button(SDL_CONTROLLER_BUTTON_X, true);  // R is a key, not typing
    EXPECT_EQ(getChar(), 13);
    EXPECT_EQ(getChar(), 27);
    EXPECT_EQ(getChar(), 0);
}

TEST_F(GameControllersTest, StickHasADeadZoneAndOnePushIsOnePress) {
    stick(SDL_CONTROLLER_AXIS_LEFTX, 15000);
    EXPECT_EQ(keyDown(VK_RIGHT), 0) << "inside the dead zone";
    stick(SDL_CONTROLLER_AXIS_LEFTX, 17000);
    EXPECT_EQ(keyDown(VK_RIGHT), 1);
    EXPECT_EQ(keyDown(VK_LEFT), 0);
    // Wobbling around the press mark is still the same push.
    stick(SDL_CONTROLLER_AXIS_LEFTX, 14000);
    stick(SDL_CONTROLLER_AXIS_LEFTX, 17000);
    stick(SDL_CONTROLLER_AXIS_LEFTX, 13000);
    stick(SDL_CONTROLLER_AXIS_LEFTX, 32767);
    EXPECT_EQ(keyDown(VK_RIGHT), 1);
    EXPECT_EQ(keyHit(VK_RIGHT), 1);
    stick(SDL_CONTROLLER_AXIS_LEFTX, 11000);
    EXPECT_EQ(keyDown(VK_RIGHT), 0) << "released once under the release mark";
    stick(SDL_CONTROLLER_AXIS_LEFTX, 0);
    EXPECT_EQ(keyHit(VK_RIGHT), 0);

    // Full swing from one side to the other: left lets go, right presses.
    stick(SDL_CONTROLLER_AXIS_LEFTX, -32768);
    EXPECT_EQ(keyDown(VK_LEFT), 1);
    stick(SDL_CONTROLLER_AXIS_LEFTX, 32767);
    EXPECT_EQ(keyDown(VK_LEFT), 0);
    EXPECT_EQ(keyDown(VK_RIGHT), 1);
    EXPECT_EQ(keyHit(VK_LEFT), 1);
    EXPECT_EQ(keyHit(VK_RIGHT), 1);
    stick(SDL_CONTROLLER_AXIS_LEFTX, 0);

    // SDL's Y axis grows downward.
    stick(SDL_CONTROLLER_AXIS_LEFTY, -20000);
    EXPECT_EQ(keyDown(VK_UP), 1);
    EXPECT_EQ(keyDown(VK_DOWN), 0);
    stick(SDL_CONTROLLER_AXIS_LEFTY, 20000);
    EXPECT_EQ(keyDown(VK_UP), 0);
    EXPECT_EQ(keyDown(VK_DOWN), 1);
    stick(SDL_CONTROLLER_AXIS_LEFTY, 0);
    EXPECT_EQ(keyDown(VK_DOWN), 0);

    // The right stick and the triggers are not arrows.
    stick(SDL_CONTROLLER_AXIS_RIGHTX, 32767);
    stick(SDL_CONTROLLER_AXIS_TRIGGERLEFT, 32767);
    EXPECT_EQ(keyDown(VK_RIGHT), 0);
    EXPECT_EQ(keyDown(VK_LEFT), 0);
}

TEST_F(GameControllersTest, SourcesOfTheSameKeyDoNotReleaseEachOther) {
    // Keyboard Enter held while the pad's A comes and goes.
    inputKeyEvent(VK_ENTER, true);
    button(SDL_CONTROLLER_BUTTON_A, true);
    EXPECT_EQ(keyHit(VK_ENTER), 1) << "the pad joining a held key is no new press";
    button(SDL_CONTROLLER_BUTTON_A, false);
    EXPECT_EQ(keyDown(VK_ENTER), 1) << "the keyboard still holds Enter";
    inputKeyEvent(VK_ENTER, false);
    EXPECT_EQ(keyDown(VK_ENTER), 0);

    // The other way round: the pad holds Escape, the keyboard key is let go.
    button(SDL_CONTROLLER_BUTTON_START, true);
    inputKeyEvent(VK_ESCAPE, true);
    inputKeyEvent(VK_ESCAPE, false);
    EXPECT_EQ(keyDown(VK_ESCAPE), 1);
    // B and Start are two sources of one key.
    button(SDL_CONTROLLER_BUTTON_B, true);
    button(SDL_CONTROLLER_BUTTON_START, false);
    EXPECT_EQ(keyDown(VK_ESCAPE), 1);
    button(SDL_CONTROLLER_BUTTON_B, false);
    EXPECT_EQ(keyDown(VK_ESCAPE), 0);

    // D-pad and stick on the same arrow, and a second pad.
    button(SDL_CONTROLLER_BUTTON_DPAD_LEFT, true);
    stick(SDL_CONTROLLER_AXIS_LEFTX, -30000);
    button(SDL_CONTROLLER_BUTTON_DPAD_LEFT, true, 1);
    button(SDL_CONTROLLER_BUTTON_DPAD_LEFT, false);
    stick(SDL_CONTROLLER_AXIS_LEFTX, 0);
    EXPECT_EQ(keyDown(VK_LEFT), 1) << "the second pad still holds left";
    button(SDL_CONTROLLER_BUTTON_DPAD_LEFT, false, 1);
    EXPECT_EQ(keyDown(VK_LEFT), 0);
    EXPECT_EQ(keyHit(VK_LEFT), 1);
}

TEST_F(GameControllersTest, FlushAndUnplugLeaveNoKeyStuck) {
    // A flush forgets a held key; letting a second source go must not raise it again.
    button(SDL_CONTROLLER_BUTTON_DPAD_UP, true);
    stick(SDL_CONTROLLER_AXIS_LEFTY, -30000);
    flushKeys();
    EXPECT_EQ(keyDown(VK_UP), 0);
    stick(SDL_CONTROLLER_AXIS_LEFTY, 0);
    EXPECT_EQ(keyDown(VK_UP), 0);
    // A new press after the flush is a press.
    stick(SDL_CONTROLLER_AXIS_LEFTY, -30000);
    EXPECT_EQ(keyDown(VK_UP), 1);
    EXPECT_EQ(keyHit(VK_UP), 1);
    button(SDL_CONTROLLER_BUTTON_DPAD_UP, false);
    stick(SDL_CONTROLLER_AXIS_LEFTY, 0);
    EXPECT_EQ(keyDown(VK_UP), 0);

    // A pad pulled out while holding keys lets them go.
    button(SDL_CONTROLLER_BUTTON_Y, true, 7);
    stick(SDL_CONTROLLER_AXIS_LEFTX, 30000, 7);
    SDL_Event removed{};
    removed.type = SDL_CONTROLLERDEVICEREMOVED;
    removed.cdevice.which = 7;
    EXPECT_TRUE(GameControllers::handleEvent(removed));
    EXPECT_EQ(keyDown('S'), 0);
    EXPECT_EQ(keyDown(VK_RIGHT), 0);
    // Removing an unknown pad is harmless.
    removed.cdevice.which = 99;
    EXPECT_TRUE(GameControllers::handleEvent(removed));
}

TEST_F(GameControllersTest, HeadlessOpensNoControllers) {
    RuntimeOptions options;
    options.headless = true;
    ASSERT_TRUE(runtimeInit(options));
    EXPECT_EQ(SDL_WasInit(SDL_INIT_GAMECONTROLLER), 0u);
    EXPECT_EQ(GameControllers::openCount(), 0);
    // A device-added event in headless mode opens nothing.
    SDL_Event added{};
    added.type = SDL_CONTROLLERDEVICEADDED;
    added.cdevice.which = 0;
    EXPECT_TRUE(GameControllers::handleEvent(added));
    EXPECT_EQ(GameControllers::openCount(), 0);
    runtimeShutdown();
}

// The window back-end starts controller support and passes queued controller
// events through the same poll that reads the keyboard.
TEST_F(GameControllersTest, WindowEventQueueCarriesControllerEvents) {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    RuntimeOptions options;  // not headless
    ASSERT_TRUE(runtimeInit(options));
    if (!openGraphics(800, 600, 0, 60, 0)) {
        runtimeShutdown();
        GTEST_SKIP() << "no dummy video driver";
    }
    EXPECT_NE(SDL_WasInit(SDL_INIT_GAMECONTROLLER), 0u);
    SDL_Event down = buttonEvent(SDL_CONTROLLER_BUTTON_X, true, 3);
    ASSERT_EQ(SDL_PushEvent(&down), 1);
    SDL_Event push = axisEvent(SDL_CONTROLLER_AXIS_LEFTX, -25000, 3);
    ASSERT_EQ(SDL_PushEvent(&push), 1);
    pollSystemEvents();
    EXPECT_EQ(keyDown('R'), 1);
    EXPECT_EQ(keyHit('R'), 1);
    EXPECT_EQ(keyDown(VK_LEFT), 1);
    runtimeShutdown();
    EXPECT_EQ(SDL_WasInit(SDL_INIT_GAMECONTROLLER), 0u);
    unsetenv("SDL_VIDEODRIVER");
    unsetenv("SDL_AUDIODRIVER");
}

}  // namespace
}  // namespace qm
