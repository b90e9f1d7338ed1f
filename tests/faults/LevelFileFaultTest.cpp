// A level file replaced by garbage: the board loads what it can, play goes
// on (rolling, restart, back to the menus) and the game exits normally.
#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "faults/FaultRig.h"

using namespace qm;
namespace fs = std::filesystem;

namespace {

std::string ints(const std::vector<int32_t>& values) {
    std::string bytes(values.size() * 4, '\0');
    std::memcpy(bytes.data(), values.data(), bytes.size());
    return bytes;
}

struct Garbage {
    const char* name;
    std::string bytes;
};

// Noise of a whole level's length; codes far outside every table, with the
// start and end and a far-away entry point; a file cut inside its header.
std::vector<Garbage> garbage() {
    std::string noise(1140, '\0');
    uint32_t x = 2463534242u;
    for (char& c : noise) {
        x ^= x << 13, x ^= x >> 17, x ^= x << 5;
        c = char(x);
    }
    std::vector<int32_t> wild = {2, INT_MAX, 0};
    const int32_t codes[] = {INT_MIN, INT_MAX, -1, 255, 256, 1000000, -1000000, 99, 1, 2};
    for (int i = 0; i < 20 * 14; i++) wild.push_back(codes[i % 10]);
    wild.push_back(INT_MAX);
    wild.push_back(INT_MIN);
    return {{"Noise", noise}, {"WildCodes", ints(wild)}, {"CutShort", std::string("\x02\x00\x00", 3)}};
}

class LevelFileFaultTest : public ::testing::TestWithParam<Garbage> {};

TEST_P(LevelFileFaultTest, GameGoesOn) {
    test::TempFolder folder;
    for (const char* name : {"media", "system"})
        fs::create_directory_symlink(std::string(QM_GAME_DIR) + "/" + name, folder.file(name));
    fs::create_directories(folder.file("levels"));
    fs::create_directories(folder.file("out"));
    test::writeBinary(folder.file("levels/0.lvl"), GetParam().bytes);
    std::string log;
    EXPECT_EQ(test::runGameIn(folder.path(), folder.file("out"), log), 0)
        << test::readText(folder.file("out/stderr.txt"));
    EXPECT_TRUE(test::endedNormally(log)) << log;
    EXPECT_TRUE(test::playedTheLevel(log)) << log;
    EXPECT_NE(log.find("Loading map 0.lvl"), std::string::npos);
    EXPECT_GT(test::readBinary(folder.file("out/shot.png")).size(), 8u);
}

INSTANTIATE_TEST_SUITE_P(Garbage, LevelFileFaultTest, ::testing::ValuesIn(garbage()),
                         [](const ::testing::TestParamInfo<Garbage>& info) { return std::string(info.param.name); });

}  // namespace
