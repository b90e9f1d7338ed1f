// quillmere-assetgen OUTDIR: draws and synthesizes every media file of the game
// into OUTDIR/media and OUTDIR/system. With --sheets DIR it also renders contact
// sheets for looking at the art.
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "AssetSet.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    std::string outDir, sheetDir;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--sheets" && i + 1 < args.size()) sheetDir = args[++i];
        else outDir = args[i];
    }
    if (outDir.empty() && sheetDir.empty()) {
        std::fprintf(stderr, "usage: quillmere-assetgen OUTDIR [--sheets DIR]\n");
        return 2;
    }
    auto start = std::chrono::steady_clock::now();
    int failures = 0;
    if (!outDir.empty()) failures += qm::AssetSet::writeAll(outDir);
    if (!sheetDir.empty()) failures += qm::AssetSet::writeSheets(sheetDir);
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("assetgen: %s in %.2f s\n", failures ? "FAILED" : "done", seconds);
    return failures ? 1 : 0;
}
