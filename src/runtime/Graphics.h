// Drawing services: the window or headless frame, the drawing state, and
// the primitives every screen of the game draws with. The SDL back-end and
// the headless back-end share all of this code; only the renderer differs.
#pragma once
#include <memory>
#include <string>

namespace qm {

struct TImage;
using ImagePtr = std::shared_ptr<TImage>;

// Blend modes, as the game passes them.
enum BlendMode : int { BLEND_MASK = 1, BLEND_SOLID = 2, BLEND_ALPHA = 3, BLEND_LIGHT = 4, BLEND_SHADE = 5 };

// Opens the 800 x 600 frame: depth 32 asks for full screen, 0 for a window.
// In headless mode nothing is shown; the frame lives in memory.
bool openGraphics(int width, int height, int depth, int hz, int flags);
void closeGraphics();
bool graphicsAreOpen();
// Presents the frame. In headless mode this advances the virtual clock to the
// next multiple of 1000/60 ms and feeds the script's events for this flip.
void flipFrame(int sync);
// How many frames have been flipped since the runtime started.
int flipCount();

void setColour(int r, int g, int b);
void setAlpha(float a);
void setBlend(int mode);
void setRotation(float degrees);
void setScale(float sx, float sy);
void setOrigin(float x, float y);
int colourRed();
int colourGreen();
int colourBlue();
float getAlpha();
int getBlend();
float getRotation();
float originX();
float originY();

void drawImage(const ImagePtr& image, float x, float y, int frame = 0);
void tileImage(const ImagePtr& image, float x, float y, int frame = 0);
void drawRect(float x, float y, float w, float h);
void drawLine(float x1, float y1, float x2, float y2, bool lastPixel);
// Built-in 8 x 16 font, character codes 32..127.
void drawText(const std::string& text, float x, float y);
// Clears the frame to black (used before drawing a frame from scratch).
void clearFrame();

// Window helpers (no-ops in headless mode).
void setWindowTitle(const std::string& title);
void setWindowIcon(const std::string& icoPath);
bool windowMaximised();
bool isFullscreen();

}  // namespace qm
