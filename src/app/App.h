// The program's start-up sequence, the game, and the exit sequence.
#pragma once

namespace qm {

class App {
public:
    // Runs the whole program once the runtime is up; returns the exit code.
    static int run();
};

}  // namespace qm
