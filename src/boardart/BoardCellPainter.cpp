// Drawing a board's cells by their category; see the header.
#include "boardart/BoardCellPainter.h"

#include "runtime/Graphics.h"
#include "runtime/TextConv.h"

namespace qm {

namespace {

// The gizmo sheet's frames.
namespace Frame {
enum : int {
    Lock = 0,
    Key1 = 1,  // the key of lock type 0; type 1's follows
    Shatter = 3,  // then the weak one, then the cracked states
    AngleTopLeft = 9,
    AngleTopRight = 10,
    AngleBottomRight = 11,
    AngleBottomLeft = 12,
    BoosterUp = 13,
    BoosterDown = 14,
    BoosterLeft = 15,
    BoosterRight = 16,
    RecallPoint = 6,
    RecallPointStored = 7,
    RecallPad = 8,
};
}

// One board draw: knows the point of the cell being drawn and how to put the
// pictures there, resetting any tint or alpha it sets.
struct CellPainter {
    const BoardArt& art;
    float px = 0, py = 0;

    void frame(const ImagePtr& image, int n) const {
        if (image && n >= 0 && n < image->frameCount()) drawImage(image, px, py, n);
    }
    void tintedFrame(int r, int g, int b, int n) const {
        setColour(r, g, b);
        frame(art.tileSet, n);
        setColour(255, 255, 255);
    }
    // "The tile": a tile-set frame with the border overlay of the richer art styles.
    void tile(int n) const {
        frame(art.tileSet, n);
        if (art.tileBorders) frame(art.tileBorder, 0);
    }
    void glowTile(int n, int glowLevel) const {
        setBlend(BLEND_LIGHT);
        setAlpha(float(glowLevel - 2) / 30.0f);
        tile(n);
        setBlend(BLEND_ALPHA);
        setAlpha(1);
    }
};

bool inside(const Board::Strip& strip, int x, int y) {
    return strip.left <= x && x <= strip.right && strip.top <= y && y <= strip.bottom;
}

// An outline just inside a cell whose centre is (cx, cy).
void outlineCell(float cx, float cy, float inset) {
    float l = cx - 16 + inset, t = cy - 16 + inset, r = cx + 15 - inset, b = cy + 15 - inset;
    drawLine(l, t, r, t, true);
    drawLine(r, t, r, b, true);
    drawLine(r, b, l, b, true);
    drawLine(l, b, l, t, true);
}

}  // namespace

void BoardCellPainter::draw(const Board& board, const PlayState& play, const BoardArt& art, const BoardLook& look,
                            float originX, float originY) {
    CellPainter paint{art};
    const ImagePtr& gizmo = art.gizmos;
    const GizmoStates& gizmos = play.gizmos;
    const bool editing = look.editing;
    for (int x = 0; x < kBoardWidth; ++x) {
        for (int y = 0; y < kBoardHeight; ++y) {
            paint.px = originX + float(32 * x + look.shiftX);
            paint.py = originY + float(32 * y + look.shiftY);
            int c = board.cells[x][y];
            int state = gizmos.cellState(x, y);
            int category = board.tileCategory(x, y);
            int glow = look.glow ? look.glow[x][y] : 0;
            bool glowMarked = false;
            switch (category) {
                case Category::Wall:
                    if (c == Code::WallBrush) {
                        paint.tintedFrame(50, 50, 255, 0);
                    } else {
                        paint.tile(c - board.firstWallCode);
                        if (glow > 0) paint.glowTile(c - board.firstWallCode, glow);
                    }
                    break;
                case Code::Start:
                    if (editing) paint.tintedFrame(0, 255, 0, 3);
                    break;
                case Code::End:
                    if (editing) paint.tintedFrame(255, 0, 0, 2);
                    break;
                case Code::Floor:
                    if (gizmos.beamCrosses(x, y)) paint.tintedFrame(200, 223, 245, 2);
                    break;
                case Category::Teleport:
                    // In play, the pair's mark on the floor, under the glow
                    // the particles lay over it; both ends show the same one.
                    if (editing) paint.frame(art.digits, c - Code::FirstTeleport);
                    else paint.frame(art.pairMarks, BoardArt::kPairMarks * art.style + (c - Code::FirstTeleport) / 2);
                    break;
                case Category::Key: {
                    int k = c - Code::Key1;
                    if (k < 0 || k > 1) break;  // the category's own code: no key to draw
                    int lockState = gizmos.lockStates[k];
                    if (editing || lockState == board.lockTypes[k]) paint.frame(gizmo, Frame::Key1 + board.lockTypes[k]);
                    break;
                }
                case Category::Lock: {
                    int k = c - Code::Lock1;
                    if (k < 0 || k > 1) break;  // the category's own code: no lock to draw
                    int lockState = gizmos.lockStates[k];
                    float fade = float(play.lockTimers[k]) / 40.0f;
                    if (board.lockTypes[k] == 0) {
                        if (editing || lockState == 0) {
                            paint.frame(art.tileSet, 0);
                            paint.frame(gizmo, Frame::Lock);
                            glowMarked = true;
                        } else if (lockState == 2) {
                            setAlpha(1 - fade);
                            paint.frame(art.tileSet, 0);
                            paint.frame(gizmo, Frame::Lock);
                            setAlpha(1);
                            glowMarked = true;
                        }
                    } else {
                        glowMarked = true;
                        if (editing) {
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
                case Code::RecallPoint: {
                    bool stored = gizmos.recallX() == x && gizmos.recallY() == y;
                    paint.frame(gizmo, stored ? Frame::RecallPointStored : Frame::RecallPoint);
                    break;
                }
                case Code::RecallPad:
                    paint.frame(gizmo, Frame::RecallPad);
                    break;
                case Code::Switch:
                    paint.tintedFrame(123, 50, 75, 2);
                    break;
                case Category::BeamBlock:
                    if (state == 1) paint.tintedFrame(79, 123, 45, 2);
                    else paint.tintedFrame(29, 83, 35, 2);
                    glowMarked = true;
                    break;
                case Category::Booster:
                    paint.frame(gizmo, c == Code::BoosterUp     ? Frame::BoosterUp
                                       : c == Code::BoosterDown ? Frame::BoosterDown
                                       : c == Code::BoosterLeft ? Frame::BoosterLeft
                                                                : Frame::BoosterRight);
                    break;
                case Code::AngleBottomRight: paint.frame(gizmo, Frame::AngleBottomRight); break;
                case Code::AngleBottomLeft: paint.frame(gizmo, Frame::AngleBottomLeft); break;
                case Code::AngleTopRight: paint.frame(gizmo, Frame::AngleTopRight); break;
                case Code::AngleTopLeft: paint.frame(gizmo, Frame::AngleTopLeft); break;
                case Category::Shatter:
                    if (editing) {
                        paint.frame(gizmo, c == Code::Shatter ? Frame::Shatter : Frame::Shatter + 1);
                        glowMarked = true;
                    } else if (state >= 0 && state <= 2) {
                        paint.frame(gizmo, Frame::Shatter + state);
                        glowMarked = state <= 1;
                    }
                    break;
                default:
                    if (category >= Code::FirstGuideArrow && category <= Code::LastGuideArrow) {
                        if (editing) paint.frame(art.editorTiles, category - Code::FirstGuideArrow);
                    } else {
                        drawText("Bad " + str(c), paint.px, paint.py);
                    }
                    break;
            }
            if (editing && inside(look.strip, x, y)) {
                setBlend(BLEND_LIGHT);
                setAlpha(0.1f);
                paint.frame(art.tileSet, 0);
                setBlend(BLEND_ALPHA);
                setAlpha(1);
            }
            if (glowMarked && glow > 0) paint.glowTile(0, glow);
        }
    }
}

void BoardCellPainter::drawBall(const BoardArt& art, float px, float py, float angle) {
    setRotation(angle);
    setBlend(BLEND_LIGHT);
    if (art.ball) drawImage(art.ball, px, py, 0);
    setRotation(0);
}

void BoardCellPainter::drawStillEffects(const Board& board, const BoardArt& art, float originX, float originY) {
    setBlend(BLEND_LIGHT);
    for (int x = 0; x < kBoardWidth; ++x)
        for (int y = 0; y < kBoardHeight; ++y) {
            float cx = originX + float(32 * x), cy = originY + float(32 * y);
            int category = board.tileCategory(x, y);
            if (category == Category::Teleport && art.glow) {
                setColour(255, 100, 0);
                setScale(0.9f, 0.9f);
                for (int i = 0; i < 15; ++i) drawImage(art.glow, cx, cy);
                setScale(1, 1);
            } else if (category == Code::End) {
                setColour(255, 200, 60);
                if (art.spark) {
                    drawImage(art.spark, cx, cy);
                    drawImage(art.spark, cx, cy);
                }
                setAlpha(0.8f);
                outlineCell(cx, cy, 1);
                setAlpha(1);
            }
        }
    setBlend(BLEND_ALPHA);
    setColour(235, 235, 245);
    setAlpha(0.8f);
    for (int x = 0; x < kBoardWidth; ++x)
        for (int y = 0; y < kBoardHeight; ++y) {
            if (board.cells[x][y] != Code::Lock2) continue;
            float l = originX + float(32 * x - 16) + 2, t = originY + float(32 * y - 16) + 2;
            for (float d = 0; d < 28; d += 7) {
                drawLine(l + d, t, l + d + 3, t, true);
                drawLine(l + d, t + 27, l + d + 3, t + 27, true);
                drawLine(l, t + d, l, t + d + 3, true);
                drawLine(l + 27, t + d, l + 27, t + d + 3, true);
            }
        }
    setAlpha(1);
    setColour(255, 255, 255);
}

}  // namespace qm
