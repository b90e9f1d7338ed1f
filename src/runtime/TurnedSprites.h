// Ready-turned copies of one small picture frame, for the software renderer.
// Turning and scaling a picture there costs a fresh surface, a rotation and
// a blend on every draw; sparks and trail particles are drawn hundreds of
// times a frame at a handful of angles and sizes each, so each angle and size
// (to the degree and to a sixty-fourth) is turned once, into a texture cut to
// the pixels that show, and afterwards merely copied.
#pragma once
#include <cstddef>
#include <cstdint>
#include <unordered_map>

struct SDL_Texture;

namespace qm {

class TurnedSprites {
public:
    struct Sprite {
        SDL_Texture* texture = nullptr;  // nullptr: could not be made, draw the slow way
        bool empty = false;              // turned to nothing visible: draw nothing
        int width = 0, height = 0;
        float handleX = 0, handleY = 0;  // where the frame's handle lies in the sprite
    };

    TurnedSprites() = default;
    TurnedSprites(const TurnedSprites&) = delete;
    TurnedSprites& operator=(const TurnedSprites&) = delete;
    ~TurnedSprites();

    // Whether a draw at this angle and scale can use the cache at all.
    static bool suits(int frameWidth, int frameHeight, float scaleX, float scaleY);

    // The source texture (w x h, handle at hx, hy) turned by angle degrees
    // and scaled; look is a key for the source's tint and masking.
    Sprite get(SDL_Texture* source, int w, int h, float hx, float hy, uint32_t look, double angle, float scaleX,
               float scaleY);

    // Drops every copy; destroy is false when their renderer is already gone.
    void clear(bool destroy);
    size_t size() const { return sprites.size(); }

private:
    struct Entry {
        Sprite sprite;
        uint64_t lastUse;
    };
    std::unordered_map<uint64_t, Entry> sprites;
    uint64_t uses = 0;
    Sprite make(SDL_Texture* source, int w, int h, float hx, float hy, double angle, float sx, float sy);
    void evictOldest();
};

}  // namespace qm
