// A fixture for tests that drive play through its input: the headless
// runtime with no window, the game's globals, the keyboard and the play
// input's flags, all fresh for every test and cleared after it.
#pragma once
#include <gtest/gtest.h>

#include "app/AppGlobals.h"
#include "play/PlayInput.h"
#include "runtime/Input.h"
#include "runtime/Runtime.h"

namespace qm::test {

class PlayRig : public ::testing::Test {
protected:
    void SetUp() override {
        RuntimeOptions options;
        options.headless = true;
        ASSERT_TRUE(runtimeInit(options));
        resetGlobals();
        resetInputState();
        PlayInput::resetAll();
    }
    void TearDown() override {
        resetInputState();
        PlayInput::resetAll();
        resetGlobals();
        runtimeShutdown();
    }
};

}  // namespace qm::test
