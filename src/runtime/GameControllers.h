// Game controllers: buttons and the left stick turned into the same virtual
// keys the keyboard gives, so the game plays with a pad without knowing it.
#pragma once

union SDL_Event;

namespace qm {

class GameControllers {
public:
    // The stick presses a direction past this deflection and lets it go only
    // when it falls back under the release mark, so a wobble at the edge is
    // not a stream of presses.
    static constexpr int stickPress = 16000;
    static constexpr int stickRelease = 12000;

    // Window back-end only: starts SDL's controller support and opens every
    // controller already plugged in. False when controller support is missing
    // (the game goes on with the keyboard).
    static bool open();
    // Closes every open controller and stops controller support.
    static void close();
    static int openCount();

    // Takes one SDL controller event (added, removed, button, axis). Returns
    // true when the event was a controller event. Button and axis events map
    // to keys whether or not a device is open, so they can be fed directly.
    static bool handleEvent(const SDL_Event& e);

    // Forgets which pad sources are held, without touching the key states
    // (the input reset clears those itself).
    static void forgetHeldSources();

    // The virtual key a controller button stands for, 0 for none.
    static int keyForButton(int button);
};

}  // namespace qm
