// The play log in the real program: two headless runs in one folder share
// the player number and count their sessions in "uniqueID.idn".
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "support/TempFolder.h"

namespace qm {
namespace {

std::vector<std::string> logLines(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) out.push_back(line);
    return out;
}

std::string lineStarting(const std::vector<std::string>& lines, const std::string& prefix) {
    for (const std::string& line : lines)
        if (line.rfind(prefix, 0) == 0) return line;
    return "";
}

int runGame(const std::string& logName) {
    test::writeBinary("script.txt", "10 close\n");
    return test::runCommand(std::string(QM_GAME_DIR) + "/quillmere --headless --script script.txt --log " + logName +
                            " --max-frames 600 >/dev/null 2>&1");
}

TEST(GameLogRunTest, TwoRunsShareTheIdAndCountSessions) {
    test::TempFolder folder;
    folder.linkGameData();

    ASSERT_EQ(runGame("first.txt"), 0);
    const std::vector<std::string> first = logLines(test::readText("first.txt"));
    const std::string firstRun = lineStarting(first, "game log - first run - unique ID ");
    ASSERT_FALSE(firstRun.empty());
    const std::string id = firstRun.substr(std::string("game log - first run - unique ID ").size());
    const std::string afterFirst = test::readBinary("uniqueID.idn");
    ASSERT_EQ(afterFirst.size(), 6u);
    EXPECT_EQ(afterFirst.substr(4), std::string("\x01\x00", 2));

    ASSERT_EQ(runGame("second.txt"), 0);
    const std::vector<std::string> second = logLines(test::readText("second.txt"));
    EXPECT_FALSE(lineStarting(second, "game log - unique ID " + id + ", log number 1").empty());
    const std::string afterSecond = test::readBinary("uniqueID.idn");
    EXPECT_EQ(afterSecond.substr(0, 4), afterFirst.substr(0, 4));
    EXPECT_EQ(afterSecond.substr(4), std::string("\x02\x00", 2));

    // Each run closes its session and makes its send.
    for (const auto* run : {&first, &second}) {
        EXPECT_FALSE(lineStarting(*run, "game log: session finishing").empty());
        const std::string response = lineStarting(*run, "game log: RESPONSE: ");
        EXPECT_FALSE(response.empty());
        if (!QM_UPLOADS_ENABLED) { EXPECT_EQ(response, "game log: RESPONSE: Disabled"); }
    }
}

}  // namespace
}  // namespace qm
