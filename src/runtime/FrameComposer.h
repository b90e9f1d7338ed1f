// Composes each frame from the list of its drawing calls when it is flipped.
// A frame whose calls equal the last frame's is the same picture: it is not
// composed again, and the window is not presented again. A frame that begins
// with the same calls as the last starts from a kept picture of that shared
// beginning (the board behind a rolling ball) and draws only the rest. Only
// frames that begin by clearing qualify, since only they do not depend on
// what was there before. The pixels are always the ones that drawing every
// call in order would give.
#pragma once
#include <cstdint>

#include "DrawCommand.h"

namespace qm {

class FrameComposer {
public:
    // Draws the call now (graphics closed, reuse off) or keeps it for the flip.
    static void submit(DrawCommand&& command);
    // At the flip: draws what the frame still needs. False when the frame
    // is the picture composed last, so nothing was drawn.
    static bool compose();
    // Before the frame's pixels are read between flips: draws every call
    // kept so far, so the reader sees them.
    static void drawPending();
    // Forgets every kept call and picture (graphics opened or closed).
    static void reset();
    // On by default; off draws every call as it is made, as a reference.
    static void setReuse(bool on);
    static bool reuse();

    // What the flips did since the last reset, for tests and benchmarks.
    struct Counts {
        int64_t whole = 0;    // composed from the start
        int64_t resumed = 0;  // from a kept picture of their beginning
        int64_t reused = 0;   // the same picture as the frame before
    };
    static Counts counts();
};

}  // namespace qm
