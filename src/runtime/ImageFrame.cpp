// Lazily made textures of an image frame (see ImageFrame.h).
#include "ImageFrame.h"

#include <SDL.h>

#include <algorithm>

#include "Backend.h"
#include "TurnedSprites.h"

namespace qm {

ImageFrame::ImageFrame() = default;
ImageFrame::~ImageFrame() { dropTextures(); }

void ImageFrame::dropTextures() {
    // Textures of a renderer that is gone were freed with it.
    bool live = generation == Backend::rendererGeneration() && Backend::renderer();
    if (turned) turned->clear(live);
    if (live) {
        if (plain) SDL_DestroyTexture(plain);
        if (thresholded) SDL_DestroyTexture(thresholded);
        for (Tint& t : tints) SDL_DestroyTexture(t.texture);
    }
    plain = thresholded = nullptr;
    tints.clear();
}

void ImageFrame::invalidate() {
    dropTextures();
    ++pixelsVersion;
    opaqueKnown = -1;
    piecesKnown = false;
    cut.clear();
}

const std::vector<ImagePiece>& ImageFrame::pieces() {
    constexpr int kSide = 32, kMinPixels = 128 * 128;
    if (piecesKnown) return cut;
    piecesKnown = true;
    int w = pixels.width, h = pixels.height;
    if (w * h < kMinPixels) return cut;
    for (int y0 = 0; y0 < h; y0 += kSide) {
        int rows = std::min(kSide, h - y0);
        ImagePiece run{0, y0, 0, rows, false};
        int runKind = 0;  // 0 see-through, 1 opaque, 2 mixed
        auto close = [&] {
            if (runKind != 0 && run.w > 0) cut.push_back(run);
        };
        for (int x0 = 0; x0 < w; x0 += kSide) {
            int cols = std::min(kSide, w - x0);
            bool anyShown = false, allOpaque = true;
            for (int y = y0; y < y0 + rows; ++y)
                for (int x = x0; x < x0 + cols; ++x) {
                    uint32_t a = pixels.at(x, y) >> 24;
                    anyShown |= a != 0;
                    allOpaque &= a == 255;
                }
            int kind = !anyShown ? 0 : allOpaque ? 1 : 2;
            if (kind != runKind || run.w == 0) {
                close();
                run = ImagePiece{x0, y0, 0, rows, kind == 1};
                runKind = kind;
            }
            run.w += cols;
        }
        close();
    }
    return cut;
}

void ImageFrame::ensurePixels() {
    if (!encoded || !pixels.pixels.empty()) return;
    Pixmap decoded;
    // The bytes decoded once at load; a failure now leaves the frame blank.
    if (!decodePicture(*encoded, decoded) || decoded.width != pixels.width || decoded.height != pixels.height) {
        pixels.pixels.assign(size_t(pixels.width) * size_t(pixels.height), 0);
        return;
    }
    if (maskBlack)
        for (uint32_t& p : decoded.pixels)
            if ((p & 0x00FFFFFFu) == 0) p = 0;
    pixels.pixels = std::move(decoded.pixels);
}

void ImageFrame::releasePixels() {
    if (encoded) pixels.pixels = std::vector<uint32_t>();  // freed, not just emptied
}

TurnedSprites& ImageFrame::turnedSprites() {
    if (!turned) turned = std::make_unique<TurnedSprites>();
    return *turned;
}

bool ImageFrame::opaque() {
    if (opaqueKnown < 0) {
        opaqueKnown = 1;
        for (uint32_t p : pixels.pixels)
            if ((p >> 24) != 0xFF) {
                opaqueKnown = 0;
                break;
            }
    }
    return opaqueKnown == 1;
}

namespace {

constexpr size_t kMaxTints = 6;
constexpr int kMaxTintedPixels = 64 * 64;

// The mask blend mode's view of a pixel: alpha cut at one half.
uint32_t thresholdAlpha(uint32_t p) { return (p >> 24) >= 128 ? (p | 0xFF000000u) : (p & 0x00FFFFFFu); }

// The renderer's own colour modulation, channel by channel: c * m / 255.
uint32_t modulate(uint32_t p, uint32_t r, uint32_t g, uint32_t b) {
    uint32_t pr = (p >> 16) & 255, pg = (p >> 8) & 255, pb = p & 255;
    return (p & 0xFF000000u) | (pr * r / 255) << 16 | (pg * g / 255) << 8 | (pb * b / 255);
}

}  // namespace

SDL_Texture* ImageFrame::makeTexture(const std::vector<uint32_t>& argb) {
    SDL_Texture* t = SDL_CreateTexture(Backend::renderer(), SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STATIC,
                                       pixels.width, pixels.height);
    if (!t) return nullptr;
    SDL_UpdateTexture(t, nullptr, argb.data(), pixels.width * 4);
    SDL_SetTextureScaleMode(t, filtered ? SDL_ScaleModeLinear : SDL_ScaleModeNearest);
    return t;
}

SDL_Texture* ImageFrame::texture(bool masked) {
    SDL_Renderer* renderer = Backend::renderer();
    if (!renderer || pixels.width <= 0 || pixels.height <= 0) return nullptr;
    if (generation != Backend::rendererGeneration()) {
        plain = thresholded = nullptr;
        tints.clear();
        if (turned) turned->clear(false);
        generation = Backend::rendererGeneration();
    }
    SDL_Texture*& slot = masked ? thresholded : plain;
    if (slot) return slot;
    ensurePixels();
    // Worked out while the pixels are here, for the draws to come.
    opaque();
    pieces();
    if (masked) {
        std::vector<uint32_t> cut(pixels.pixels);
        for (uint32_t& p : cut) p = thresholdAlpha(p);
        slot = makeTexture(cut);
    } else {
        slot = makeTexture(pixels.pixels);
    }
    releasePixels();
    return slot;
}

SDL_Texture* ImageFrame::texture(bool masked, int r, int g, int b, bool& tinted) {
    tinted = false;
    SDL_Texture* untinted = texture(masked);
    if (!untinted || (r == 255 && g == 255 && b == 255) || pixels.width * pixels.height > kMaxTintedPixels)
        return untinted;
    uint32_t key = uint32_t(masked) << 24 | uint32_t(r & 255) << 16 | uint32_t(g & 255) << 8 | uint32_t(b & 255);
    ++uses;
    for (Tint& t : tints)
        if (t.key == key) {
            t.lastUse = uses;
            tinted = true;
            return t.texture;
        }
    std::vector<uint32_t> baked(pixels.pixels);
    for (uint32_t& p : baked) p = modulate(masked ? thresholdAlpha(p) : p, uint32_t(r), uint32_t(g), uint32_t(b));
    SDL_Texture* made = makeTexture(baked);
    if (!made) return untinted;
    if (tints.size() < kMaxTints) {
        tints.push_back(Tint{key, made, uses});
    } else {
        auto oldest = std::min_element(tints.begin(), tints.end(),
                                       [](const Tint& a, const Tint& b) { return a.lastUse < b.lastUse; });
        SDL_DestroyTexture(oldest->texture);
        *oldest = Tint{key, made, uses};
    }
    tinted = true;
    return made;
}

}  // namespace qm
