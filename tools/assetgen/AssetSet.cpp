// Every media file, by name. Names and sizes follow the game's loaders exactly.
#include "AssetSet.h"

#include <cstdio>
#include <ctime>
#include <cstdlib>
#include <filesystem>
#include <functional>

#include "ArtStyle.h"
#include "BackgroundPainter.h"
#include "BirdsComposer.h"
#include "FontPainter.h"
#include "ContactSheet.h"
#include "FramePainter.h"
#include "GizmoPainter.h"
#include "IconWriter.h"
#include "LevelChoicePainter.h"
#include "MenuPainter.h"
#include "MusicComposer.h"
#include "SoundSheet.h"
#include "SoundDesigner.h"
#include "TilePainter.h"
#include "TutorialPainter.h"
#include "WorldMapPainter.h"

namespace qm {

namespace fs = std::filesystem;

namespace {

std::string two(int i) { return (i < 10 ? "0" : "") + std::to_string(i); }

int check(bool ok, const std::string& path) {
    if (ok) return 0;
    std::fprintf(stderr, "assetgen: could not write %s\n", path.c_str());
    return 1;
}

}  // namespace

int AssetSet::writeAll(const std::string& root) {
    std::string media = root + "/media";
    for (const char* d : {"/media", "/media/back", "/media/tiles", "/media/music", "/system"}) fs::create_directories(root + d);
    int failures = 0;
    // QM_TIMING=1 prints the processor time of each stage
    std::clock_t last = std::clock();
    auto stage = [&](const char* name) {
        std::clock_t now = std::clock();
        if (std::getenv("QM_TIMING")) std::printf("  %-12s %6.2f s\n", name, double(now - last) / CLOCKS_PER_SEC);
        last = now;
    };
    int n = int(ArtStyle::all().size());
    for (int i = 0; i < n; ++i) {
        // backgrounds are opaque photographs of a floor: JPEG (style 0 must be,
        // as every missing style falls back to it)
        std::string back = media + "/back/back" + two(i) + ".jpg";
        failures += check(BackgroundPainter::write(i, back), back);
        std::string tiles = media + "/tiles/tiles" + two(i) + (i == 0 ? ".jpg" : ".png");
        failures += check(TilePainter::writeStrip(i, tiles), tiles);
    }
    stage("styles");
    failures += GizmoPainter::writeAll(media);
    stage("gizmos");
    failures += FramePainter::writeAll(media);
    stage("frame");
    failures += MenuPainter::writeAll(media);
    failures += LevelChoicePainter::writeAll(media);
    failures += FontPainter::writeAll(media);
    stage("menus");
    failures += TutorialPainter::writeAll(media);
    stage("tutorials");
    failures += check(WorldMapPainter::write(media + "/worldMap.png"), media + "/worldMap.png");
    stage("world map");
    failures += check(IconWriter::write(root + "/system/chest.ico"), root + "/system/chest.ico");
    stage("icon");
    failures += SoundDesigner::writeAll(media);
    stage("effects");
    // the first group's dance, and the birds of every later group
    failures += check(MusicComposer::write(media + "/music/tarn_flutedance.ogg"), media + "/music/tarn_flutedance.ogg");
    failures += check(BirdsComposer::write(media + "/music/tuibirds.ogg"), media + "/music/tuibirds.ogg");
    stage("music");
    return failures;
}

int AssetSet::writeSheets(const std::string& dir) {
    fs::create_directories(dir);
    int failures = 0;
    if (!std::getenv("QM_NO_STYLES")) failures += check(ContactSheet::styles(dir + "/styles.png", 0.6), dir + "/styles.png");
    failures += check(ContactSheet::gizmos(dir + "/gizmos.png"), dir + "/gizmos.png");
    if (const char* media = std::getenv("QM_MEDIA")) {
        failures += check(ContactSheet::menus(media, dir + "/menus.png"), dir + "/menus.png");
        failures += check(ContactSheet::tutorials(media, dir + "/tutorials.png"), dir + "/tutorials.png");
    }
    if (!std::getenv("QM_NO_MUSIC")) {
        StereoBuffer dance = MusicComposer::flutedance(), birds = BirdsComposer::tuibirds();
        // the close-up shows the tui, the fantail and the warbler together
        failures += check(SoundSheet::write({{"tarn_flutedance", &dance, 0, 12}, {"tuibirds", &birds, 44, 12}}, dir + "/music.png"),
                          dir + "/music.png");
    }
    const char* only = std::getenv("QM_SCENES");  // e.g. "2,13": full-size scenes of a few styles
    if (only) {
        std::string list = only;
        size_t pos = 0;
        while (pos < list.size()) {
            size_t next = list.find(',', pos);
            int i = std::atoi(list.substr(pos, next - pos).c_str());
            std::string p = dir + "/scene" + two(i) + ".png";
            failures += check(ContactSheet::single(i, p), p);
            pos = next == std::string::npos ? list.size() : next + 1;
        }
    }
    return failures;
}

}  // namespace qm
