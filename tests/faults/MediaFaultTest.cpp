// The media folder missing entirely, or holding damaged files: the game still
// starts, plays and draws what it has, and exits normally.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>

#include "faults/FaultRig.h"

using namespace qm;
namespace fs = std::filesystem;

namespace {

class MediaFaultTest : public ::testing::Test {
protected:
    test::TempFolder folder;
    std::string log;

    // A shot of the frame was written and is a whole PNG file.
    void expectShot() {
        std::string shot = test::readBinary(folder.file("shot.png"));
        ASSERT_GT(shot.size(), 8u);
        EXPECT_EQ(shot.substr(1, 3), "PNG");
    }
};

TEST_F(MediaFaultTest, NoMediaFolderAtAll) {
    // A private copy of the program, so it cannot fall back on the media
    // beside the build's own copy.
    fs::create_directories(folder.file("game"));
    fs::copy_file(std::string(QM_GAME_DIR) + "/quillmere", folder.file("game/quillmere"));
    for (const char* name : {"levels", "system"})
        fs::create_directory_symlink(std::string(QM_GAME_DIR) + "/" + name, folder.file("game/") + name);
    EXPECT_EQ(test::runGameIn(folder.file("game"), folder.path(), log, folder.file("game/quillmere")), 0);
    EXPECT_TRUE(test::endedNormally(log)) << log;
    EXPECT_TRUE(test::playedTheLevel(log)) << log;
    EXPECT_NE(log.find("image missing: media\\ball.png"), std::string::npos);
    EXPECT_NE(log.find("Loading map 0.lvl"), std::string::npos);
    expectShot();
}

TEST_F(MediaFaultTest, EveryMediaFileDamaged) {
    // Each file under its own name, damaged one of three ways: cut short after
    // its header, its body overwritten with noise, or emptied.
    const fs::path real = fs::path(QM_GAME_DIR) / "media";
    uint32_t noise = 12345;
    int count = 0;
    for (const auto& entry : fs::recursive_directory_iterator(real)) {
        fs::path target = fs::path(folder.file("media")) / fs::relative(entry.path(), real);
        if (entry.is_directory()) {
            fs::create_directories(target);
            continue;
        }
        fs::create_directories(target.parent_path());
        std::string bytes = test::readBinary(entry.path().string());
        switch (count++ % 3) {
            case 0: bytes.resize(std::min<size_t>(bytes.size(), 40)); break;
            case 1:
                for (size_t i = 24; i < bytes.size(); i++) {
                    noise = noise * 1664525u + 1013904223u;
                    bytes[i] = char(noise >> 24);
                }
                break;
            default: bytes.clear(); break;
        }
        test::writeBinary(target.string(), bytes);
    }
    ASSERT_GT(count, 10);
    for (const char* name : {"levels", "system"})
        fs::create_directory_symlink(std::string(QM_GAME_DIR) + "/" + name, folder.file(name));
    fs::create_directories(folder.file("out"));
    EXPECT_EQ(test::runGameIn(folder.path(), folder.file("out"), log), 0);
    EXPECT_TRUE(test::endedNormally(log)) << log;
    EXPECT_TRUE(test::playedTheLevel(log)) << log;
    EXPECT_NE(log.find("Loading map 0.lvl"), std::string::npos);
    std::string shot = test::readBinary(folder.file("out/shot.png"));
    ASSERT_GT(shot.size(), 8u);
    EXPECT_EQ(shot.substr(1, 3), "PNG");
}

}  // namespace
