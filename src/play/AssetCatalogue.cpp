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

constexpr const char* kBorderFile = "media\\borderred.png";

}  // namespace

std::vector<std::string> AssetCatalogue::assetFiles() {
    std::vector<std::string> files = BoardArt::files();
    // The play frame's border, in the order loadAssets reads it.
    files.insert(files.begin() + 3, kBorderFile);
    return files;
}

void AssetCatalogue::loadAssets() {
    if (assetsLoaded == 1) return;
    assetsLoaded = 1;
    ballImage = BoardArt::loadBall();
    tileBorderImage = BoardArt::loadTileBorder();
    gizmoImage = BoardArt::loadGizmos();
    pairMarkImage = BoardArt::loadPairMarks();
    setAutoMidHandle(0);
    borderImage = loadImage(kBorderFile, -1);
    setAutoMidHandle(1);
    digitsImage = BoardArt::loadDigits();
    for (int i = 0; i < BoardArt::kStyles; i++) {
        backgrounds[i] = BoardArt::loadBackground(i);
        tileSets[i] = BoardArt::loadTileSet(i);
    }
}

BoardArt AssetCatalogue::boardArt() {
    BoardArt art;
    art.tileSet = currentTileSet;
    art.tileBorder = tileBorderImage;
    art.gizmos = gizmoImage;
    art.pairMarks = pairMarkImage;
    art.digits = digitsImage;
    art.ball = ballImage;
    art.background = currentBackground;
    art.style = artStyle;
    art.tileBorders = drawTileBorders == 1;
    return art;
}

void AssetCatalogue::selectArtStyle(int index) {
    if (index < 0 || index > 32) return;  // no such style: keep the one in use
    if (currentBackground && index == artStyle) return;
    artStyle = index;
    drawTileBorders = BoardArt::bordersTiles(index) ? 1 : 0;
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
