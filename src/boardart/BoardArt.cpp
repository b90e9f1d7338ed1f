// Loading the board's pictures; see the header.
#include "boardart/BoardArt.h"

#include "runtime/Diagnostics.h"
#include "runtime/Files.h"
#include "runtime/TextConv.h"

namespace qm {

namespace {

constexpr const char* kBallFile = "media\\ball.png";
constexpr const char* kTileBorderFile = "media\\tiles\\tile_border.png";
constexpr const char* kGizmoFile = "media\\tiles\\tile_gizmos.png";
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

ImagePtr BoardArt::loadTileSet(int style) {
    auto load = [](const std::string& path) { return loadAnimImage(path, 32, 32, 0, 6, -1); };
    ImagePtr tiles = loadStyleImage("tiles", style, load);
    if (tiles) return tiles;
    debugLog("Missing tiles image " + str(style));
    return load("media\\tiles\\tiles00.jpg");
}

ImagePtr BoardArt::loadBackground(int style) {
    setAutoMidHandle(0);
    ImagePtr back = loadStyleImage("back", style, [](const std::string& path) { return loadImage(path, -1); });
    if (!back) {
        debugLog("Missing back image " + str(style));
        back = loadImage("media\\back\\back00.jpg", -1);
    }
    setAutoMidHandle(1);
    return back;
}

ImagePtr BoardArt::loadTileBorder() { return loadImage(kTileBorderFile, -1); }
ImagePtr BoardArt::loadGizmos() { return loadAnimImage(kGizmoFile, 32, 32, 0, 19, -1); }
ImagePtr BoardArt::loadPairMarks() { return loadAnimImage(kPairMarkFile, 32, 32, 0, kStyles * kPairMarks, -1); }
ImagePtr BoardArt::loadDigits() { return loadAnimImage(kDigitsFile, 40, 74, 0, 10, -1); }
ImagePtr BoardArt::loadBall() { return loadAnimImage(kBallFile, 32, 32, 0, 1, -1); }

std::vector<std::string> BoardArt::files() {
    std::vector<std::string> files = {kBallFile, kTileBorderFile, kGizmoFile, kDigitsFile, kPairMarkFile};
    for (int i = 0; i < kStyles; i++)
        for (const char* folder : {"back", "tiles"}) {
            if (fileType(styleFile(folder, i, ".png")) == FILE_REGULAR) files.push_back(styleFile(folder, i, ".png"));
            files.push_back(styleFile(folder, i, ".jpg"));
        }
    return files;
}

BoardArt BoardArt::load(int style) {
    BoardArt art;
    if (style < 0 || style >= kStyles) style = 0;
    art.style = style;
    art.tileBorders = bordersTiles(style);
    // Handles at the centre, as the game's start-up sets them.
    setAutoMidHandle(1);
    art.ball = loadBall();
    art.tileBorder = loadTileBorder();
    art.gizmos = loadGizmos();
    art.pairMarks = loadPairMarks();
    art.digits = loadDigits();
    art.background = loadBackground(style);
    art.tileSet = loadTileSet(style);
    art.glow = loadImage("media\\glow.png", -1);
    art.spark = loadImage("media\\spark.png", -1);
    return art;
}

}  // namespace qm
