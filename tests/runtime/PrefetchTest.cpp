// Decoding ahead changes nothing but the time: the game's own media files,
// missing and garbage files give the same pictures, sounds, Nulls and debug
// lines whether or not they were prefetched, in whatever order they are taken.
#include <gtest/gtest.h>

#include <filesystem>

#include "runtime/Audio.h"
#include "runtime/Image.h"
#include "runtime/Prefetch.h"
#include "runtime/Runtime.h"
#include "support/TempFolder.h"

namespace qm {
namespace {

const std::vector<std::string> kFiles = {
    "media\\ball.png",      "media\\back\\back01.jpg", "media\\tiles\\tiles05.png", "media\\chimes.wav",
    "media\\ooh.ogg",       "media\\garbage.png",      "media\\nothing-here.jpg",   "media\\sound-as.png",
};

struct Loaded {
    std::vector<Pixmap> pictures;
    std::vector<SoundPtr> sounds;
    std::string log;
};

class PrefetchTest : public ::testing::Test {
protected:
    test::TempFolder folder;
    void SetUp() override {
        folder.linkGameData();
        std::filesystem::rename("media", "game-media");
        std::filesystem::create_directory("media");
        for (const char* sub : {"back", "tiles"})
            std::filesystem::create_directory_symlink(folder.file("game-media/") + sub, folder.file("media/") + sub);
        for (const char* name : {"ball.png", "chimes.wav", "ooh.ogg"})
            std::filesystem::create_symlink(folder.file("game-media/") + name, folder.file("media/") + name);
        test::writeBinary("media/garbage.png", "\x89PNG\r\n\x1a\n this is not a picture");
        std::filesystem::copy_file(folder.file("game-media/ooh.ogg"), "media/sound-as.png");
    }
    void TearDown() override { runtimeShutdown(); }

    // Loads every file as a picture and as a sound, in the order given.
    Loaded loadAll(const std::vector<size_t>& order, bool ahead) {
        RuntimeOptions options;
        options.headless = true;
        options.logTarget = "log.txt";
        EXPECT_TRUE(runtimeInit(options));
        if (ahead) prefetchFiles(kFiles);
        Loaded out;
        out.pictures.resize(kFiles.size());
        out.sounds.resize(kFiles.size());
        for (size_t i : order) {
            ImagePtr image = loadImage(kFiles[i], 0);
            if (image) out.pictures[i] = lockImage(image);
        }
        if (ahead) prefetchFiles(kFiles);  // the same files again, for the sound loads
        for (size_t i : order) out.sounds[i] = loadSound(kFiles[i], i % 2 ? SOUND_LOOP : 0);
        EXPECT_EQ(prefetchedFilesWaiting(), 0) << "every file was taken";
        runtimeShutdown();
        out.log = test::readText("log.txt");
        return out;
    }
};

TEST_F(PrefetchTest, AheadOrNotTheLoadsComeOutTheSame) {
    std::vector<size_t> forward, backward;
    for (size_t i = 0; i < kFiles.size(); ++i) forward.push_back(i), backward.insert(backward.begin(), i);
    Loaded plain = loadAll(forward, false);
    ASSERT_GT(plain.pictures[1].width, 0) << "the game's media are linked in";
    EXPECT_NE(plain.log.find("image unreadable: media\\garbage.png"), std::string::npos);
    EXPECT_NE(plain.log.find("image missing: media\\nothing-here.jpg"), std::string::npos);

    for (const auto& order : {forward, backward}) {
        Loaded ahead = loadAll(order, true);
        for (size_t i = 0; i < kFiles.size(); ++i) {
            EXPECT_EQ(ahead.pictures[i].width, plain.pictures[i].width) << kFiles[i];
            EXPECT_TRUE(ahead.pictures[i].pixels == plain.pictures[i].pixels) << kFiles[i];
            ASSERT_EQ(bool(ahead.sounds[i]), bool(plain.sounds[i])) << kFiles[i];
            if (!plain.sounds[i]) continue;
            EXPECT_EQ(ahead.sounds[i]->loop, plain.sounds[i]->loop) << "the caller's flags count: " << kFiles[i];
            EXPECT_TRUE(ahead.sounds[i]->samples == plain.sounds[i]->samples) << kFiles[i];
        }
        if (order == forward) {
            EXPECT_EQ(ahead.log, plain.log) << "the same debug lines in the same order";
        }
    }
    EXPECT_TRUE(plain.sounds[4]) << "the Ogg effect decodes";
    EXPECT_FALSE(plain.sounds[7] == nullptr) << "an Ogg file under a picture's name is still a sound";
    EXPECT_EQ(plain.pictures[7].width, 0) << "and no picture";
}

TEST_F(PrefetchTest, AFileIsTakenFromTheFolderItWasAskedFrom) {
    RuntimeOptions options;
    options.headless = true;
    ASSERT_TRUE(runtimeInit(options));
    std::filesystem::create_directory("other");
    std::filesystem::create_directory("other/media");
    std::filesystem::copy_file("media/ball.png", "other/media/ball.png");
    Pixmap ball = lockImage(loadImage("media\\ball.png", 0));
    Pixmap red;
    red.width = red.height = 3;
    red.pixels.assign(9, 0xFFFF0000u);
    ASSERT_TRUE(savePng(red, "other/media/ball.png", 6));

    prefetchFiles({"media\\ball.png"});
    std::filesystem::current_path("other");
    EXPECT_EQ(lockImage(loadImage("media\\ball.png", 0)).width, 3) << "the file in the folder now current";
    std::filesystem::current_path("..");
    EXPECT_TRUE(lockImage(loadImage("media\\ball.png", 0)).pixels == ball.pixels) << "the prefetched one";

    // What nobody takes is dropped at shutdown, and the workers stop.
    prefetchFiles(kFiles);
    EXPECT_EQ(prefetchedFilesWaiting(), int(kFiles.size()));
    runtimeShutdown();
    EXPECT_EQ(prefetchedFilesWaiting(), 0);
}

}  // namespace
}  // namespace qm
