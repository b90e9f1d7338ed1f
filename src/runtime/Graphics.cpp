// Drawing services (first cut: state only; drawing arrives next).
#include "Graphics.h"

#include <SDL.h>

#include <algorithm>
#include <cmath>

#include "Backend.h"
#include "Image.h"
#include "Input.h"
#include "Script.h"

namespace qm {

namespace {
struct DrawState {
    int r = 255, g = 255, b = 255;
    uint8_t alpha = 255;
    int blend = BLEND_SOLID;
    float rotation = 0, scaleX = 1, scaleY = 1, originX = 0, originY = 0;
} ds;
bool open = false;
bool fullscreen = false;
int flips = 0;
std::string title;
}  // namespace

std::string currentWindowTitle() { return title; }
SDL_Renderer* Backend::renderer() { return nullptr; }
uint64_t Backend::rendererGeneration() { return 0; }
SDL_Window* Backend::window() { return nullptr; }
void Backend::resetGraphicsState() {
    ds = DrawState{};
    flips = 0;
}
void Backend::windowToFrame(int wx, int wy, int& fx, int& fy) {
    fx = wx;
    fy = wy;
}

bool openGraphics(int, int, int depth, int, int) {
    open = true;
    fullscreen = depth == 32;
    return true;
}
void closeGraphics() { open = false; }
bool graphicsAreOpen() { return open; }
void flipFrame(int sync) {
    Backend::takeScriptShots(flips + 1);
    ++flips;
    if (Backend::headless()) Backend::advanceToNextFrame();
    pollSystemEvents();
    applyScriptEvents(flips);
    if (flips == Backend::maxFrames()) inputCloseRequest();
}
int flipCount() { return flips; }

void setColour(int r, int g, int b) {
    ds.r = std::clamp(r, 0, 255);
    ds.g = std::clamp(g, 0, 255);
    ds.b = std::clamp(b, 0, 255);
}
void setAlpha(float a) {
    if (!(a >= 0.0f)) a = 0.0f;
    ds.alpha = uint8_t(std::lround(std::min(a, 1.0f) * 255.0f));
}
void setBlend(int mode) { ds.blend = mode; }
void setRotation(float d) { ds.rotation = d; }
void setScale(float sx, float sy) {
    ds.scaleX = sx;
    ds.scaleY = sy;
}
void setOrigin(float x, float y) {
    ds.originX = x;
    ds.originY = y;
}
int colourRed() { return ds.r; }
int colourGreen() { return ds.g; }
int colourBlue() { return ds.b; }
float getAlpha() { return ds.alpha / 255.0f; }
int getBlend() { return ds.blend; }
float getRotation() { return ds.rotation; }
float getScaleX() { return ds.scaleX; }
float getScaleY() { return ds.scaleY; }
float originX() { return ds.originX; }
float originY() { return ds.originY; }

void drawImage(const ImagePtr&, float, float, int) {}
void tileImage(const ImagePtr&, float, float, int) {}
void drawRect(float, float, float, float) {}
void drawLine(float, float, float, float, bool) {}
void drawText(const std::string&, float, float) {}
void clearFrame() {}
void setWindowTitle(const std::string& t) { title = t; }
void setWindowIcon(const std::string&) {}
bool windowMaximised() { return false; }
bool isFullscreen() { return fullscreen; }
const uint8_t* Backend::glyphRows(int) {
    static const uint8_t blank[16] = {};
    return blank;
}

}  // namespace qm
