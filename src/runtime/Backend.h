// Internal glue between the runtime's own files: which back-end is running,
// the current renderer, and the virtual clock. Nothing outside src/runtime
// includes this.
#pragma once
#include <cstdint>
#include <string>

struct SDL_Renderer;
struct SDL_Window;
struct SDL_Texture;

namespace qm {

struct Pixmap;

class Backend {
public:
    // Headless until runtimeInit says otherwise, so tests and tools that never
    // start the runtime still get the virtual clock and no devices.
    static bool headless();

    // The renderer of the open frame (nullptr while graphics are closed).
    // The generation changes whenever a renderer is created, so textures made
    // for an older renderer are recognised and rebuilt.
    static SDL_Renderer* renderer();
    static uint64_t rendererGeneration();
    static SDL_Window* window();
    // Whether the renderer draws in software (always so headless), where
    // turning a picture is dear enough to be worth caching.
    static bool softwareRenderer();

    // Virtual clock, in thirds of a millisecond so that 1000/60 ms is exact.
    static int64_t virtualThirds();
    static void setVirtualThirds(int64_t thirds);
    static void advanceToNextFrame();
    static void resetClock();

    // Headless audio: mixes (and discards) the sound due up to the clock.
    static void stepHeadlessAudio();
    static void startAudio();
    static void stopAudio();

    // Called by flipFrame with the number of the flip being presented,
    // before the picture goes out: the script's screenshots.
    static void takeScriptShots(int flipNumber);
    static void resetScript();
    static int maxFrames();

    static void resetInput();
    // Stops the prefetch workers and drops every file not taken.
    static void resetPrefetch();
    static void resetGraphicsState();
    static void resetDrawState();
    // A copy of the frame as it is now, kept to start a later frame from
    // (FrameComposer); false when it cannot be kept. Restoring puts it back.
    static bool keepFramePicture();
    static bool restoreFramePicture();
    // The window lost its picture (exposed, resized, shown again): the next
    // flip presents even a frame equal to the last.
    static void requestPresent();
    // Maps a window-pixel position to frame pixels (letterboxed frame).
    static void windowToFrame(int wx, int wy, int& fx, int& fy);

    // The browser page (no-ops on the desktop). The frame loops block, so the
    // runtime hands the page its turn: a flip waits for the next animation
    // frame, a sleep for its timer. The working folder is the page's
    // persistent storage, loaded before the game starts; each file written
    // or removed there is stored (or dropped) on its own before the call
    // returns, so closing the tab loses nothing saved and nothing older is
    // written over another file. storeFile is false when the page could not
    // store it (the page then says so in a line of its own).
    static bool mountStorage();
    static bool storeFile(const std::string& path);
    static void waitForDisplay();
    static void sleepInPage(int ms);
    // During long loads: gives the page its turn when the program has held it
    // for a while, so the page keeps drawing.
    static void breathe();
    // The page's full screen: asked for (the answer comes later), and the
    // state in force, or the one asked for until the browser answers.
    static void requestPageFullscreen(bool on);
    static bool pageFullscreen();
    // Where a path lies in the page's file system once the storage is
    // mounted: the game's data folders come with the page, everything else
    // is in the working folder. (Headless, even in a page, paths stay as given.)
    static std::string pagePath(const std::string& path);

    // The font's glyph bitmaps: 16 bytes per glyph, codes 32..127, bit 7 is
    // the leftmost pixel.
    static const uint8_t* glyphRows(int code);
};

}  // namespace qm
