// Polled input: hit counting, flushes, the character queue, focus and close
// requests, and SDL key events turned into Windows virtual-key codes through
// a real (dummy-driver) window.
#include <gtest/gtest.h>

#include <SDL.h>

#include <cstdlib>

#include "runtime/Graphics.h"
#include "runtime/Input.h"
#include "runtime/KeyMap.h"
#include "runtime/Runtime.h"

namespace qm {
namespace {

class InputTest : public ::testing::Test {
protected:
    void SetUp() override { resetInputState(); }
    void TearDown() override { resetInputState(); }
};

TEST_F(InputTest, KeyHitCountsPressesSinceItWasLastAsked) {
    inputKeyEvent(VK_SPACE, true);
    EXPECT_EQ(keyDown(VK_SPACE), 1);
    EXPECT_EQ(keyHit(VK_SPACE), 1);
    EXPECT_EQ(keyHit(VK_SPACE), 0) << "two calls after one press give 1 then 0";
    inputKeyEvent(VK_SPACE, true);  // still held: not a new press
    EXPECT_EQ(keyHit(VK_SPACE), 0);
    inputKeyEvent(VK_SPACE, false);
    inputKeyEvent(VK_SPACE, true);
    inputKeyEvent(VK_SPACE, false);
    inputKeyEvent(VK_SPACE, true);
    inputKeyEvent(VK_SPACE, false);
    EXPECT_EQ(keyDown(VK_SPACE), 0);
    EXPECT_EQ(keyHit(VK_SPACE), 2);
    EXPECT_EQ(keyHit(VK_ENTER), 0) << "keys count separately";
    EXPECT_EQ(keyHit(0), 0);
    EXPECT_EQ(keyHit(999), 0);
    EXPECT_EQ(keyDown(-1), 0);
}

TEST_F(InputTest, FlushKeysClearsStatesHitsAndTypedCharacters) {
    inputKeyEvent(65, true);
    inputChar('a');
    inputMouseButton(1, true);
    flushKeys();
    EXPECT_EQ(keyDown(65), 0);
    EXPECT_EQ(keyHit(65), 0);
    EXPECT_EQ(getChar(), 0);
    EXPECT_EQ(mouseDown(1), 1) << "the mouse is not a key";
}

TEST_F(InputTest, MouseButtonsAndPointer) {
    inputMouseMove(120, 340);
    inputMouseButton(2, true);
    inputMouseButton(2, false);
    inputMouseButton(1, true);
    EXPECT_EQ(mouseX(), 120);
    EXPECT_EQ(mouseY(), 340);
    EXPECT_EQ(mouseDown(1), 1);
    EXPECT_EQ(mouseDown(2), 0);
    EXPECT_EQ(mouseHit(2), 1);
    EXPECT_EQ(mouseHit(2), 0);
    EXPECT_EQ(mouseHit(1), 1);
    EXPECT_EQ(mouseHit(7), 0);
}

TEST_F(InputTest, CharactersQueueInOrder) {
    EXPECT_EQ(getChar(), 0);
    for (int c : {int('h'), int('i'), int(VK_ENTER)}) inputChar(c);
    EXPECT_EQ(getChar(), 'h');
    EXPECT_EQ(getChar(), 'i');
    EXPECT_EQ(getChar(), 13);
    EXPECT_EQ(getChar(), 0);
}

TEST_F(InputTest, TerminateIsTrueOnceAndFocusDrivesSuspension) {
    EXPECT_EQ(appTerminate(), 0);
    inputCloseRequest();
    EXPECT_EQ(appTerminate(), 1);
    EXPECT_EQ(appTerminate(), 0) << "the flag resets when read";
    inputFocus(false);
    EXPECT_EQ(appSuspended(), 1);
    inputFocus(true);
    EXPECT_EQ(appSuspended(), 0);
    inputPrintScreen(true);
    EXPECT_EQ(printScreenDown(), 1);
    inputPrintScreen(false);
    EXPECT_EQ(printScreenDown(), 0);
}

TEST(KeyMapTest, SdlKeysBecomeVirtualKeyCodes) {
    EXPECT_EQ(KeyMap::virtualKey(SDLK_a, SDL_SCANCODE_A), 65);
    EXPECT_EQ(KeyMap::virtualKey(SDLK_z, SDL_SCANCODE_Z), 90);
    EXPECT_EQ(KeyMap::virtualKey(SDLK_q, SDL_SCANCODE_A), 81) << "letters follow the layout";
    EXPECT_EQ(KeyMap::virtualKey(SDLK_0, SDL_SCANCODE_0), 48);
    EXPECT_EQ(KeyMap::virtualKey(SDLK_9, SDL_SCANCODE_9), 57);
    EXPECT_EQ(KeyMap::virtualKey(SDLK_KP_0, SDL_SCANCODE_KP_0), 96);
    EXPECT_EQ(KeyMap::virtualKey(SDLK_END, SDL_SCANCODE_KP_1), 97) << "keypad whatever Num Lock says";
    EXPECT_EQ(KeyMap::virtualKey(SDLK_KP_9, SDL_SCANCODE_KP_9), 105);
    EXPECT_EQ(KeyMap::virtualKey(SDLK_LEFT, SDL_SCANCODE_LEFT), 37);
    EXPECT_EQ(KeyMap::virtualKey(SDLK_DOWN, SDL_SCANCODE_DOWN), 40);
    EXPECT_EQ(KeyMap::virtualKey(SDLK_RETURN, SDL_SCANCODE_RETURN), 13);
    EXPECT_EQ(KeyMap::virtualKey(SDLK_KP_ENTER, SDL_SCANCODE_KP_ENTER), 13);
    EXPECT_EQ(KeyMap::virtualKey(SDLK_ESCAPE, SDL_SCANCODE_ESCAPE), 27);
    EXPECT_EQ(KeyMap::virtualKey(SDLK_BACKSPACE, SDL_SCANCODE_BACKSPACE), 8);
    EXPECT_EQ(KeyMap::virtualKey(SDLK_EQUALS, SDL_SCANCODE_EQUALS), 187);
    EXPECT_EQ(KeyMap::virtualKey(SDLK_MINUS, SDL_SCANCODE_MINUS), 189);
    EXPECT_EQ(KeyMap::virtualKey(SDLK_LEFTBRACKET, SDL_SCANCODE_LEFTBRACKET), 219);
    EXPECT_EQ(KeyMap::virtualKey(SDLK_RIGHTBRACKET, SDL_SCANCODE_RIGHTBRACKET), 221);
    EXPECT_EQ(KeyMap::virtualKey(SDLK_PRINTSCREEN, SDL_SCANCODE_PRINTSCREEN), 44);
}

// A window on SDL's dummy video driver: the real event path, no display.
class WindowInputTest : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        RuntimeOptions options;  // not headless
        ASSERT_TRUE(runtimeInit(options));
        if (!openGraphics(800, 600, 0, 60, 0)) GTEST_SKIP() << "no dummy video driver";
    }
    void TearDown() override {
        runtimeShutdown();
        unsetenv("SDL_VIDEODRIVER");
        unsetenv("SDL_AUDIODRIVER");
    }
    void push(SDL_Event e) { ASSERT_EQ(SDL_PushEvent(&e), 1); }
    void key(SDL_Keycode sym, SDL_Scancode code, bool down, bool repeat = false) {
        SDL_Event e{};
        e.type = down ? SDL_KEYDOWN : SDL_KEYUP;
        e.key.keysym.sym = sym;
        e.key.keysym.scancode = code;
        e.key.repeat = repeat;
        push(e);
    }
};

TEST_F(WindowInputTest, EventsReachThePolls) {
    key(SDLK_LEFTBRACKET, SDL_SCANCODE_LEFTBRACKET, true);
    key(SDLK_LEFTBRACKET, SDL_SCANCODE_LEFTBRACKET, true, true);  // auto-repeat is not a press
    key(SDLK_RETURN, SDL_SCANCODE_RETURN, true);
    SDL_Event text{};
    text.type = SDL_TEXTINPUT;
    std::snprintf(text.text.text, sizeof text.text.text, "%s", "x\xC3\xA9");  // "x", then e-acute
    push(text);
    SDL_Event click{};
    click.type = SDL_MOUSEBUTTONDOWN;
    click.button.button = SDL_BUTTON_RIGHT;
    click.button.x = 300;
    click.button.y = 200;
    push(click);
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    push(quit);
    flipFrame(1);
    EXPECT_EQ(keyDown(219), 1);
    EXPECT_EQ(keyHit(219), 1);
    EXPECT_EQ(getChar(), 13);
    EXPECT_EQ(getChar(), 'x');
    EXPECT_EQ(getChar(), 0xE9);
    EXPECT_EQ(mouseHit(2), 1);
    EXPECT_EQ(mouseX(), 300);
    EXPECT_EQ(mouseY(), 200);
    EXPECT_EQ(appTerminate(), 1);
    key(SDLK_LEFTBRACKET, SDL_SCANCODE_LEFTBRACKET, false);
    pollSystemEvents();
    EXPECT_EQ(keyDown(219), 0);
}

TEST_F(WindowInputTest, FullScreenPointerIsInFramePixels) {
    ASSERT_TRUE(openGraphics(800, 600, 32, 60, 0));
    EXPECT_TRUE(isFullscreen());
    SDL_DisplayMode desktop;
    ASSERT_EQ(SDL_GetDesktopDisplayMode(0, &desktop), 0);
    // The middle of the desktop is the middle of the letterboxed frame.
    SDL_Event move{};
    move.type = SDL_MOUSEMOTION;
    move.motion.x = desktop.w / 2;
    move.motion.y = desktop.h / 2;
    push(move);
    pollSystemEvents();
    EXPECT_NEAR(mouseX(), 400, 1);
    EXPECT_NEAR(mouseY(), 300, 1);
    move.motion.x = desktop.w - 1;
    move.motion.y = desktop.h - 1;
    push(move);
    pollSystemEvents();
    EXPECT_EQ(mouseX(), 799);
    EXPECT_EQ(mouseY(), 599);
}

}  // namespace
}  // namespace qm
