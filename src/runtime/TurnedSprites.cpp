// Ready-turned copies of a small frame (see TurnedSprites.h).
#include "TurnedSprites.h"

#include <SDL.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "Backend.h"

namespace qm {

namespace {

constexpr int kMaxSide = 64;          // frames larger than this are turned on every draw
constexpr float kScaleSteps = 64.0f;  // scale kept to the nearest sixty-fourth
constexpr float kMaxScale = 4.0f;
constexpr size_t kMaxSprites = 1024;  // per frame; a few megabytes at most
constexpr double kDegToRad = 0.017453292519943295;

int quantScale(float s) { return int(std::lround(double(s) * kScaleSteps)); }

int quantAngle(double degrees) {
    long a = std::lround(std::fmod(degrees, 360.0));
    return int((a % 360 + 360) % 360);
}

}  // namespace

TurnedSprites::~TurnedSprites() { clear(Backend::renderer() != nullptr); }

bool TurnedSprites::suits(int frameWidth, int frameHeight, float scaleX, float scaleY) {
    if (frameWidth > kMaxSide || frameHeight > kMaxSide) return false;
    if (!(std::fabs(scaleX) <= kMaxScale && std::fabs(scaleY) <= kMaxScale)) return false;  // also NaN
    return quantScale(scaleX) != 0 && quantScale(scaleY) != 0;
}

void TurnedSprites::clear(bool destroy) {
    if (destroy)
        for (auto& [key, entry] : sprites)
            if (entry.sprite.texture) SDL_DestroyTexture(entry.sprite.texture);
    sprites.clear();
}

void TurnedSprites::evictOldest() {
    auto oldest = std::min_element(sprites.begin(), sprites.end(),
                                   [](const auto& a, const auto& b) { return a.second.lastUse < b.second.lastUse; });
    if (oldest == sprites.end()) return;
    if (oldest->second.sprite.texture) SDL_DestroyTexture(oldest->second.sprite.texture);
    sprites.erase(oldest);
}

TurnedSprites::Sprite TurnedSprites::get(SDL_Texture* source, int w, int h, float hx, float hy, uint32_t look,
                                         double angle, float scaleX, float scaleY) {
    int a = quantAngle(angle);
    int qx = quantScale(scaleX), qy = quantScale(scaleY);
    uint64_t key = uint64_t(look & 0x1FFFFFFu) << 33 | uint64_t(a) << 24 | uint64_t(qx + 2048) << 12 |
                   uint64_t(qy + 2048);
    ++uses;
    auto found = sprites.find(key);
    if (found != sprites.end()) {
        found->second.lastUse = uses;
        return found->second.sprite;
    }
    if (sprites.size() >= kMaxSprites) evictOldest();
    Sprite made = make(source, w, h, hx, hy, a, float(qx) / kScaleSteps, float(qy) / kScaleSteps);
    sprites.emplace(key, Entry{made, uses});
    return made;
}

TurnedSprites::Sprite TurnedSprites::make(SDL_Texture* source, int w, int h, float hx, float hy, double angle,
                                          float sx, float sy) {
    SDL_Renderer* renderer = Backend::renderer();
    if (!renderer) return {};
    // How far the turned picture reaches from its handle, either way.
    double c = std::cos(angle * kDegToRad), s = std::sin(angle * kDegToRad);
    double reachX = 0, reachY = 0;
    for (float u : {-hx * sx, (float(w) - hx) * sx})
        for (float v : {-hy * sy, (float(h) - hy) * sy}) {
            reachX = std::max(reachX, std::fabs(u * c - v * s));
            reachY = std::max(reachY, std::fabs(u * s + v * c));
        }
    int boxW = 2 * int(std::ceil(reachX)) + 2, boxH = 2 * int(std::ceil(reachY)) + 2;
    SDL_Texture* box = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_TARGET, boxW, boxH);
    if (!box) return {};
    SDL_Texture* frameTarget = SDL_GetRenderTarget(renderer);
    std::vector<uint32_t> turned(size_t(boxW) * size_t(boxH));
    bool drawn = SDL_SetRenderTarget(renderer, box) == 0;
    if (drawn) {
        SDL_SetRenderDrawBlendMode(renderer, SDL_BLENDMODE_NONE);
        SDL_SetRenderDrawColor(renderer, 0, 0, 0, 0);
        SDL_RenderClear(renderer);
        SDL_SetTextureBlendMode(source, SDL_BLENDMODE_NONE);
        SDL_SetTextureColorMod(source, 255, 255, 255);
        SDL_SetTextureAlphaMod(source, 255);
        float cx = float(boxW) / 2, cy = float(boxH) / 2;
        // Snapped to 1/4096 pixel: near 0 a float keeps noise (0.8f * 10 is a
        // hair over 8) that would truncate a whole pixel off, where the same
        // sum made at a frame position rounds it away.
        auto snap = [](float v) { return float(std::round(double(v) * 4096.0) / 4096.0); };
        float left = snap(cx + std::min(-hx * sx, (float(w) - hx) * sx));
        float top = snap(cy + std::min(-hy * sy, (float(h) - hy) * sy));
        SDL_FRect dst{left, top, snap(std::fabs(float(w) * sx)), snap(std::fabs(float(h) * sy))};
        SDL_FPoint centre{cx - left, cy - top};
        int flip = (sx < 0 ? SDL_FLIP_HORIZONTAL : 0) | (sy < 0 ? SDL_FLIP_VERTICAL : 0);
        // Turned by under half a degree: a plain scaled copy, as an unturned draw is made.
        if (angle == 0.0 && flip == 0) SDL_RenderCopyF(renderer, source, nullptr, &dst);
        else SDL_RenderCopyExF(renderer, source, nullptr, &dst, angle, &centre, SDL_RendererFlip(flip));
        drawn = SDL_RenderReadPixels(renderer, nullptr, SDL_PIXELFORMAT_ARGB8888, turned.data(), boxW * 4) == 0;
    }
    SDL_SetRenderTarget(renderer, frameTarget);
    SDL_DestroyTexture(box);
    if (!drawn) return {};

    // Cut to the pixels that show: a turned square's corners are empty.
    int x0 = boxW, y0 = boxH, x1 = -1, y1 = -1;
    for (int y = 0; y < boxH; ++y)
        for (int x = 0; x < boxW; ++x)
            if (turned[size_t(y) * size_t(boxW) + size_t(x)] >> 24) {
                x0 = std::min(x0, x), x1 = std::max(x1, x);
                y0 = std::min(y0, y), y1 = std::max(y1, y);
            }
    Sprite out;
    if (x1 < 0) {
        out.empty = true;
        return out;
    }
    out.width = x1 - x0 + 1;
    out.height = y1 - y0 + 1;
    out.handleX = float(boxW) / 2 - float(x0);
    out.handleY = float(boxH) / 2 - float(y0);
    out.texture =
        SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STATIC, out.width, out.height);
    if (!out.texture) return {};
    SDL_UpdateTexture(out.texture, nullptr, turned.data() + size_t(y0) * size_t(boxW) + size_t(x0), boxW * 4);
    return out;
}

}  // namespace qm
