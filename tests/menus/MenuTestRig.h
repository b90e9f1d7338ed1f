// Shared set-up for the menu tests: a headless runtime with its virtual
// clock, a fresh set of globals with a real controller, scripted input and
// the debug lines captured.
#pragma once
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/GameController.h"
#include "app/Globals.h"
#include "runtime/Audio.h"
#include "runtime/Clock.h"
#include "runtime/Diagnostics.h"
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

    std::vector<std::string> log;
};

}  // namespace qm::test
