// Drawing into the headless frame and saving it; see the header.
#include "BoardPicture.h"

#include <algorithm>

#include "play/AssetCatalogue.h"
#include "runtime/Files.h"
#include "runtime/Graphics.h"
#include "runtime/Image.h"

namespace qm {

namespace {

// The headless frame the pictures are drawn into.
bool openFrame() { return graphicsAreOpen() || openGraphics(800, 600, 0, 60, 0); }

}  // namespace

bool BoardPicture::render(const LevelMapPtr& board, int style, const std::string& gameDir, const std::string& outPng) {
    if (!board || !openFrame()) return false;
    std::string here = currentDir();
    if (!gameDir.empty()) changeDir(gameDir);
    // The game loads its pictures with their handles at the centre (start-up
    // turns auto-mid-handle on first); the tile border is placed by its handle.
    setAutoMidHandle(1);
    AssetCatalogue::loadAssets();
    AssetCatalogue::selectArtStyle(style);
    if (!gameDir.empty()) changeDir(here);
    board->tileSet = style;
    board->restart();
    clearFrame();
    setOrigin(0, 0);
    setColour(255, 255, 255);
    setAlpha(1);
    setBlend(BLEND_ALPHA);
    if (AssetCatalogue::currentBackground) drawImage(AssetCatalogue::currentBackground, 0, 0);
    // The play screen's origin and board offset, so cell (0, 0) lands where the game puts it.
    setOrigin(32, 30);
    board->draw(47, 47, 1);
    setOrigin(0, 0);
    return savePng(grabFrame(), outPng, 6);
}

bool BoardPicture::plotMoves(const std::vector<int>& moves, const std::string& outPng) {
    if (!openFrame()) return false;
    const int left = 60, right = 780, top = 50, bottom = 540;
    int most = 1;
    for (int m : moves) most = std::max(most, m);
    most = (most + 4) / 5 * 5;
    clearFrame();
    setOrigin(0, 0);
    setAlpha(1);
    setBlend(BLEND_SOLID);
    setColour(24, 26, 34);
    drawRect(0, 0, 800, 600);
    setBlend(BLEND_ALPHA);
    setColour(230, 230, 230);
    drawText("Quillmere campaign: minimum moves per level", left, 16);
    // Horizontal guides every five moves.
    for (int v = 0; v <= most; v += 5) {
        float y = float(bottom) - float(v) * float(bottom - top) / float(most);
        setColour(70, 74, 90);
        drawLine(float(left), y, float(right), y, true);
        setColour(200, 200, 200);
        drawText(std::to_string(v), float(left - 28), y - 8);
    }
    int n = std::max<int>(1, int(moves.size()));
    float slot = float(right - left) / float(n);
    for (int i = 0; i < int(moves.size()); ++i) {
        int group = i / 5;
        // Alternate two hues by group so the five-level rhythm shows.
        if (group % 2 == 0) setColour(90, 170, 240);
        else setColour(240, 170, 80);
        if (i % 5 == 4) setColour(group % 2 == 0 ? 150 : 255, group % 2 == 0 ? 210 : 210, group % 2 == 0 ? 255 : 130);
        float h = float(moves[size_t(i)]) * float(bottom - top) / float(most);
        drawRect(float(left) + slot * float(i), float(bottom) - h, std::max(1.0f, slot - 1.0f), h);
    }
    setColour(200, 200, 200);
    drawLine(float(left), float(bottom), float(right), float(bottom), true);
    drawLine(float(left), float(top), float(left), float(bottom), true);
    for (int level = 0; level < n; level += 20) {
        float x = float(left) + slot * float(level);
        drawText(std::to_string(level), x - 4, float(bottom + 8));
    }
    drawText("level", float(right - 40), float(bottom + 30));
    drawText("moves", 8, float(top - 24));
    setColour(255, 255, 255);
    return savePng(grabFrame(), outPng, 6);
}

}  // namespace qm
