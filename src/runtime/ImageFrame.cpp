// Lazily made textures of an image frame (see ImageFrame.h).
#include "ImageFrame.h"

#include <SDL.h>

#include "Backend.h"

namespace qm {

ImageFrame::~ImageFrame() { dropTextures(); }

void ImageFrame::dropTextures() {
    // Textures of a renderer that is gone were freed with it.
    if (generation == Backend::rendererGeneration() && Backend::renderer()) {
        if (plain) SDL_DestroyTexture(plain);
        if (thresholded) SDL_DestroyTexture(thresholded);
    }
    plain = thresholded = nullptr;
}

void ImageFrame::invalidate() { dropTextures(); }

SDL_Texture* ImageFrame::texture(bool masked) {
    SDL_Renderer* renderer = Backend::renderer();
    if (!renderer || pixels.width <= 0 || pixels.height <= 0) return nullptr;
    if (generation != Backend::rendererGeneration()) {
        plain = thresholded = nullptr;
        generation = Backend::rendererGeneration();
    }
    SDL_Texture*& slot = masked ? thresholded : plain;
    if (slot) return slot;
    slot = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STATIC, pixels.width,
                             pixels.height);
    if (!slot) return nullptr;
    if (masked) {
        std::vector<uint32_t> cut(pixels.pixels);
        for (uint32_t& p : cut) p = (p >> 24) >= 128 ? (p | 0xFF000000u) : (p & 0x00FFFFFFu);
        SDL_UpdateTexture(slot, nullptr, cut.data(), pixels.width * 4);
    } else {
        SDL_UpdateTexture(slot, nullptr, pixels.pixels.data(), pixels.width * 4);
    }
    SDL_SetTextureScaleMode(slot, filtered ? SDL_ScaleModeLinear : SDL_ScaleModeNearest);
    return slot;
}

}  // namespace qm
