// The pictures of the board, the ball and the play frame, the 33 art styles,
// the window and graphics-mode state, and the screenshot writer.
#pragma once
#include <string>
#include <vector>
#include "boardart/BoardArt.h"
#include "runtime/Image.h"

namespace qm {

class AssetCatalogue {
public:
    static ImagePtr ballImage, tileBorderImage, gizmoImage, borderImage, digitsImage;
    // The teleport pairs' floor marks: 5 frames per art style, style after style.
    static ImagePtr pairMarkImage;
    static constexpr int kPairMarks = BoardArt::kPairMarks;
    static ImagePtr backgrounds[33];
    static ImagePtr tileSets[33];
    static int artStyle;
    static ImagePtr currentBackground;
    static ImagePtr currentTileSet;
    static int drawTileBorders;
    static int backgroundScrolls;
    static int assetsLoaded;
    static const int backgroundScrollTable[19];

    // Window state.
    static int fullscreen;
    static int graphicsOpen;
    static int suspended;

    static void loadAssets();
    // The files loadAssets reads, in its order, for decoding them ahead.
    static std::vector<std::string> assetFiles();
    static void selectArtStyle(int index);
    // The board's pictures in the art style in use (no editor arrows).
    static BoardArt boardArt();
    static void saveScreenshot(const std::string& path);
    static int particleRed() { return 255; }
    static int particleGreen() { return 100; }
    static int particleBlue() { return 0; }

    static void openWindow();
    static void setFullscreen(int flag);
    static void toggleFullscreen();
    static void reopenGraphics();
    static void checkSuspended(int inPlay);
    static void resetAll();
};

}  // namespace qm
