// The input flags of one pass of the play loop, read by the ball, the editor
// and the button bar; cleared at the start of every pass.
#pragma once

namespace qm {

class PlayInput {
public:
    static int up, down, left, right;
    static int restart, skip, menuRequest;
    static int buttonCode;
    static int mouseX, mouseY, lastMouseX, lastMouseY;
    static int idleFrames, mouseIdle;

    static void pollInput();
    static void resetInput();
    static void resetInputAndFlush();
    static int isMouseIdle() { return mouseIdle; }
    // Back to the start-of-program values (tests).
    static void resetAll();
};

}  // namespace qm
