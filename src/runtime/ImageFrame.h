// One frame of a picture: its pixels, kept for as long as the frame lives,
// and its textures, made lazily for whichever renderer is current. Pictures
// can therefore be loaded before graphics open, and survive the renderer
// being recreated when the game switches to full screen.
#pragma once
#include <cstdint>

#include "Image.h"

struct SDL_Texture;

namespace qm {

struct ImageFrame {
    Pixmap pixels;
    bool filtered = false;

    ImageFrame() = default;
    ImageFrame(const ImageFrame&) = delete;
    ImageFrame& operator=(const ImageFrame&) = delete;
    ~ImageFrame();

    // The texture for the current renderer; the masked one has its alpha
    // thresholded at one half (the mask blend mode). nullptr while graphics
    // are closed or the texture cannot be made.
    SDL_Texture* texture(bool masked);
    // The pixels changed: the textures are rebuilt on next use.
    void invalidate();

private:
    SDL_Texture* plain = nullptr;
    SDL_Texture* thresholded = nullptr;
    uint64_t generation = 0;  // renderer generation the textures belong to
    void dropTextures();
};

}  // namespace qm
