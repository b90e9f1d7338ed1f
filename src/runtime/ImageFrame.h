// One frame of a picture: its pixels, kept for as long as the frame lives,
// and its textures, made lazily for whichever renderer is current. Pictures
// can therefore be loaded before graphics open, and survive the renderer
// being recreated when the game switches to full screen.
#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "Image.h"

struct SDL_Texture;

namespace qm {

class TurnedSprites;

// A rectangle of a large frame that holds something to draw: the frame cut
// into squares, fully see-through squares left out, opaque ones marked.
struct ImagePiece {
    int x, y, w, h;
    bool opaque;
};

struct ImageFrame {
    // Width and height always; the pixels themselves may be let go (below).
    Pixmap pixels;
    bool filtered = false;
    // Set for a large picture loaded from a file: its bytes, from which the
    // pixels are decoded again when needed, so that once the renderer has
    // the picture only the renderer's copy and the file's bytes are kept.
    std::shared_ptr<const std::vector<uint8_t>> encoded;
    bool maskBlack = false;  // the masked flag: black is made see-through

    ImageFrame();
    ImageFrame(const ImageFrame&) = delete;
    ImageFrame& operator=(const ImageFrame&) = delete;
    ~ImageFrame();

    // The texture for the current renderer; the masked one has its alpha
    // thresholded at one half (the mask blend mode). nullptr while graphics
    // are closed or the texture cannot be made.
    SDL_Texture* texture(bool masked);
    // The same with a colour tint baked in (r, g, b each 0..255), for small
    // frames drawn tinted again and again (floor cells, sparks): the software
    // renderer copies a plain texture several times faster than it modulates
    // one. Falls back to the untinted texture (and sets tinted to false) for
    // white or for large frames, whose tint is left to the renderer.
    SDL_Texture* texture(bool masked, int r, int g, int b, bool& tinted);
    // The pixels changed: the textures are rebuilt on next use.
    void invalidate();
    // Counts the changes of the pixels, so a kept frame knows its pictures.
    uint64_t version() const { return pixelsVersion; }
    // Every pixel fully opaque: alpha blending it at full alpha is a plain
    // copy, which the software renderer does many times faster.
    bool opaque();
    // The pieces of a large frame (borders, panels) worth drawing when it is
    // blended or added untransformed; empty for small frames, drawn whole.
    const std::vector<ImagePiece>& pieces();
    // Makes sure the pixels are there (decoding them again if let go).
    void ensurePixels();
    // Lets the pixels of a picture kept as its file's bytes go.
    void releasePixels();
    // Ready-turned copies of this frame for the current renderer.
    TurnedSprites& turnedSprites();

private:
    SDL_Texture* plain = nullptr;
    SDL_Texture* thresholded = nullptr;
    uint64_t generation = 0;  // renderer generation the textures belong to
    int opaqueKnown = -1;     // -1 not yet looked at, else 0 or 1
    bool piecesKnown = false;
    std::vector<ImagePiece> cut;
    struct Tint {
        uint32_t key;  // masked << 24 | r << 16 | g << 8 | b
        SDL_Texture* texture;
        uint64_t lastUse;
    };
    std::vector<Tint> tints;  // a few, the least recently used replaced first
    std::unique_ptr<TurnedSprites> turned;
    uint64_t uses = 0;
    uint64_t pixelsVersion = 0;
    void dropTextures();
    SDL_Texture* makeTexture(const std::vector<uint32_t>& argb);
};

}  // namespace qm
