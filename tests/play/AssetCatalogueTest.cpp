// The art styles: a style's .png wins over its .jpg, a missing .png is no
// failure, the style switches and their flags, and the window mode that the
// options ask for and the toggle re-apply.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "play/AssetCatalogue.h"
#include "play/OptionsFile.h"
#include "runtime/Diagnostics.h"
#include "runtime/Graphics.h"
#include "runtime/Image.h"
#include "support/FrameProbe.h"
#include "support/PlayRig.h"
#include "support/TempFolder.h"

using namespace qm;
namespace fs = std::filesystem;

namespace {

class AssetCatalogueTest : public test::PlayRig {
protected:
    void SetUp() override {
        PlayRig::SetUp();
        AssetCatalogue::resetAll();
        OptionsFile::resetAll();
        setDebugLogHook([this](const std::string& line) { log.push_back(line); });
        // The game's media, with a red .png beside style 5's .jpg background.
        const fs::path real = fs::path(QM_GAME_DIR) / "media";
        fs::create_directories("media/back");
        for (const auto& entry : fs::directory_iterator(real))
            if (entry.path().filename() != "back") fs::create_symlink(entry.path(), fs::path("media") / entry.path().filename());
        for (const auto& entry : fs::directory_iterator(real / "back"))
            fs::create_symlink(entry.path(), fs::path("media/back") / entry.path().filename());
        Pixmap red;
        red.width = 64;
        red.height = 64;
        red.pixels.assign(64 * 64, 0xFFFF0000u);
        ASSERT_TRUE(savePng(red, "media/back/back05.png", 5));
    }
    void TearDown() override {
        setDebugLogHook(nullptr);
        AssetCatalogue::resetAll();
        OptionsFile::resetAll();
        PlayRig::TearDown();
    }
    bool logged(const std::string& start) const {
        for (const std::string& line : log)
            if (line.rfind(start, 0) == 0) return true;
        return false;
    }
    test::TempFolder folder;
    std::vector<std::string> log;
};

TEST_F(AssetCatalogueTest, StylesLoadQuietlyAndSwitchWithTheirFlags) {
    AssetCatalogue::loadAssets();
    EXPECT_FALSE(logged("image missing")) << "a .png the style does not have is no failure";
    EXPECT_FALSE(logged("Missing back image"));
    EXPECT_FALSE(logged("Missing tiles image"));
    ASSERT_NE(AssetCatalogue::backgrounds[5], nullptr);
    probe::Rgb corner = probe::rgbAt(lockImage(AssetCatalogue::backgrounds[5]), 0, 0);
    EXPECT_EQ(corner.r, 255);
    EXPECT_EQ(corner.g, 0);
    EXPECT_NE(AssetCatalogue::backgrounds[4], nullptr);

    AssetCatalogue::selectArtStyle(0);
    EXPECT_EQ(AssetCatalogue::backgroundScrolls, 1);
    EXPECT_EQ(AssetCatalogue::drawTileBorders, 0);
    AssetCatalogue::selectArtStyle(1);
    EXPECT_EQ(AssetCatalogue::drawTileBorders, 0);
    EXPECT_EQ(AssetCatalogue::backgroundScrolls, 0);
    AssetCatalogue::selectArtStyle(2);
    EXPECT_EQ(AssetCatalogue::drawTileBorders, 1);
    EXPECT_EQ(AssetCatalogue::currentTileSet, AssetCatalogue::tileSets[2]);
    // The same style again changes nothing, even a background set by hand.
    AssetCatalogue::currentBackground = AssetCatalogue::backgrounds[7];
    AssetCatalogue::selectArtStyle(2);
    EXPECT_EQ(AssetCatalogue::currentBackground, AssetCatalogue::backgrounds[7]);
    AssetCatalogue::selectArtStyle(25);  // past the scroll table
    EXPECT_EQ(AssetCatalogue::backgroundScrolls, 0);
    EXPECT_EQ(AssetCatalogue::currentBackground, AssetCatalogue::backgrounds[25]);
}

TEST_F(AssetCatalogueTest, WindowModeFromTheOptionsAndTheToggle) {
    test::writeBinary("options.dat", std::string(8, '\0') + std::string("\x07\x00\x00\x00", 4));
    OptionsFile::loadOptions();
    EXPECT_EQ(OptionsFile::fullscreenWanted, 0) << "only 1 means full screen";
    OptionsFile::fullscreenWanted = 1;
    AssetCatalogue::openWindow();
    EXPECT_TRUE(isFullscreen());
    EXPECT_EQ(AssetCatalogue::fullscreen, 1);

    AssetCatalogue::loadAssets();
    AssetCatalogue::selectArtStyle(6);
    AssetCatalogue::currentBackground = nullptr;  // as if the reopened window had lost it
    AssetCatalogue::toggleFullscreen();
    EXPECT_FALSE(isFullscreen());
    EXPECT_TRUE(graphicsAreOpen());
    EXPECT_EQ(AssetCatalogue::currentBackground, AssetCatalogue::backgrounds[6]) << "the toggle re-applies the style";
}

}  // namespace
