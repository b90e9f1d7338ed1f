// Placeholder definitions; replaced by the real implementation.
#include "app/AssetCatalogue.h"

namespace qm {

void AssetCatalogue::loadAssets() { }
void AssetCatalogue::selectArtStyle(int index) { }
void AssetCatalogue::saveScreenshot(const std::string& path) { }
void AssetCatalogue::openWindow() { }
void AssetCatalogue::setFullscreen(int flag) { }
void AssetCatalogue::toggleFullscreen() { }
void AssetCatalogue::reopenGraphics() { }
void AssetCatalogue::checkSuspended(int inPlay) { }
void AssetCatalogue::resetAll() { }

}  // namespace qm

namespace qm {
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
const int AssetCatalogue::backgroundScrollTable[19] = {1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
int AssetCatalogue::fullscreen = 0;
int AssetCatalogue::graphicsOpen = 0;
int AssetCatalogue::suspended = 0;
}  // namespace qm
