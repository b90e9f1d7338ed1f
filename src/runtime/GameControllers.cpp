// Game controllers through SDL's controller API. Every button and stick
// direction is a separate source of a key press; Input counts the sources so
// a pad and the keyboard holding the same key never release each other.
#include "GameControllers.h"

#include <SDL.h>

#include <array>
#include <map>

#include "Input.h"

namespace qm {

namespace {

enum StickDirection { StickLeft, StickRight, StickUp, StickDown, StickDirections };

struct PadState {
    SDL_GameController* handle = nullptr;
    std::array<bool, SDL_CONTROLLER_BUTTON_MAX> buttons{};
    std::array<bool, StickDirections> stick{};
};

// Keyed by joystick instance id; button and axis events name the pad that way.
std::map<SDL_JoystickID, PadState> pads;
bool subsystemStarted = false;

const int stickKeys[StickDirections] = {VK_LEFT, VK_RIGHT, VK_UP, VK_DOWN};

void setSource(bool& held, bool down, int key) {
    if (held == down || key == 0) return;
    held = down;
    inputPadKey(key, down);
    // Enter and Escape type their control character, as on the keyboard.
    if (down && (key == VK_ENTER || key == VK_ESCAPE)) inputChar(key);
}

// One axis drives the two opposite directions; hysteresis between the press
// and release marks makes one push one key press.
void moveAxis(PadState& pad, int value, StickDirection negative, StickDirection positive) {
    auto follow = [&](StickDirection dir, int deflection) {
        bool held = pad.stick[size_t(dir)];
        bool down = held ? deflection > GameControllers::stickRelease : deflection > GameControllers::stickPress;
        setSource(pad.stick[size_t(dir)], down, stickKeys[dir]);
    };
    follow(negative, -value);
    follow(positive, value);
}

void releaseAll(PadState& pad) {
    for (size_t b = 0; b < pad.buttons.size(); ++b)
        setSource(pad.buttons[b], false, GameControllers::keyForButton(int(b)));
    for (size_t d = 0; d < pad.stick.size(); ++d) setSource(pad.stick[d], false, stickKeys[d]);
}

void openDevice(int deviceIndex) {
    if (!subsystemStarted || !SDL_IsGameController(deviceIndex)) return;
    SDL_JoystickID id = SDL_JoystickGetDeviceInstanceID(deviceIndex);
    if (id < 0 || (pads.count(id) && pads[id].handle)) return;  // already open (added at start and again by event)
    SDL_GameController* handle = SDL_GameControllerOpen(deviceIndex);
    if (!handle) return;
    pads[id].handle = handle;
}

}  // namespace

int GameControllers::keyForButton(int button) {
    switch (button) {
    case SDL_CONTROLLER_BUTTON_DPAD_LEFT: return VK_LEFT;
    case SDL_CONTROLLER_BUTTON_DPAD_RIGHT: return VK_RIGHT;
    case SDL_CONTROLLER_BUTTON_DPAD_UP: return VK_UP;
    case SDL_CONTROLLER_BUTTON_DPAD_DOWN: return VK_DOWN;
    case SDL_CONTROLLER_BUTTON_A: return VK_ENTER;
    case SDL_CONTROLLER_BUTTON_B:
    case SDL_CONTROLLER_BUTTON_START: return VK_ESCAPE;
    case SDL_CONTROLLER_BUTTON_X: return 'R';
    case SDL_CONTROLLER_BUTTON_Y: return 'S';
    case SDL_CONTROLLER_BUTTON_BACK: return 'L';
    default: return 0;
    }
}

bool GameControllers::open() {
    if (!subsystemStarted) {
        if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) return false;
        subsystemStarted = true;
    }
    for (int i = 0; i < SDL_NumJoysticks(); ++i) openDevice(i);
    return true;
}

void GameControllers::close() {
    for (auto& [id, pad] : pads) {
        releaseAll(pad);
        if (pad.handle) SDL_GameControllerClose(pad.handle);
    }
    pads.clear();
    if (subsystemStarted) SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
    subsystemStarted = false;
}

int GameControllers::openCount() {
    int n = 0;
    for (auto& [id, pad] : pads) n += pad.handle ? 1 : 0;
    return n;
}

bool GameControllers::handleEvent(const SDL_Event& e) {
    switch (e.type) {
    case SDL_CONTROLLERDEVICEADDED:
        openDevice(e.cdevice.which);
        return true;
    case SDL_CONTROLLERDEVICEREMOVED: {
        // A pad pulled out mid-press must not leave its keys stuck down.
        auto it = pads.find(e.cdevice.which);
        if (it != pads.end()) {
            releaseAll(it->second);
            if (it->second.handle) SDL_GameControllerClose(it->second.handle);
            pads.erase(it);
        }
        return true;
    }
    case SDL_CONTROLLERBUTTONDOWN:
    case SDL_CONTROLLERBUTTONUP: {
        int button = e.cbutton.button;
        if (button < 0 || button >= SDL_CONTROLLER_BUTTON_MAX) return true;
        PadState& pad = pads[e.cbutton.which];
        setSource(pad.buttons[size_t(button)], e.type == SDL_CONTROLLERBUTTONDOWN, keyForButton(button));
        return true;
    }
    case SDL_CONTROLLERAXISMOTION: {
        PadState& pad = pads[e.caxis.which];
        if (e.caxis.axis == SDL_CONTROLLER_AXIS_LEFTX) moveAxis(pad, e.caxis.value, StickLeft, StickRight);
        else if (e.caxis.axis == SDL_CONTROLLER_AXIS_LEFTY) moveAxis(pad, e.caxis.value, StickUp, StickDown);
        return true;
    }
    default:
        return false;
    }
}

void GameControllers::forgetHeldSources() {
    for (auto it = pads.begin(); it != pads.end();) {
        // Entries made by events fed without a device go; open pads stay open.
        if (!it->second.handle) {
            it = pads.erase(it);
            continue;
        }
        it->second.buttons.fill(false);
        it->second.stick.fill(false);
        ++it;
    }
}

}  // namespace qm
