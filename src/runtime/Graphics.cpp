// The frame the game draws on: a window with a renderer (drawing into an
// 800 x 600 target texture that is letterboxed onto the window), or, headless,
// a software renderer on a surface in memory. Flipping presents the frame,
// advances the virtual clock and feeds the script.
#include "Graphics.h"

#include <SDL.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <thread>

#include "Backend.h"
#include "Clock.h"
#include "Files.h"
#include "FrameComposer.h"
#include "Image.h"
#include "Input.h"
#include "Script.h"

namespace qm {

namespace {

struct Frame {
    SDL_Window* window = nullptr;
    SDL_Renderer* renderer = nullptr;
    SDL_Surface* surface = nullptr;  // headless frame
    SDL_Texture* target = nullptr;   // window frame, letterboxed on present
    SDL_Texture* keptPicture = nullptr;  // window: a copy of the target
    std::vector<uint32_t> keptPixels;    // headless: a copy of the surface
    // The frame blown up by a whole factor, then smoothed to the window: a
    // scale such as 1.6 keeps every stroke the same width.
    SDL_Texture* sharp = nullptr;
    int sharpFactor = 0;
    int width = 800, height = 600;
    int hz = 60;
    bool fullscreen = false;
    int vsync = 1;
    bool software = false;
} frame;

uint64_t generation = 1;
bool isOpen = false;
int flips = 0;
int32_t lastPacedFlip = 0;
bool presentNeeded = true;
// When the next frame is due, for flips that present nothing or whose
// present does not wait for the display.
std::chrono::steady_clock::time_point nextFrameDue{};
std::string title = "Quillmere";
std::string iconPath;

// Where the frame lands in the window: scaled to fit, centred, aspect kept.
SDL_Rect letterbox() {
    int ow = frame.width, oh = frame.height;
    if (frame.renderer) SDL_GetRendererOutputSize(frame.renderer, &ow, &oh);
    double scale = std::min(double(ow) / frame.width, double(oh) / frame.height);
    int w = int(frame.width * scale + 0.5), h = int(frame.height * scale + 0.5);
    return SDL_Rect{(ow - w) / 2, (oh - h) / 2, w, h};
}

void applyIcon() {
    if (!frame.window || iconPath.empty()) return;
    std::vector<uint8_t> bytes;
    Pixmap icon;
    if (!readWholeFile(iconPath, bytes) || !decodeIco(bytes, icon)) return;
    SDL_Surface* s = SDL_CreateRGBSurfaceWithFormatFrom(icon.pixels.data(), icon.width, icon.height, 32,
                                                        icon.width * 4, SDL_PIXELFORMAT_ARGB8888);
    if (!s) return;
    SDL_SetWindowIcon(frame.window, s);
    SDL_FreeSurface(s);
}

bool openHeadless(int width, int height) {
    frame.surface = SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_ARGB8888);
    if (!frame.surface) return false;
    frame.renderer = SDL_CreateSoftwareRenderer(frame.surface);
    return frame.renderer != nullptr;
}

bool openWindow(int width, int height) {
#ifdef __EMSCRIPTEN__
    // The page scales the canvas to its window; the canvas keeps the frame's
    // size. Full screen is the page's (the browser answers it later).
    Uint32 flags = 0;
    if (frame.fullscreen != Backend::pageFullscreen()) Backend::requestPageFullscreen(frame.fullscreen);
#else
    Uint32 flags = SDL_WINDOW_RESIZABLE | (frame.fullscreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
#endif
    frame.window = SDL_CreateWindow(title.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, width, height, flags);
    if (!frame.window) return false;
    SDL_SetWindowMinimumSize(frame.window, width / 4, height / 4);
#ifdef __EMSCRIPTEN__
    frame.renderer = SDL_CreateRenderer(frame.window, -1,
                                        SDL_RENDERER_ACCELERATED | SDL_RENDERER_PRESENTVSYNC | SDL_RENDERER_TARGETTEXTURE);
#else
    // SDL's software renderer, whose window pixels go to the screen as they
    // are. Frames that change little cost it little, and an OpenGL driver
    // would cost more: some 60 MB of memory before it draws a thing, and,
    // where it draws on the processor (a virtual X server, no graphics
    // driver), three times the time. SDL_RENDER_DRIVER still chooses another.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    frame.renderer = SDL_CreateRenderer(frame.window, -1, SDL_RENDERER_SOFTWARE | SDL_RENDERER_TARGETTEXTURE);
#endif
    if (!frame.renderer) frame.renderer = SDL_CreateRenderer(frame.window, -1, SDL_RENDERER_SOFTWARE);
    if (!frame.renderer) return false;
    frame.vsync = 1;
    frame.target = SDL_CreateTexture(frame.renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_TARGET, width, height);
    if (!frame.target) return false;
    SDL_SetTextureScaleMode(frame.target, SDL_ScaleModeNearest);
    SDL_SetRenderTarget(frame.renderer, frame.target);
    applyIcon();
    return true;
}

// Nearest-neighbour scaling by a whole factor is exact; by any other factor it
// doubles some columns and rows and not others, and letters break. Then the
// frame goes through a texture a whole factor larger (nearest) and is smoothed
// from there to the window (linear): sharp, and even. SDL's software renderer
// smooths as well (its linear stretch), and since unchanged frames are never
// presented the cost is paid only while something moves. Null when the box is
// a whole multiple of the frame.
SDL_Texture* sharpened(const SDL_Rect& box) {
    bool whole = box.w % frame.width == 0 && box.h % frame.height == 0 && box.w / frame.width == box.h / frame.height;
    if (whole) return nullptr;
    double scale = double(box.w) / frame.width;
    int factor = std::clamp(int(scale) + 1, 2, 4);
    if (frame.sharp && frame.sharpFactor == factor) return frame.sharp;
    if (frame.sharp) SDL_DestroyTexture(frame.sharp);
    frame.sharp = SDL_CreateTexture(frame.renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_TARGET,
                                    frame.width * factor, frame.height * factor);
    frame.sharpFactor = frame.sharp ? factor : 0;
    if (frame.sharp) {
        SDL_SetTextureScaleMode(frame.sharp, SDL_ScaleModeLinear);
        SDL_SetTextureBlendMode(frame.sharp, SDL_BLENDMODE_NONE);
    }
    return frame.sharp;
}

void presentWindow(int sync) {
    if (sync != -1 && (sync ? 1 : 0) != frame.vsync) {
        frame.vsync = sync ? 1 : 0;
        SDL_RenderSetVSync(frame.renderer, frame.vsync);
    }
    SDL_SetRenderTarget(frame.renderer, nullptr);
    SDL_SetRenderDrawColor(frame.renderer, 0, 0, 0, 255);
    SDL_RenderClear(frame.renderer);
    SDL_Rect box = letterbox();
    SDL_SetTextureBlendMode(frame.target, SDL_BLENDMODE_NONE);
    SDL_SetTextureColorMod(frame.target, 255, 255, 255);
    SDL_SetTextureAlphaMod(frame.target, 255);
    SDL_Texture* shown = frame.target;
    if (SDL_Texture* sharp = sharpened(box)) {
        SDL_SetRenderTarget(frame.renderer, sharp);
        SDL_RenderCopy(frame.renderer, frame.target, nullptr, nullptr);
        SDL_SetRenderTarget(frame.renderer, nullptr);
        shown = sharp;
    }
    SDL_RenderCopy(frame.renderer, shown, nullptr, &box);
    SDL_RenderPresent(frame.renderer);
    SDL_SetRenderTarget(frame.renderer, frame.target);
    if (sync == -1) {
        // Pace to the rate asked for at open, on the millisecond clock.
        int32_t due = lastPacedFlip + 1000 / std::max(frame.hz, 1);
        int32_t wait = due - millisecs();
        if (wait > 0) delayMs(wait);
        lastPacedFlip = millisecs();
    }
}

// Holds the loop to the display's rate when the flip did not: a present that
// returns at once (no retrace to wait for, as in a virtual X server) or one
// skipped. Sleeps to the due time, not a fixed time, so frames stay 1/hz apart.
void waitForFrameDue() {
#ifndef __EMSCRIPTEN__  // the page waits for its animation frame instead
    using namespace std::chrono;
    auto period = duration_cast<steady_clock::duration>(duration<double>(1.0 / std::max(frame.hz, 1)));
    auto now = steady_clock::now();
    nextFrameDue += period;
    // Late by more than a frame (a stall, a long frame): start counting afresh.
    if (nextFrameDue + period < now || nextFrameDue > now + 2 * period) nextFrameDue = now;
    else std::this_thread::sleep_until(nextFrameDue);
#endif
}

}  // namespace

void Backend::requestPresent() { presentNeeded = true; }

bool Backend::keepFramePicture() {
    if (!frame.renderer) return false;
    if (frame.surface) {
        SDL_RenderFlush(frame.renderer);
        const auto* pixels = static_cast<const uint32_t*>(frame.surface->pixels);
        if (frame.surface->pitch != frame.width * 4) return false;
        frame.keptPixels.assign(pixels, pixels + size_t(frame.width) * size_t(frame.height));
        return true;
    }
    if (!frame.target) return false;
    if (!frame.keptPicture) {
        frame.keptPicture = SDL_CreateTexture(frame.renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_TARGET,
                                              frame.width, frame.height);
        if (!frame.keptPicture) return false;
    }
    SDL_SetTextureBlendMode(frame.target, SDL_BLENDMODE_NONE);
    SDL_SetTextureColorMod(frame.target, 255, 255, 255);
    SDL_SetTextureAlphaMod(frame.target, 255);
    bool ok = SDL_SetRenderTarget(frame.renderer, frame.keptPicture) == 0 &&
              SDL_RenderCopy(frame.renderer, frame.target, nullptr, nullptr) == 0;
    SDL_SetRenderTarget(frame.renderer, frame.target);
    return ok;
}

bool Backend::restoreFramePicture() {
    if (!frame.renderer) return false;
    if (frame.surface) {
        if (frame.keptPixels.size() != size_t(frame.width) * size_t(frame.height)) return false;
        SDL_RenderFlush(frame.renderer);
        std::memcpy(frame.surface->pixels, frame.keptPixels.data(), frame.keptPixels.size() * 4);
        return true;
    }
    if (!frame.keptPicture) return false;
    SDL_SetTextureBlendMode(frame.keptPicture, SDL_BLENDMODE_NONE);
    SDL_SetTextureColorMod(frame.keptPicture, 255, 255, 255);
    SDL_SetTextureAlphaMod(frame.keptPicture, 255);
    return SDL_RenderCopy(frame.renderer, frame.keptPicture, nullptr, nullptr) == 0;
}

std::string currentWindowTitle() { return title; }
SDL_Renderer* Backend::renderer() { return frame.renderer; }
uint64_t Backend::rendererGeneration() { return generation; }
SDL_Window* Backend::window() { return frame.window; }
bool Backend::softwareRenderer() { return frame.renderer && frame.software; }

void Backend::resetGraphicsState() {
    resetDrawState();
    flips = 0;
}

void Backend::windowToFrame(int wx, int wy, int& fx, int& fy) {
    SDL_Rect box = letterbox();
    int ww = 0, wh = 0, ow = 0, oh = 0;
    if (frame.window) SDL_GetWindowSize(frame.window, &ww, &wh);
    if (frame.renderer) SDL_GetRendererOutputSize(frame.renderer, &ow, &oh);
    // Window points to output pixels (they differ on high-density screens).
    double px = ww > 0 ? double(wx) * ow / ww : wx, py = wh > 0 ? double(wy) * oh / wh : wy;
    double x = box.w > 0 ? (px - box.x) * frame.width / box.w : px;
    double y = box.h > 0 ? (py - box.y) * frame.height / box.h : py;
    fx = std::clamp(int(x), 0, frame.width - 1);
    fy = std::clamp(int(y), 0, frame.height - 1);
}

bool openGraphics(int width, int height, int depth, int hz, int flags) {
    if (isOpen) closeGraphics();
    frame.width = width > 0 ? width : 800;
    frame.height = height > 0 ? height : 600;
    frame.hz = hz > 0 ? hz : 60;
    frame.fullscreen = depth == 32;
    ++generation;
    FrameComposer::reset();
    presentNeeded = true;
    bool ok = Backend::headless() ? openHeadless(frame.width, frame.height) : openWindow(frame.width, frame.height);
    if (!ok) {
        std::fprintf(stderr, "quillmere: graphics could not be opened: %s\n", SDL_GetError());
        closeGraphics();
        return false;
    }
    isOpen = true;
    SDL_RendererInfo info{};
    frame.software = frame.surface || (SDL_GetRendererInfo(frame.renderer, &info) == 0 &&
                                       (info.flags & SDL_RENDERER_SOFTWARE) != 0);
    clearFrame();
    lastPacedFlip = millisecs();
    nextFrameDue = std::chrono::steady_clock::now();
    return true;
}

void closeGraphics() {
    // Textures die with their renderer; a new generation stops anyone using them.
    ++generation;
    FrameComposer::reset();
    if (frame.keptPicture) SDL_DestroyTexture(frame.keptPicture);
    if (frame.sharp) SDL_DestroyTexture(frame.sharp);
    frame.sharp = nullptr;
    frame.sharpFactor = 0;
    if (frame.target) SDL_DestroyTexture(frame.target);
    if (frame.renderer) SDL_DestroyRenderer(frame.renderer);
    if (frame.window) SDL_DestroyWindow(frame.window);
    if (frame.surface) SDL_FreeSurface(frame.surface);
    frame.target = nullptr;
    frame.keptPicture = nullptr;
    frame.keptPixels = std::vector<uint32_t>();
    frame.renderer = nullptr;
    frame.window = nullptr;
    frame.surface = nullptr;
    isOpen = false;
}

bool graphicsAreOpen() { return isOpen; }

void flipFrame(int sync) {
    int number = flips + 1;
    bool changed = isOpen ? FrameComposer::compose() : true;
    Backend::takeScriptShots(number);
    if (isOpen && frame.window) {
        // The window still shows this very picture: presenting it again is
        // work for nothing (the page, too, keeps its canvas as it was).
        if (changed || presentNeeded) presentWindow(sync);
        presentNeeded = false;
        Backend::waitForDisplay();
        if (sync != -1) waitForFrameDue();
    }
    if (isOpen && frame.surface) SDL_RenderFlush(frame.renderer);
    flips = number;
    if (Backend::headless()) Backend::advanceToNextFrame();
    pollSystemEvents();
    applyScriptEvents(flips);
    if (flips == Backend::maxFrames()) inputCloseRequest();
}

int flipCount() { return flips; }

Pixmap readFramePixels(int x, int y, int w, int h) {
    Pixmap out;
    if (w <= 0 || h <= 0) return out;
    out.width = w;
    out.height = h;
    out.pixels.assign(size_t(w) * size_t(h), 0xFF000000u);
    if (!frame.renderer) return out;
    SDL_Rect want{x, y, w, h}, all{0, 0, frame.width, frame.height}, clip;
    if (!SDL_IntersectRect(&want, &all, &clip)) return out;
    FrameComposer::drawPending();
    std::vector<uint32_t> rows(size_t(clip.w) * size_t(clip.h));
    if (frame.surface) {
        SDL_RenderFlush(frame.renderer);
        SDL_LockSurface(frame.surface);
        for (int r = 0; r < clip.h; ++r) {
            const auto* src = reinterpret_cast<const uint8_t*>(frame.surface->pixels) +
                              size_t(clip.y + r) * size_t(frame.surface->pitch) + size_t(clip.x) * 4;
            std::memcpy(rows.data() + size_t(r) * size_t(clip.w), src, size_t(clip.w) * 4);
        }
        SDL_UnlockSurface(frame.surface);
    } else if (SDL_RenderReadPixels(frame.renderer, &clip, SDL_PIXELFORMAT_ARGB8888, rows.data(), clip.w * 4) != 0) {
        return out;
    }
    // The frame has no see-through parts: grabs are opaque.
    for (int r = 0; r < clip.h; ++r)
        for (int c = 0; c < clip.w; ++c)
            out.pixels[size_t(clip.y - y + r) * size_t(w) + size_t(clip.x - x + c)] =
                rows[size_t(r) * size_t(clip.w) + size_t(c)] | 0xFF000000u;
    return out;
}

Pixmap grabFrame() {
    if (!isOpen) return {};
    return readFramePixels(0, 0, frame.width, frame.height);
}

void setWindowTitle(const std::string& text) {
    title = text;
    if (frame.window) SDL_SetWindowTitle(frame.window, title.c_str());
}

void setWindowIcon(const std::string& icoPath) {
    iconPath = icoPath;
    applyIcon();
}

bool windowMaximised() {
    return frame.window && (SDL_GetWindowFlags(frame.window) & SDL_WINDOW_MAXIMIZED) != 0;
}

#ifdef __EMSCRIPTEN__
// The page's own state: the player may leave full screen by the browser's way.
bool isFullscreen() { return isOpen && (Backend::headless() ? frame.fullscreen : Backend::pageFullscreen()); }
#else
bool isFullscreen() { return isOpen && frame.fullscreen; }
#endif

}  // namespace qm
