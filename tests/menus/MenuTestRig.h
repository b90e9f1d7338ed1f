// Shared set-up for the menu tests: a headless runtime with its virtual
// clock, a fresh set of globals with a real controller, scripted input and
// the debug lines captured.
#pragma once
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/GameController.h"
#include "app/AppGlobals.h"
#include "runtime/Audio.h"
#include "runtime/Clock.h"
#include "runtime/Diagnostics.h"
#include "runtime/Files.h"
#include "runtime/Graphics.h"
#include "runtime/Image.h"
#include "runtime/Input.h"
#include "runtime/Runtime.h"

namespace qm::test {

class MenuTestRig : public ::testing::Test {
protected:
    void SetUp() override {
        resetGlobals();
        RuntimeOptions options;
        options.headless = true;
        ASSERT_TRUE(runtimeInit(options));
        resetInputState();
        setDebugLogHook([this](const std::string& line) { log.push_back(line); });
        gameController = GameController::create();
        session = gameController;
        // Well past the 600 ms guard of the shared activation time (0).
        delayMs(5000);
    }
    void TearDown() override {
        setDebugLogHook(nullptr);
        resetInputState();
        runtimeShutdown();
        resetGlobals();
    }

    // One update of each menu, then a 60th of a second.
    template <typename... Menus>
    void step(int updates, const Menus&... menus) {
        for (int i = 0; i < updates; i++) {
            (menus->updateMenu(0), ...);
            delayMs(17);
        }
    }
    // A key pressed for one update of the menus and released.
    template <typename... Menus>
    void press(int key, const Menus&... menus) {
        inputKeyEvent(key, true);
        step(1, menus...);
        inputKeyEvent(key, false);
    }
    template <typename... Menus>
    void click(int px, int py, const Menus&... menus) {
        inputMouseMove(px, py);
        inputMouseButton(1, true);
        step(1, menus...);
        inputMouseButton(1, false);
    }
    int logged(const std::string& line) const { return int(std::count(log.begin(), log.end(), line)); }

    // A second of silence: a channel asked to play it shows it.
    static SoundPtr testSound() {
        auto sound = std::make_shared<TSound>();
        sound->frames = 44100;
        sound->samples.assign(44100 * 2, 0.0f);
        return sound;
    }

    // Writes "media/<name>": cells of w x h stacked downwards, cell k one
    // solid ARGB colour.
    static void writePicture(const std::string& name, int w, int h, const std::vector<uint32_t>& cells) {
        createDir("media");
        Pixmap p;
        p.width = w;
        p.height = h * int(cells.size());
        for (uint32_t colour : cells) p.pixels.insert(p.pixels.end(), size_t(w) * size_t(h), colour);
        ASSERT_TRUE(savePng(p, "media/" + name, 5));
    }
    // The red, green and blue of one pixel of the frame.
    static uint32_t pixel(int x, int y) { return grabFrame().at(x, y) & 0xFFFFFFu; }
    static void blackFrame() {
        setBlend(BLEND_SOLID);
        setColour(0, 0, 0);
        drawRect(0, 0, 800, 600);
        setColour(255, 255, 255);
    }

    std::vector<std::string> log;
};

}  // namespace qm::test
