// Polled input: keys by Windows virtual-key code, the pointer in frame pixels,
// typed characters, focus and close requests. Events arrive from SDL or from
// a --script file; the game only polls.
#pragma once

namespace qm {

// Virtual-key codes the game uses.
enum VirtualKey : int {
    VK_ENTER = 13, VK_ESCAPE = 27, VK_SPACE = 32, VK_PRINTSCREEN = 44,
    VK_LEFT = 37, VK_UP = 38, VK_RIGHT = 39, VK_DOWN = 40,
    VK_BACKSPACE = 8,
};

int keyDown(int key);
int keyHit(int key);
int mouseX();
int mouseY();
int mouseDown(int button);
int mouseHit(int button);
// Wheel steps since the last call: positive away from the player (up),
// negative towards. Reading clears them.
int mouseWheel();
int getChar();
void flushKeys();
int printScreenDown();
int appSuspended();
int appTerminate();

// Drains pending window events into the input state. flipFrame calls it;
// blocking waits (the splash) call it too.
void pollSystemEvents();

// Direct feeds of the input state, used by the back-ends and by tests.
void inputKeyEvent(int key, bool down);
// A game-controller source (button or stick direction) pressing or letting go
// of a key. Each held source counts, so the keyboard and a pad holding the
// same key do not release each other.
void inputPadKey(int key, bool down);
void inputMouseMove(int x, int y);
void inputMouseButton(int button, bool down);
void inputMouseWheel(int steps);
void inputChar(int code);
void inputFocus(bool gained);
void inputCloseRequest();
void inputPrintScreen(bool down);
void resetInputState();

}  // namespace qm
