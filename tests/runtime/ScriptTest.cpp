// Scripted input: the line format, the flip at which events become visible,
// screenshots of chosen flips, the frame cap, and the command-line options.
#include <gtest/gtest.h>

#include "runtime/Clock.h"
#include "runtime/Files.h"
#include "runtime/Graphics.h"
#include "runtime/Image.h"
#include "runtime/Input.h"
#include "runtime/Runtime.h"
#include "runtime/Script.h"
#include "support/TempFolder.h"

namespace qm {
namespace {

TEST(ScriptParseTest, ReadsEveryKindOfEvent) {
    std::vector<ScriptEvent> events;
    std::string error;
    ASSERT_TRUE(parseScript("# a comment line\n"
                            "3 key 65 down   # trailing comment\r\n"
                            "\n"
                            "1 mouse 400 -5\n"
                            "1 button 2 up\n"
                            "2 char 13\n"
                            "2 focus lost\n"
                            "7 close\n"
                            "0 printscreen down\n"
                            "9 shot shots/first frame.png\n",
                            events, error))
        << error;
    ASSERT_EQ(events.size(), 8u);
    // Sorted by frame; one frame's events keep their written order.
    EXPECT_EQ(events[0].kind, ScriptEvent::PRINTSCREEN);
    EXPECT_EQ(events[0].a, 1);
    EXPECT_EQ(events[1].kind, ScriptEvent::MOUSE);
    EXPECT_EQ(events[1].b, -5);
    EXPECT_EQ(events[2].kind, ScriptEvent::BUTTON);
    EXPECT_EQ(events[2].a, 2);
    EXPECT_EQ(events[2].b, 0);
    EXPECT_EQ(events[3].kind, ScriptEvent::CHAR);
    EXPECT_EQ(events[4].kind, ScriptEvent::FOCUS);
    EXPECT_EQ(events[4].a, 0);
    EXPECT_EQ(events[5].kind, ScriptEvent::KEY);
    EXPECT_EQ(events[5].frame, 3);
    EXPECT_EQ(events[5].a, 65);
    EXPECT_EQ(events[5].b, 1);
    EXPECT_EQ(events[6].kind, ScriptEvent::CLOSE);
    EXPECT_EQ(events[7].kind, ScriptEvent::SHOT);
    EXPECT_EQ(events[7].path, "shots/first frame.png");
}

TEST(ScriptParseTest, BadLinesAreNamed) {
    const char* bad[] = {"x key 65 down", "-1 close",        "1 key 65",        "1 key 300 down",
                         "1 key 65 pressed", "1 mouse 4",    "1 button 3 down", "1 char 0",
                         "1 focus away",  "1 close now",     "1 jump",          "0 shot a.png",
                         "1 shot",        "1 printscreen on", "1 wheel up"};
    for (const char* line : bad) {
        std::vector<ScriptEvent> events;
        std::string error;
        EXPECT_FALSE(parseScript(std::string("1 close\n") + line + "\n", events, error)) << line;
        EXPECT_NE(error.find("line 2"), std::string::npos) << line << ": " << error;
        EXPECT_TRUE(events.empty());
    }
}

class ScriptRunTest : public ::testing::Test {
protected:
    void TearDown() override { runtimeShutdown(); }
    void start(const std::string& script, int maxFrames = -1) {
        test::writeBinary("script.txt", script);
        RuntimeOptions options;
        options.headless = true;
        options.scriptPath = "script.txt";
        options.maxFrames = maxFrames;
        ASSERT_TRUE(runtimeInit(options));
        ASSERT_TRUE(openGraphics(800, 600, 0, 60, 0));
    }
    test::TempFolder folder;
};

TEST_F(ScriptRunTest, EventsOfFrameFShowAfterTheFthFlip) {
    start("0 mouse 10 20\n2 key 32 down\n3 key 32 up\n3 char 65\n");
    EXPECT_EQ(mouseX(), 10) << "frame 0 is there from the start";
    flipFrame(1);
    EXPECT_EQ(keyDown(32), 0);
    flipFrame(1);
    EXPECT_EQ(keyDown(32), 1);
    EXPECT_EQ(getChar(), 0);
    flipFrame(1);
    EXPECT_EQ(keyDown(32), 0);
    EXPECT_EQ(keyHit(32), 1);
    EXPECT_EQ(getChar(), 65);
    EXPECT_TRUE(hasInputScript());
}

TEST_F(ScriptRunTest, ShotsSaveTheFrameThatTheFlipPresents) {
    start("2 shot two.png\n2 shot copy.png\n");
    setColour(255, 0, 0);
    drawRect(0, 0, 10, 10);
    flipFrame(1);
    EXPECT_EQ(fileType("two.png"), FILE_MISSING);
    setColour(0, 255, 0);
    drawRect(0, 0, 10, 10);
    Pixmap drawn = grabFrame();
    flipFrame(1);
    clearFrame();
    flipFrame(1);
    Pixmap shot;
    std::string bytes = test::readBinary("two.png");
    ASSERT_TRUE(decodePng(std::vector<uint8_t>(bytes.begin(), bytes.end()), shot));
    EXPECT_EQ(shot.pixels, drawn.pixels);
    EXPECT_EQ(shot.at(5, 5), 0xFF00FF00u);
    EXPECT_EQ(test::readBinary("copy.png"), bytes);
}

TEST_F(ScriptRunTest, MaxFramesAsksToCloseAtThatFlip) {
    start("", 3);
    flipFrame(1);
    flipFrame(1);
    EXPECT_EQ(appTerminate(), 0);
    flipFrame(1);
    EXPECT_EQ(appTerminate(), 1);
    EXPECT_EQ(millisecs(), 50);
}

TEST_F(ScriptRunTest, ABadScriptStopsTheStart) {
    test::writeBinary("bad.txt", "1 fly away\n");
    RuntimeOptions options;
    options.headless = true;
    options.scriptPath = "bad.txt";
    EXPECT_FALSE(runtimeInit(options));
    options.scriptPath = "missing.txt";
    EXPECT_FALSE(runtimeInit(options));
}

TEST(RuntimeOptionsTest, ParsesTheProgramsOptions) {
    RuntimeOptions o;
    std::string error;
    ASSERT_TRUE(parseRuntimeOptions({"--headless", "--script", "s.txt", "--log", "-", "--max-frames", "40"}, o, error))
        << error;
    EXPECT_TRUE(o.headless);
    EXPECT_EQ(o.scriptPath, "s.txt");
    EXPECT_EQ(o.logTarget, "-");
    EXPECT_EQ(o.maxFrames, 40);
    ASSERT_TRUE(parseRuntimeOptions({}, o, error));
    EXPECT_FALSE(o.headless);
    EXPECT_EQ(o.maxFrames, -1);
    EXPECT_TRUE(o.logTarget.empty());
    for (std::vector<std::string> bad : std::vector<std::vector<std::string>>{
             {"--fast"}, {"--script"}, {"--max-frames", "0"}, {"--max-frames", "ten"}, {"stray"}}) {
        EXPECT_FALSE(parseRuntimeOptions(bad, o, error)) << bad[0];
        EXPECT_FALSE(error.empty());
    }
}

}  // namespace
}  // namespace qm
