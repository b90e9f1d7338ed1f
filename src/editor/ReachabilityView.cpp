// The editor's side of the reachability search: searching the board being
// edited, the overlay of move counts, and the next board's start strip.
#include "editor/ReachabilityView.h"

#include <algorithm>

#include "editor/EditorGlobals.h"
#include "play/Globals.h"
#include "play/LevelMap.h"
#include "runtime/Graphics.h"
#include "runtime/Image.h"
#include "runtime/TextConv.h"

namespace qm {

std::shared_ptr<ReachabilityView> ReachabilityView::create() {
    auto view = std::make_shared<ReachabilityView>();
    view->displayMode = -1;
    view->depthLimit = 50;
    editorTilesImage = loadAnimImage("media\\tiles\\tileseditor.png", 32, 32, 0, 6, -1);
    return view;
}

void ReachabilityView::recomputeReachability() {
    std::shared_ptr<LevelMap> board = currentMap;  // kept alive for the whole search
    if (board) search(*board);
    else clear();
}

void ReachabilityView::cycleKeyDisplayMode() {
    displayMode += 1;
    if (displayMode >= 4) displayMode = -1;
}

void ReachabilityView::buildNextMap() {
    recomputeReachability();
    std::shared_ptr<LevelMap> current = currentMap;
    std::shared_ptr<LevelMap> next = nextMap;
    if (!current || !next) return;
    // Without an end there is no strip to carry over; the next board stays as loaded.
    if (endX < 0 || endY < 0) return;
    next->carryStrip(*current, endX, endY);
}

void ReachabilityView::drawReachabilityOverlay(float x, float y) {
    setBlend(BLEND_ALPHA);
    setAlpha(1);
    int shiftX = currentMap ? currentMap->shiftX() : 0;
    int shiftY = currentMap ? currentMap->shiftY() : 0;
    for (int i = 0; i < 20; ++i) {
        for (int j = 0; j < 14; ++j) {
            int d = -1;
            int c = 0;
            if (displayMode < 0) {
                for (int k = 0; k < 4; ++k) {
                    if (moves[i][j][k] >= 0 && (d < 0 || moves[i][j][k] < d)) d = moves[i][j][k];
                    c = std::max(c, trace[i][j][k]);
                }
            } else {
                int k = std::min(displayMode, 3);
                d = moves[i][j][k];
                c = trace[i][j][k];
            }
            if (d < 0) continue;
            float px = x + float(32 * i + shiftX);
            float py = y + float(32 * j + shiftY);
            int blue = (float(d) >= 0.9f * float(farthest)) ? std::min(8 * d, 255) : 0;
            setColour(std::min(16 * d + 164, 255), std::min(16 * d, 255), blue);
            drawText(str(d), px, py);
            int v = std::min(16 * d + 128, 255);
            setColour(v, v, v);
            if (c >= 3) {
                drawLine(px - 16, py, px + 16, py, true);
                drawLine(px, py - 16, px, py + 16, true);
            } else if (c == 2) {
                drawLine(px - 16, py, px + 16, py, true);
            } else if (c == 1) {
                drawLine(px, py - 16, px, py + 16, true);
            }
        }
    }
    setColour(255, 255, 255);
}

}  // namespace qm
