// Drawing into the headless frame and saving it; see the header.
#include "BoardPicture.h"

#include <algorithm>

#include "boardart/BoardCellPainter.h"
#include "rules/PlayState.h"
#include "runtime/Files.h"
#include "runtime/Graphics.h"
#include "runtime/Image.h"

namespace qm {

namespace {

// The headless frame the pictures are drawn into.
bool openFrame() { return graphicsAreOpen() || openGraphics(800, 600, 0, 60, 0); }

}  // namespace

bool BoardPicture::render(const BoardPtr& board, int style, const std::string& gameDir, const std::string& outPng) {
    if (!board || !openFrame()) return false;
    std::string here = currentDir();
    if (!gameDir.empty()) changeDir(gameDir);
    BoardArt art = BoardArt::load(style);
    if (!gameDir.empty()) changeDir(here);
    // The level as it starts: gizmos as placed, the ball on the start.
    PlayState play = PlayState::start(*board);
    clearFrame();
    setOrigin(0, 0);
    setColour(255, 255, 255);
    setAlpha(1);
    setBlend(BLEND_ALPHA);
    if (art.background) drawImage(art.background, 0, 0);
    // The play screen's origin and board offset, so cell (0, 0) lands where the game puts it.
    setOrigin(32, 30);
    BoardCellPainter::draw(*board, play, art, BoardLook{}, 47, 47);
    BoardCellPainter::drawBall(art, float(47 + play.ball.pixelX()), float(47 + play.ball.pixelY()), 0);
    setBlend(BLEND_ALPHA);
    BoardCellPainter::drawStillEffects(*board, art, 47, 47);
    setOrigin(0, 0);
    return savePng(grabFrame(), outPng, 6);
}

bool BoardPicture::plotPerLevel(const std::vector<int>& values, const std::string& title, const std::string& unit,
                                const std::string& outPng) {
    if (!openFrame()) return false;
    const int left = 60, right = 780, top = 50, bottom = 540;
    int most = 1;
    for (int v : values) most = std::max(most, v);
    // Guides at a round step, about five to ten of them.
    int step = 5;
    for (int s : {5, 10, 20, 25, 50, 100, 200, 250, 500})
        if (most / s <= 10) { step = s; break; }
    most = (most + step - 1) / step * step;
    auto yOf = [&](double v) { return float(bottom) - float(v) * float(bottom - top) / float(most); };
    clearFrame();
    setOrigin(0, 0);
    setAlpha(1);
    setBlend(BLEND_SOLID);
    setColour(24, 26, 34);
    drawRect(0, 0, 800, 600);
    setBlend(BLEND_ALPHA);
    setColour(230, 230, 230);
    drawText(title, left, 16);
    for (int v = 0; v <= most; v += step) {
        setColour(70, 74, 90);
        drawLine(float(left), yOf(v), float(right), yOf(v), true);
        setColour(200, 200, 200);
        drawText(std::to_string(v), float(left - 36), yOf(v) - 8);
    }
    int n = std::max<int>(1, int(values.size()));
    float slot = float(right - left) / float(n);
    for (int i = 0; i < int(values.size()); ++i) {
        int group = i / 5;
        // Alternate two hues by group so the five-level rhythm shows.
        if (group % 2 == 0) setColour(90, 170, 240);
        else setColour(240, 170, 80);
        if (i % 5 == 4) setColour(group % 2 == 0 ? 150 : 255, 210, group % 2 == 0 ? 255 : 130);
        float h = float(bottom) - yOf(values[size_t(i)]);
        drawRect(float(left) + slot * float(i), float(bottom) - h, std::max(1.0f, slot - 1.0f), h);
    }
    // The median of every 20 levels (the last level joins the group before it).
    setColour(255, 255, 255);
    for (int from = 0; from < n; from += 20) {
        int to = from + 20 >= n - 1 ? n : from + 20;
        std::vector<int> group(values.begin() + from, values.begin() + to);
        std::sort(group.begin(), group.end());
        size_t k = group.size();
        double median = k % 2 ? group[k / 2] : (group[k / 2 - 1] + group[k / 2]) / 2.0;
        float y = yOf(median);
        drawLine(float(left) + slot * float(from), y, float(left) + slot * float(to), y, true);
        drawLine(float(left) + slot * float(from), y - 1, float(left) + slot * float(to), y - 1, true);
        if (to == n) break;
    }
    setColour(200, 200, 200);
    drawLine(float(left), float(bottom), float(right), float(bottom), true);
    drawLine(float(left), float(top), float(left), float(bottom), true);
    for (int level = 0; level < n; level += 20) {
        float x = float(left) + slot * float(level);
        drawText(std::to_string(level), x - 4, float(bottom + 8));
    }
    drawText("level", float(right - 40), float(bottom + 30));
    drawText(unit, 8, float(top - 24));
    setColour(255, 255, 255);
    return savePng(grabFrame(), outPng, 6);
}

}  // namespace qm
