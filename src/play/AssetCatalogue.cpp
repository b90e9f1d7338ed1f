// The board, ball and frame pictures, the 33 art styles with their fallbacks,
// the window and graphics-mode state, and screenshots.
#include "play/AssetCatalogue.h"

#include "play/Globals.h"
#include "play/OptionsFile.h"
#include "audio/AudioManager.h"
#include "runtime/Clock.h"
#include "runtime/Diagnostics.h"
#include "runtime/Files.h"
#include "runtime/Graphics.h"
#include "runtime/Input.h"
#include "runtime/TextConv.h"

namespace qm {

ImagePtr AssetCatalogue::pairMarkImage;
ImagePtr AssetCatalogue::ballImage, AssetCatalogue::tileBorderImage, AssetCatalogue::gizmoImage,
    AssetCatalogue::borderImage, AssetCatalogue::digitsImage;
ImagePtr AssetCatalogue::backgrounds[33];
ImagePtr AssetCatalogue::tileSets[33];
int AssetCatalogue::artStyle = 0;
ImagePtr AssetCatalogue::currentBackground;
ImagePtr AssetCatalogue::currentTileSet;
int AssetCatalogue::drawTileBorders = 0;
int AssetCatalogue::backgroundScrolls = 0;
int AssetCatalogue::assetsLoaded = 0;
// Only style 0 scrolls with the board slide; styles past the table count as 0.
const int AssetCatalogue::backgroundScrollTable[19] = {1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
int AssetCatalogue::fullscreen = 0;
int AssetCatalogue::graphicsOpen = 0;
int AssetCatalogue::suspended = 0;

namespace {

constexpr const char* kBallFile = "media\\ball.png";
constexpr const char* kTileBorderFile = "media\\tiles\\tile_border.png";
constexpr const char* kGizmoFile = "media\\tiles\\tile_gizmos.png";
constexpr const char* kBorderFile = "media\\borderred.png";
constexpr const char* kDigitsFile = "media\\countdown.png";
constexpr const char* kPairMarkFile = "media\\tiles\\tile_pairs.png";

// "media\back\back07.jpg", "media\tiles\tiles07.png" and the like.
std::string styleFile(const char* folder, int style, const char* extension) {
    std::string nn = style < 10 ? "0" + str(style) : str(style);
    return std::string("media\\") + folder + "\\" + (folder[0] == 'b' ? "back" : "tiles") + nn + extension;
}

// A style's .png wins over its .jpg. Most styles have only the .jpg, so a
// .png that is not there is expected and is not tried (nor logged as missing).
template <typename Load>
ImagePtr loadStyleImage(const char* folder, int style, Load load) {
    std::string png = styleFile(folder, style, ".png");
    ImagePtr image = fileType(png) == FILE_REGULAR ? load(png) : nullptr;
    return image ? image : load(styleFile(folder, style, ".jpg"));
}

}  // namespace

std::vector<std::string> AssetCatalogue::assetFiles() {
    std::vector<std::string> files = {kBallFile, kTileBorderFile, kGizmoFile, kBorderFile, kDigitsFile, kPairMarkFile};
    for (int i = 0; i <= 32; i++)
        for (const char* folder : {"back", "tiles"}) {
            if (fileType(styleFile(folder, i, ".png")) == FILE_REGULAR) files.push_back(styleFile(folder, i, ".png"));
            files.push_back(styleFile(folder, i, ".jpg"));
        }
    return files;
}

void AssetCatalogue::loadAssets() {
    if (assetsLoaded == 1) return;
    assetsLoaded = 1;
    ballImage = loadAnimImage(kBallFile, 32, 32, 0, 1, -1);
    tileBorderImage = loadImage(kTileBorderFile, -1);
    gizmoImage = loadAnimImage(kGizmoFile, 32, 32, 0, 19, -1);
    pairMarkImage = loadAnimImage(kPairMarkFile, 32, 32, 0, 33 * kPairMarks, -1);
    setAutoMidHandle(0);
    borderImage = loadImage(kBorderFile, -1);
    setAutoMidHandle(1);
    digitsImage = loadAnimImage(kDigitsFile, 40, 74, 0, 10, -1);
    for (int i = 0; i <= 32; i++) {
        setAutoMidHandle(0);
        backgrounds[i] = loadStyleImage("back", i, [](const std::string& path) { return loadImage(path, -1); });
        if (!backgrounds[i]) {
            debugLog("Missing back image " + str(i));
            backgrounds[i] = loadImage("media\\back\\back00.jpg", -1);
        }
        setAutoMidHandle(1);
        tileSets[i] = loadStyleImage("tiles", i,
                                     [](const std::string& path) { return loadAnimImage(path, 32, 32, 0, 6, -1); });
        if (!tileSets[i]) {
            debugLog("Missing tiles image " + str(i));
            tileSets[i] = loadAnimImage("media\\tiles\\tiles00.jpg", 32, 32, 0, 6, -1);
        }
    }
}

void AssetCatalogue::selectArtStyle(int index) {
    if (index < 0 || index > 32) return;  // no such style: keep the one in use
    if (currentBackground && index == artStyle) return;
    artStyle = index;
    drawTileBorders = index >= 2 ? 1 : 0;
    currentBackground = backgrounds[index];
    backgroundScrolls = index < 19 ? backgroundScrollTable[index] : 0;
    currentTileSet = tileSets[index];
}

void AssetCatalogue::saveScreenshot(const std::string& path) {
    ImagePtr shot = createImage(800, 600, 1, -1);
    if (!shot) return;
    grabImage(shot, 0, 0);
    savePng(lockImage(shot), path, 5);  // a screenshot that cannot be written is lost
}

void AssetCatalogue::openWindow() {
    setFullscreen(OptionsFile::fullscreenWanted);
    setWindowIcon("system\\chest.ico");
}

void AssetCatalogue::setFullscreen(int flag) {
    if (flag != fullscreen || graphicsOpen == 0) {
        fullscreen = flag;
        reopenGraphics();
    }
}

void AssetCatalogue::toggleFullscreen() {
    fullscreen = fullscreen == 1 ? 0 : 1;
    reopenGraphics();
}

void AssetCatalogue::reopenGraphics() {
    if (graphicsOpen == 1) closeGraphics();
    graphicsOpen = 1;
    openGraphics(800, 600, fullscreen == 1 ? 32 : 0, 60, 0);
    setAutoMidHandle(1);
    selectArtStyle(artStyle);
}

void AssetCatalogue::checkSuspended(int inPlay) {
    // The window mode in force is the one the system reports: a page leaves
    // full screen the browser's way too, and enters it only when allowed.
    if (graphicsOpen == 1) fullscreen = isFullscreen() ? 1 : 0;
    if (appSuspended()) {
        if (suspended == 0) {
            suspended = 1;
            // A window put away may never come back (a closed tab, a
            // shut-down machine): the options are kept now.
            OptionsFile::saveOptions();
            if (audioManager) {
                audioManager->stopMusic();
                if (inPlay == 1) audioManager->stopBallLoop();
            }
        }
        delayMs(40);
    } else if (suspended == 1) {
        suspended = 0;
        if (audioManager) {
            audioManager->startMusic();
            if (inPlay == 1) audioManager->startBallLoop();
        }
    }
}

void AssetCatalogue::resetAll() {
    ballImage = tileBorderImage = gizmoImage = borderImage = digitsImage = pairMarkImage = nullptr;
    for (auto& image : backgrounds) image = nullptr;
    for (auto& image : tileSets) image = nullptr;
    artStyle = 0;
    currentBackground = currentTileSet = nullptr;
    drawTileBorders = backgroundScrolls = assetsLoaded = 0;
    fullscreen = graphicsOpen = suspended = 0;
}

}  // namespace qm
