// Polled input state. Window events (SDL) and scripted events feed the same
// functions, so a scripted run exercises exactly the code a player does.
#include "Input.h"

#include <SDL.h>

#include <algorithm>
#include <array>
#include <deque>

#include "Backend.h"
#include "GameControllers.h"
#include "KeyMap.h"
#include "TouchGestures.h"

namespace qm {

namespace {

struct InputState {
    std::array<bool, 256> keyIsDown{};
    // Who holds each key: the keyboard (or a script) and a count of pad sources.
    std::array<bool, 256> keyboardHolds{};
    std::array<int, 256> padHolds{};
    std::array<int, 256> keyHits{};
    std::array<bool, 4> buttonIsDown{};
    std::array<int, 4> buttonHits{};
    int wheel = 0;
    std::deque<int> chars;
    int pointerX = 0, pointerY = 0;
    bool focusLost = false, minimised = false;
    bool closeRequested = false;
    bool printScreen = false;
} in;

TouchGestures touch;

bool validKey(int key) { return key > 0 && key < 256; }
bool validButton(int button) { return button >= 1 && button <= 3; }

}  // namespace

int keyDown(int key) { return validKey(key) && in.keyIsDown[size_t(key)] ? 1 : 0; }

int keyHit(int key) {
    if (!validKey(key)) return 0;
    int hits = in.keyHits[size_t(key)];
    in.keyHits[size_t(key)] = 0;
    return hits;
}

int mouseX() { return in.pointerX; }
int mouseY() { return in.pointerY; }
int mouseDown(int button) { return validButton(button) && in.buttonIsDown[size_t(button)] ? 1 : 0; }

int mouseHit(int button) {
    if (!validButton(button)) return 0;
    int hits = in.buttonHits[size_t(button)];
    in.buttonHits[size_t(button)] = 0;
    return hits;
}

int mouseWheel() {
    int steps = in.wheel;
    in.wheel = 0;
    return steps;
}

int getChar() {
    if (in.chars.empty()) return 0;
    int c = in.chars.front();
    in.chars.pop_front();
    return c;
}

void flushKeys() {
    in.keyIsDown.fill(false);
    in.keyHits.fill(0);
    in.chars.clear();
}

#ifdef __EMSCRIPTEN__
// A screenshot would land in the page's storage, out of the player's reach.
int printScreenDown() { return 0; }
#else
int printScreenDown() { return in.printScreen ? 1 : 0; }
#endif
int appSuspended() { return in.focusLost || in.minimised ? 1 : 0; }

int appTerminate() {
    bool was = in.closeRequested;
    in.closeRequested = false;
    return was ? 1 : 0;
}

namespace {

// A press counts as a hit only when the key was up; a release leaves the key
// down while another source still holds it. A release never raises a key that
// a flush cleared.
void applyKeyChange(int key, bool down) {
    size_t k = size_t(key);
    if (down) {
        if (!in.keyIsDown[k]) ++in.keyHits[k];
        in.keyIsDown[k] = true;
    } else {
        in.keyIsDown[k] = in.keyIsDown[k] && (in.keyboardHolds[k] || in.padHolds[k] > 0);
    }
}

}  // namespace

void inputKeyEvent(int key, bool down) {
    if (!validKey(key)) return;
    in.keyboardHolds[size_t(key)] = down;
    applyKeyChange(key, down);
    if (key == VK_PRINTSCREEN) in.printScreen = down;
}

void inputPadKey(int key, bool down) {
    if (!validKey(key)) return;
    int& holds = in.padHolds[size_t(key)];
    holds = down ? holds + 1 : (holds > 0 ? holds - 1 : 0);
    applyKeyChange(key, down);
}

void inputMouseMove(int x, int y) {
    in.pointerX = x;
    in.pointerY = y;
}

void inputMouseButton(int button, bool down) {
    if (!validButton(button)) return;
    if (down && !in.buttonIsDown[size_t(button)]) ++in.buttonHits[size_t(button)];
    in.buttonIsDown[size_t(button)] = down;
}

void inputMouseWheel(int steps) {
    // Bounded, so a wheel spun while nobody reads cannot overflow.
    in.wheel = std::clamp(in.wheel + steps, -1000, 1000);
}

void inputChar(int code) {
    if (code <= 0) return;
    // A forgotten poller must not let the queue grow without bound.
    if (in.chars.size() >= 256) in.chars.pop_front();
    in.chars.push_back(code);
}

void inputFocus(bool gained) { in.focusLost = !gained; }
void inputCloseRequest() { in.closeRequested = true; }
void inputPrintScreen(bool down) { in.printScreen = down; }
void resetInputState() {
    in = InputState{};
    touch.reset();
    GameControllers::forgetHeldSources();
}
void Backend::resetInput() { resetInputState(); }

void pollSystemEvents() {
    if (Backend::headless() || !SDL_WasInit(SDL_INIT_EVENTS)) return;
    touch.poll();
    SDL_Event e;
    while (SDL_PollEvent(&e)) {
        switch (e.type) {
        case SDL_QUIT:
            inputCloseRequest();
            break;
        case SDL_KEYDOWN:
        case SDL_KEYUP: {
            bool down = e.type == SDL_KEYDOWN;
            int vk = KeyMap::virtualKey(e.key.keysym.sym, e.key.keysym.scancode);
            if (vk == VK_PRINTSCREEN) {
                inputPrintScreen(down);
                inputKeyEvent(vk, down);
                break;
            }
            if (!e.key.repeat) inputKeyEvent(vk, down);
            // Keys that type a control character; text input brings the rest.
            if (down && (vk == VK_ENTER || vk == VK_ESCAPE || vk == VK_BACKSPACE)) inputChar(vk);
            break;
        }
        case SDL_TEXTINPUT: {
            // UTF-8 to code points; the game's texts stay within Latin-1.
            const unsigned char* s = reinterpret_cast<const unsigned char*>(e.text.text);
            while (*s) {
                int code = *s++;
                int extra = code >= 0xF0 ? 3 : code >= 0xE0 ? 2 : code >= 0xC0 ? 1 : 0;
                if (extra) code &= 0x3F >> extra;
                for (; extra > 0 && (*s & 0xC0) == 0x80; --extra) code = (code << 6) | (*s++ & 0x3F);
                inputChar(code);
            }
            break;
        }
        case SDL_FINGERDOWN:
        case SDL_FINGERUP: {
            // Finger positions come as shares of the window.
            int ww = 0, wh = 0, fx, fy;
            if (Backend::window()) SDL_GetWindowSize(Backend::window(), &ww, &wh);
            Backend::windowToFrame(int(e.tfinger.x * ww), int(e.tfinger.y * wh), fx, fy);
            if (e.type == SDL_FINGERDOWN) touch.fingerDown(e.tfinger.fingerId, fx, fy);
            else touch.fingerUp(e.tfinger.fingerId, fx, fy);
            break;
        }
        case SDL_MOUSEMOTION: {
            if (e.motion.which == SDL_TOUCH_MOUSEID) break;  // a touch, read above
            int fx, fy;
            Backend::windowToFrame(e.motion.x, e.motion.y, fx, fy);
            inputMouseMove(fx, fy);
            break;
        }
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP: {
            if (e.button.which == SDL_TOUCH_MOUSEID) break;
            int button = e.button.button == SDL_BUTTON_LEFT ? 1 : e.button.button == SDL_BUTTON_RIGHT ? 2
                         : e.button.button == SDL_BUTTON_MIDDLE                                     ? 3
                                                                                                    : 0;
            int fx, fy;
            Backend::windowToFrame(e.button.x, e.button.y, fx, fy);
            inputMouseMove(fx, fy);
            inputMouseButton(button, e.type == SDL_MOUSEBUTTONDOWN);
            break;
        }
        case SDL_MOUSEWHEEL: {
            int steps = e.wheel.y;
            if (e.wheel.direction == SDL_MOUSEWHEEL_FLIPPED) steps = -steps;
            inputMouseWheel(steps);
            break;
        }
        case SDL_CONTROLLERDEVICEADDED:
        case SDL_CONTROLLERDEVICEREMOVED:
        case SDL_CONTROLLERBUTTONDOWN:
        case SDL_CONTROLLERBUTTONUP:
        case SDL_CONTROLLERAXISMOTION:
            GameControllers::handleEvent(e);
            break;
        case SDL_WINDOWEVENT:
            switch (e.window.event) {
            case SDL_WINDOWEVENT_FOCUS_LOST: inputFocus(false); break;
            case SDL_WINDOWEVENT_FOCUS_GAINED: inputFocus(true); break;
            case SDL_WINDOWEVENT_MINIMIZED: in.minimised = true; break;
            case SDL_WINDOWEVENT_RESTORED:
            case SDL_WINDOWEVENT_MAXIMIZED:
            case SDL_WINDOWEVENT_SHOWN:
                in.minimised = false;
                Backend::requestPresent();
                break;
            case SDL_WINDOWEVENT_EXPOSED:
            case SDL_WINDOWEVENT_SIZE_CHANGED: Backend::requestPresent(); break;
            case SDL_WINDOWEVENT_CLOSE: inputCloseRequest(); break;
            default: break;
            }
            break;
        default:
            break;
        }
    }
}

}  // namespace qm
