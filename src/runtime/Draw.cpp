// The drawing state (colour, alpha, blend, rotation, scale, origin) and the
// primitives drawn with it. Images go through SDL_RenderCopyExF, whose
// colour and alpha mods carry the tint; untextured shapes use the renderer's
// draw colour, or geometry when rotated.
#include <SDL.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "Backend.h"
#include "DrawCommand.h"
#include "FrameComposer.h"
#include "Graphics.h"
#include "Image.h"
#include "ImageFrame.h"
#include "TurnedSprites.h"

namespace qm {

namespace {

DrawState ds;

constexpr double kDegToRad = 0.017453292519943295;

void updateTransform() {
    double a = double(ds.rotation) * kDegToRad;
    float c = float(std::cos(a)), s = float(std::sin(a));
    ds.ix = c * ds.scaleX;
    ds.iy = -s * ds.scaleY;
    ds.jx = s * ds.scaleX;
    ds.jy = c * ds.scaleY;
}

// How the current blend mode draws a texture: which texture, which SDL mode,
// which alpha. Alpha counts only in the alpha and light modes.
struct TextureBlend {
    bool masked;
    SDL_BlendMode mode;
    uint8_t alpha;
};

TextureBlend textureBlend(bool text) {
    switch (ds.blend) {
    case BLEND_MASK: return {true, SDL_BLENDMODE_BLEND, 255};
    case BLEND_ALPHA: return {false, SDL_BLENDMODE_BLEND, ds.alpha};
    case BLEND_LIGHT: return {false, SDL_BLENDMODE_ADD, ds.alpha};
    case BLEND_SHADE: return {false, SDL_BLENDMODE_MOD, 255};
    default:
        // Solid text would paint the glyph boxes; text keeps its shape.
        if (text) return {true, SDL_BLENDMODE_BLEND, 255};
        return {false, SDL_BLENDMODE_NONE, 255};
    }
}

void shapeColour(SDL_Renderer* renderer) {
    SDL_BlendMode mode = SDL_BLENDMODE_NONE;
    uint8_t a = 255;
    if (ds.blend == BLEND_ALPHA) mode = SDL_BLENDMODE_BLEND, a = ds.alpha;
    else if (ds.blend == BLEND_LIGHT) mode = SDL_BLENDMODE_ADD, a = ds.alpha;
    else if (ds.blend == BLEND_SHADE) mode = SDL_BLENDMODE_MOD;
    SDL_SetRenderDrawBlendMode(renderer, mode);
    SDL_SetRenderDrawColor(renderer, uint8_t(ds.r), uint8_t(ds.g), uint8_t(ds.b), a);
}

// Draws a w x h texture region whose image-space corners run from
// (-hx, -hy) to (w - hx, h - hy), anchored at (X, Y), with rotation and scale.
// frame, when given, is the picture frame the texture shows (whole): its
// opacity and its pieces let the software renderer copy instead of blend.
void drawQuad(SDL_Texture* texture, const SDL_Rect* source, int w, int h, float hx, float hy, float X, float Y,
              bool transformed, bool text, ImageFrame* frame = nullptr, bool tintBaked = false) {
    SDL_Renderer* renderer = Backend::renderer();
    if (!renderer || !texture) return;
    TextureBlend tb = textureBlend(text);
    // Blending or adding at alpha 0 leaves the frame as it was (hidden menus
    // draw their panels at fade 0 every frame).
    bool blends = tb.mode == SDL_BLENDMODE_BLEND || tb.mode == SDL_BLENDMODE_ADD;
    if (tb.alpha == 0 && blends) return;
    auto modeFor = [&](bool opaque) {
        return opaque && tb.mode == SDL_BLENDMODE_BLEND && tb.alpha == 255 ? SDL_BLENDMODE_NONE : tb.mode;
    };
    SDL_SetTextureBlendMode(texture, modeFor(frame && frame->opaque()));
    if (tintBaked) SDL_SetTextureColorMod(texture, 255, 255, 255);
    else SDL_SetTextureColorMod(texture, uint8_t(ds.r), uint8_t(ds.g), uint8_t(ds.b));
    SDL_SetTextureAlphaMod(texture, tb.alpha);
    float sx = transformed ? ds.scaleX : 1.0f, sy = transformed ? ds.scaleY : 1.0f;
    double angle = transformed ? ds.rotation : 0.0;
    if (sx == 0.0f || sy == 0.0f) return;
    float left = X + std::min(-hx * sx, (float(w) - hx) * sx);
    float top = Y + std::min(-hy * sy, (float(h) - hy) * sy);
    if (sx == 1.0f && sy == 1.0f && std::fmod(angle, 360.0) == 0.0) {
        // A picture drawn at its own size lands on whole pixels (a centred
        // handle of an odd width sits half a pixel off). Between two pixels
        // a renderer sampling the nearest texel doubles some columns and
        // drops others, and letters break. Truncation is what the software
        // renderer does itself, so its frames stay as they were.
        left = std::trunc(left);
        top = std::trunc(top);
    }
    SDL_FRect dst{left, top, std::fabs(float(w) * sx), std::fabs(float(h) * sy)};
    int flip = (sx < 0 ? SDL_FLIP_HORIZONTAL : 0) | (sy < 0 ? SDL_FLIP_VERTICAL : 0);
    // A turn the renderer cannot place (NaN, infinite), or a scaled picture
    // larger than any frame, is not drawn: the software renderer builds a
    // scaled or turned picture whole before clipping it, and crashed or ran
    // out of memory on these.
    constexpr float kMaxScaledSide = 8192.0f;
    if (!std::isfinite(angle)) return;
    if ((sx != 1.0f || sy != 1.0f) && !(dst.w <= kMaxScaledSide && dst.h <= kMaxScaledSide)) return;
    bool straight = std::fmod(angle, 360.0) == 0.0 && flip == 0;
    if (straight && sx == 1.0f && sy == 1.0f && frame && !source && blends && !frame->pieces().empty()) {
        // Only the parts of a large frame that show: a border's empty middle is skipped.
        for (const ImagePiece& piece : frame->pieces()) {
            SDL_Rect part{piece.x, piece.y, piece.w, piece.h};
            SDL_FRect to{left + float(piece.x), top + float(piece.y), float(piece.w), float(piece.h)};
            SDL_SetTextureBlendMode(texture, modeFor(piece.opaque));
            SDL_RenderCopyF(renderer, texture, &part, &to);
        }
        return;
    }
    if (straight) {
        SDL_RenderCopyF(renderer, texture, source, &dst);
        return;
    }
    SDL_FPoint centre{X - left, Y - top};
    SDL_RenderCopyExF(renderer, texture, source, &dst, angle, &centre, SDL_RendererFlip(flip));
}

// The font as one strip of 96 glyphs, white where the glyph is set.
ImageFrame& fontStrip() {
    static ImageFrame strip;
    if (strip.pixels.width == 0) {
        strip.pixels.width = 8 * 96;
        strip.pixels.height = 16;
        strip.pixels.pixels.assign(size_t(8 * 96 * 16), 0x00FFFFFFu);
        for (int code = 32; code < 128; ++code) {
            const uint8_t* rows = Backend::glyphRows(code);
            for (int y = 0; y < 16; ++y)
                for (int x = 0; x < 8; ++x)
                    if (rows[y] & (0x80 >> x))
                        strip.pixels.pixels[size_t(y) * 768 + size_t((code - 32) * 8 + x)] = 0xFFFFFFFFu;
        }
    }
    return strip;
}

}  // namespace

void Backend::resetDrawState() { ds = DrawState{}; }

void setColour(int r, int g, int b) {
    ds.r = std::clamp(r, 0, 255);
    ds.g = std::clamp(g, 0, 255);
    ds.b = std::clamp(b, 0, 255);
}

void setAlpha(float a) {
    if (!(a >= 0.0f)) a = 0.0f;  // also catches NaN
    ds.alpha = uint8_t(std::lround(double(std::min(a, 1.0f)) * 255.0));
}

void setBlend(int mode) { ds.blend = mode; }

void setRotation(float degrees) {
    ds.rotation = degrees;
    updateTransform();
}

void setScale(float sx, float sy) {
    ds.scaleX = sx;
    ds.scaleY = sy;
    updateTransform();
}

void setOrigin(float x, float y) {
    ds.originX = x;
    ds.originY = y;
}

int colourRed() { return ds.r; }
int colourGreen() { return ds.g; }
int colourBlue() { return ds.b; }
float getAlpha() { return float(ds.alpha) / 255.0f; }
int getBlend() { return ds.blend; }
float getRotation() { return ds.rotation; }
float originX() { return ds.originX; }
float originY() { return ds.originY; }

namespace {

void drawImageNow(ImageFrame& f, float handleX, float handleY, float x, float y) {
    bool masked = ds.blend == BLEND_MASK, tinted = false;
    SDL_Texture* texture = f.texture(masked, ds.r, ds.g, ds.b, tinted);
    int w = f.pixels.width, h = f.pixels.height;
    float X = x + ds.originX, Y = y + ds.originY;
    // Only turned draws: the renderer scales an unturned picture quickly enough.
    bool turned = std::isfinite(ds.rotation) && std::fmod(double(ds.rotation), 360.0) != 0.0;
    if (texture && turned && Backend::softwareRenderer() && TurnedSprites::suits(w, h, ds.scaleX, ds.scaleY)) {
        uint32_t look = uint32_t(masked) << 24 | (tinted ? uint32_t(ds.r << 16 | ds.g << 8 | ds.b) : 0xFFFFFFu);
        TurnedSprites::Sprite sprite =
            f.turnedSprites().get(texture, w, h, handleX, handleY, look, ds.rotation, ds.scaleX, ds.scaleY);
        if (sprite.empty) return;
        if (sprite.texture) {
            drawQuad(sprite.texture, nullptr, sprite.width, sprite.height, sprite.handleX, sprite.handleY, X, Y, false,
                     false, nullptr, tinted);
            return;
        }
    }
    drawQuad(texture, nullptr, w, h, handleX, handleY, X, Y, true, false, &f, tinted);
}

void tileImageNow(ImageFrame& f, float handleX, float handleY, float x, float y) {
    SDL_Renderer* renderer = Backend::renderer();
    if (!renderer) return;
    SDL_Texture* texture = f.texture(ds.blend == BLEND_MASK);
    int w = f.pixels.width, h = f.pixels.height;
    if (!texture || w <= 0 || h <= 0) return;
    int vw = 0, vh = 0;
    SDL_Rect viewport;
    SDL_RenderGetViewport(renderer, &viewport);
    vw = viewport.w;
    vh = viewport.h;
    // One copy's corner, then back to the first copy left of and above 0.
    double cx = double(x) + ds.originX - handleX, cy = double(y) + ds.originY - handleY;
    double startX = cx - std::ceil(cx / w) * w, startY = cy - std::ceil(cy / h) * h;
    for (double ty = startY; ty < vh; ty += h)
        for (double tx = startX; tx < vw; tx += w)
            drawQuad(texture, nullptr, w, h, 0, 0, float(tx), float(ty), false, false, &f);
}

void drawRectNow(float x, float y, float w, float h) {
    SDL_Renderer* renderer = Backend::renderer();
    if (!renderer) return;
    shapeColour(renderer);
    float X = x + ds.originX, Y = y + ds.originY;
    if (ds.iy == 0.0f && ds.jx == 0.0f) {
        float x0 = X + std::min(0.0f, w * ds.ix), y0 = Y + std::min(0.0f, h * ds.jy);
        SDL_FRect r{x0, y0, std::fabs(w * ds.ix), std::fabs(h * ds.jy)};
        SDL_RenderFillRectF(renderer, &r);
        return;
    }
    SDL_Color c{uint8_t(ds.r), uint8_t(ds.g), uint8_t(ds.b), 255};
    SDL_GetRenderDrawColor(renderer, &c.r, &c.g, &c.b, &c.a);
    auto corner = [&](float u, float v) {
        return SDL_Vertex{SDL_FPoint{u * ds.ix + v * ds.iy + X, u * ds.jx + v * ds.jy + Y}, c, SDL_FPoint{0, 0}};
    };
    SDL_Vertex v[4] = {corner(0, 0), corner(w, 0), corner(w, h), corner(0, h)};
    int indices[6] = {0, 1, 2, 0, 2, 3};
    SDL_RenderGeometry(renderer, nullptr, v, 4, indices, 6);
}

void drawLineNow(float x1, float y1, float x2, float y2, bool lastPixel) {
    SDL_Renderer* renderer = Backend::renderer();
    if (!renderer) return;
    shapeColour(renderer);
    float u = x2 - x1, v = y2 - y1;
    float X = x1 + ds.originX, Y = y1 + ds.originY;
    double a[2] = {X, Y}, b[2] = {u * ds.ix + v * ds.iy + X, u * ds.jx + v * ds.jy + Y};
    if (!std::isfinite(a[0]) || !std::isfinite(a[1]) || !std::isfinite(b[0]) || !std::isfinite(b[1])) return;
    // A line reaching far off the frame is cut to a margin round it first, so
    // the walk below stays short; lines near the frame are walked as they are.
    constexpr double kFar = 4096.0;
    SDL_Rect view;
    SDL_RenderGetViewport(renderer, &view);
    double lo[2] = {-kFar, -kFar}, hi[2] = {view.w + kFar, view.h + kFar};
    if (std::min({a[0], b[0], a[1], b[1]}) < -kFar || a[0] > hi[0] || b[0] > hi[0] || a[1] > hi[1] || b[1] > hi[1]) {
        double t0 = 0, t1 = 1;  // Liang-Barsky: the part of a->b inside the margin
        for (int k = 0; k < 2; ++k) {
            double d = b[k] - a[k];
            for (double edge : {lo[k], hi[k]}) {
                bool low = edge == lo[k];
                if (d == 0) {
                    if (low ? a[k] < edge : a[k] > edge) return;
                    continue;
                }
                double t = (edge - a[k]) / d;
                if ((d > 0) == low) t0 = std::max(t0, t);
                else t1 = std::min(t1, t);
            }
        }
        if (t0 > t1) return;
        double from[2] = {a[0] + t0 * (b[0] - a[0]), a[1] + t0 * (b[1] - a[1])};
        double to[2] = {a[0] + t1 * (b[0] - a[0]), a[1] + t1 * (b[1] - a[1])};
        a[0] = from[0], a[1] = from[1], b[0] = to[0], b[1] = to[1];
    }
    long ax = std::lround(a[0]), ay = std::lround(a[1]);
    long bx = std::lround(b[0]), by = std::lround(b[1]);
    // Our own Bresenham walk, so whether the end point is plotted is ours to say.
    long dx = std::labs(bx - ax), dy = -std::labs(by - ay);
    long stepX = ax < bx ? 1 : -1, stepY = ay < by ? 1 : -1, err = dx + dy;
    std::vector<SDL_Point> points;
    points.reserve(size_t(std::max(dx, -dy)) + 1);
    for (long px = ax, py = ay;;) {
        bool end = px == bx && py == by;
        if (!end || lastPixel) points.push_back(SDL_Point{int(px), int(py)});
        if (end) break;
        long e2 = 2 * err;
        if (e2 >= dy) err += dy, px += stepX;
        if (e2 <= dx) err += dx, py += stepY;
    }
    if (!points.empty()) SDL_RenderDrawPoints(renderer, points.data(), int(points.size()));
}

void drawTextNow(const std::string& text, float x, float y) {
    if (!Backend::renderer()) return;
    ImageFrame& strip = fontStrip();
    SDL_Texture* texture = strip.texture(true);
    float X = x + ds.originX, Y = y + ds.originY;
    for (size_t i = 0; i < text.size(); ++i) {
        int code = static_cast<unsigned char>(text[i]);
        if (code < 32 || code > 127) code = '?';
        if (code == ' ') continue;
        SDL_Rect source{(code - 32) * 8, 0, 8, 16};
        float u = float(i) * 8.0f;  // glyphs advance along the rotated baseline
        drawQuad(texture, &source, 8, 16, 0, 0, X + u * ds.ix, Y + u * ds.jx, true, true);
    }
}

void clearNow() {
    SDL_Renderer* renderer = Backend::renderer();
    if (!renderer) return;
    SDL_SetRenderDrawBlendMode(renderer, SDL_BLENDMODE_NONE);
    SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
    SDL_RenderClear(renderer);
}

// A call made now, in the drawing state of now.
DrawCommand command(DrawCommand::Kind kind, float a = 0, float b = 0, float c = 0, float d = 0) {
    DrawCommand made;
    made.kind = kind;
    made.state = ds;
    made.a = a, made.b = b, made.c = c, made.d = d;
    return made;
}

DrawCommand pictureCommand(DrawCommand::Kind kind, const ImagePtr& image, int frame, float x, float y) {
    DrawCommand made = command(kind, x, y);
    made.picture = image->frames[size_t(frame)];
    made.pictureVersion = made.picture->version();
    made.handleX = image->handleX;
    made.handleY = image->handleY;
    return made;
}

}  // namespace

void executeDrawCommand(const DrawCommand& c) {
    DrawState live = ds;
    ds = c.state;
    switch (c.kind) {
    case DrawCommand::Clear: clearNow(); break;
    case DrawCommand::Image: drawImageNow(*c.picture, c.handleX, c.handleY, c.a, c.b); break;
    case DrawCommand::Tile: tileImageNow(*c.picture, c.handleX, c.handleY, c.a, c.b); break;
    case DrawCommand::Rect: drawRectNow(c.a, c.b, c.c, c.d); break;
    case DrawCommand::Line: drawLineNow(c.a, c.b, c.c, c.d, c.lastPixel); break;
    case DrawCommand::Text: drawTextNow(c.text, c.a, c.b); break;
    }
    ds = live;
}

void drawImage(const ImagePtr& image, float x, float y, int frame) {
    if (!image || frame < 0 || frame >= image->frameCount() || !image->frames[size_t(frame)]) return;
    FrameComposer::submit(pictureCommand(DrawCommand::Image, image, frame, x, y));
}

void tileImage(const ImagePtr& image, float x, float y, int frame) {
    if (!image || frame < 0 || frame >= image->frameCount() || !image->frames[size_t(frame)]) return;
    FrameComposer::submit(pictureCommand(DrawCommand::Tile, image, frame, x, y));
}

void drawRect(float x, float y, float w, float h) { FrameComposer::submit(command(DrawCommand::Rect, x, y, w, h)); }

void drawLine(float x1, float y1, float x2, float y2, bool lastPixel) {
    DrawCommand line = command(DrawCommand::Line, x1, y1, x2, y2);
    line.lastPixel = lastPixel;
    FrameComposer::submit(std::move(line));
}

void drawText(const std::string& text, float x, float y) {
    if (text.empty()) return;
    DrawCommand words = command(DrawCommand::Text, x, y);
    words.text = text;
    FrameComposer::submit(std::move(words));
}

void clearFrame() { FrameComposer::submit(command(DrawCommand::Clear)); }

}  // namespace qm
