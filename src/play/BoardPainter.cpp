// Drawing a board: every cell by its category from the tile set, the gizmo
// sheet and the editor's markers, the walls' glow, the protected strip in
// the editor, and the ball last. It reads the board and changes nothing.
#include "play/BoardPainter.h"

#include "play/AssetCatalogue.h"
#include "play/LevelMap.h"
#include "runtime/Graphics.h"
#include "runtime/TextConv.h"

namespace qm {

namespace {

// One board draw: knows the point of the cell being drawn and how to put the
// catalogue's pictures there, resetting any tint or alpha it sets.
struct CellPainter {
    float px = 0, py = 0;

    void frame(const ImagePtr& image, int n) const {
        if (image && n >= 0 && n < image->frameCount()) drawImage(image, px, py, n);
    }
    void tintedFrame(int r, int g, int b, int n) const {
        setColour(r, g, b);
        frame(AssetCatalogue::currentTileSet, n);
        setColour(255, 255, 255);
    }
    // "The tile": a tile-set frame with the border overlay of the richer art styles.
    void tile(int n) const {
        frame(AssetCatalogue::currentTileSet, n);
        if (AssetCatalogue::drawTileBorders) frame(AssetCatalogue::tileBorderImage, 0);
    }
    void glowTile(int n, int glowLevel) const {
        setBlend(BLEND_LIGHT);
        setAlpha(float(glowLevel - 2) / 30.0f);
        tile(n);
        setBlend(BLEND_ALPHA);
        setAlpha(1);
    }
};

}  // namespace

void BoardPainter::draw(const LevelMap& map, float originX, float originY, int withGlow,
                        const EditingView* editing) {
    const bool asEdited = editing != nullptr;
    CellPainter paint;
    const ImagePtr& gizmo = AssetCatalogue::gizmoImage;
    for (int x = 0; x < kBoardWidth; ++x) {
        for (int y = 0; y < kBoardHeight; ++y) {
            paint.px = originX + float(32 * x + map.shiftX_);
            paint.py = originY + float(32 * y + map.shiftY_);
            int c = map.cells[x][y];
            int state = map.play.gizmos.cellState(x, y);
            int category = map.tileCategory(x, y);
            bool glowMarked = false;
            switch (category) {
                case 0:
                    if (c == 0) {
                        paint.tintedFrame(50, 50, 255, 0);
                    } else {
                        paint.tile(c - map.firstWallCode);
                        if (withGlow == 1 && map.glow[x][y] > 0) paint.glowTile(c - map.firstWallCode, map.glow[x][y]);
                    }
                    break;
                case 1:
                    if (asEdited) paint.tintedFrame(0, 255, 0, 3);
                    break;
                case 2:
                    if (asEdited) paint.tintedFrame(255, 0, 0, 2);
                    break;
                case 3:
                    if (state == 126 || state == 127) paint.tintedFrame(200, 223, 245, 2);
                    break;
                case 4:
                    // In play, the pair's mark on the floor, under the glow
                    // the particles lay over it; both ends show the same one.
                    if (asEdited) paint.frame(AssetCatalogue::digitsImage, c - 16);
                    else paint.frame(AssetCatalogue::pairMarkImage,
                                     AssetCatalogue::kPairMarks * AssetCatalogue::artStyle + (c - 16) / 2);
                    break;
                case 5: {
                    int k = c - 31;
                    if (k < 0 || k > 1) break;  // code 5 itself: no key to draw
                    int lockState = map.play.gizmos.lockStates[k];
                    if (asEdited || lockState == map.lockTypes[k]) paint.frame(gizmo, map.lockTypes[k] + 1);
                    break;
                }
                case 6: {
                    int k = c - 33;
                    if (k < 0 || k > 1) break;  // code 6 itself: no lock to draw
                    int lockState = map.play.gizmos.lockStates[k];
                    float fade = float(map.play.lockTimers[k]) / 40.0f;
                    if (map.lockTypes[k] == 0) {
                        if (asEdited || lockState == 0) {
                            paint.frame(AssetCatalogue::currentTileSet, 0);
                            paint.frame(gizmo, 0);
                            glowMarked = true;
                        } else if (lockState == 2) {
                            setAlpha(1 - fade);
                            paint.frame(AssetCatalogue::currentTileSet, 0);
                            paint.frame(gizmo, 0);
                            setAlpha(1);
                            glowMarked = true;
                        }
                    } else {
                        glowMarked = true;
                        if (asEdited) {
                            setAlpha(0.5f);
                            paint.tile(0);
                            setAlpha(1);
                        } else if (lockState == 0) {
                            paint.tile(0);
                        } else if (lockState == 2) {
                            setAlpha(fade);
                            paint.tile(0);
                            setAlpha(1);
                        }
                    }
                    break;
                }
                case 7: {
                    bool stored = map.play.gizmos.recallX() == x && map.play.gizmos.recallY() == y;
                    paint.frame(gizmo, stored ? 7 : 6);
                    break;
                }
                case 8:
                    paint.frame(gizmo, 8);
                    break;
                case 9:
                    paint.tintedFrame(123, 50, 75, 2);
                    break;
                case 113:
                    if (state == 1) paint.tintedFrame(79, 123, 45, 2);
                    else paint.tintedFrame(29, 83, 35, 2);
                    glowMarked = true;
                    break;
                case 114:
                    paint.frame(gizmo, c == 118 ? 13 : c == 117 ? 14 : c == 116 ? 15 : 16);
                    break;
                case 119: paint.frame(gizmo, 11); break;
                case 120: paint.frame(gizmo, 12); break;
                case 121: paint.frame(gizmo, 10); break;
                case 122: paint.frame(gizmo, 9); break;
                case 126:
                    if (asEdited) {
                        paint.frame(gizmo, c == 126 ? 3 : 4);
                        glowMarked = true;
                    } else if (state >= 0 && state <= 2) {
                        paint.frame(gizmo, 3 + state);
                        glowMarked = state <= 1;
                    }
                    break;
                case 252: case 253: case 254: case 255:
                    if (asEdited) paint.frame(editing->markers, category - 252);
                    break;
                default:
                    drawText("Bad " + str(c), paint.px, paint.py);
                    break;
            }
            if (asEdited && !map.isOutsideProtected(x, y)) {
                setBlend(BLEND_LIGHT);
                setAlpha(0.1f);
                paint.frame(AssetCatalogue::currentTileSet, 0);
                setBlend(BLEND_ALPHA);
                setAlpha(1);
            }
            if (glowMarked && withGlow == 1 && map.glow[x][y] > 0) paint.glowTile(0, map.glow[x][y]);
        }
    }
    if (map.ball) map.ball->draw(originX, originY);
}

}  // namespace qm
