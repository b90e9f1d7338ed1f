// SDL key events to Windows virtual-key codes, the numbers the game asks for.
#pragma once
#include <SDL.h>

namespace qm {

class KeyMap {
public:
    // 0 when the key has no virtual-key code the game could ask for.
    static int virtualKey(SDL_Keycode sym, SDL_Scancode scancode);
};

}  // namespace qm
