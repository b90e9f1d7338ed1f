// quillmere-assetgen OUTDIR: draws and synthesizes every media file of the game
// into OUTDIR/media and OUTDIR/system. With --icons DIR it also draws the
// desktop icon at every theme size into DIR (an icon theme's folders), and with
// --sheets DIR contact sheets for looking at the art.
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "AssetSet.h"
#include "IconWriter.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    std::string outDir, sheetDir, iconDir;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--sheets" && i + 1 < args.size()) sheetDir = args[++i];
        else if (args[i] == "--icons" && i + 1 < args.size()) iconDir = args[++i];
        else outDir = args[i];
    }
    if (outDir.empty() && sheetDir.empty() && iconDir.empty()) {
        std::fprintf(stderr, "usage: quillmere-assetgen OUTDIR [--icons DIR] [--sheets DIR]\n");
        return 2;
    }
    auto start = std::chrono::steady_clock::now();
    int failures = 0;
    if (!outDir.empty()) failures += qm::AssetSet::writeAll(outDir);
    if (!iconDir.empty()) failures += qm::IconWriter::writeThemeSizes(iconDir);
    if (!sheetDir.empty()) failures += qm::AssetSet::writeSheets(sheetDir);
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("assetgen: %s in %.2f s\n", failures ? "FAILED" : "done", seconds);
    return failures ? 1 : 0;
}
