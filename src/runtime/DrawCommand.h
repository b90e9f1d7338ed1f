// One drawing call as the game made it, with the drawing state it was made
// in: a frame is kept as the list of its calls until it is flipped, so a
// frame equal to the last one is neither composed nor presented again, and
// one that begins like the last is composed over a kept picture of what the
// two share. Internal to src/runtime.
#pragma once
#include <cstdint>
#include <memory>
#include <string>

namespace qm {

struct ImageFrame;

// The drawing state every primitive reads.
struct DrawState {
    int r = 255, g = 255, b = 255;
    uint8_t alpha = 255;
    int blend = 2;  // solid
    float rotation = 0, scaleX = 1, scaleY = 1, originX = 0, originY = 0;
    // The transform, recomputed whenever rotation or scale is set.
    float ix = 1, iy = 0, jx = 0, jy = 1;
    bool operator==(const DrawState&) const = default;
};

struct DrawCommand {
    enum Kind : uint8_t { Clear, Image, Tile, Rect, Line, Text } kind = Clear;
    DrawState state;
    // The picture frame drawn, kept alive until the frame is composed, and
    // the version of its pixels then (pixels written later change it).
    std::shared_ptr<ImageFrame> picture;
    uint64_t pictureVersion = 0;
    float handleX = 0, handleY = 0;
    float a = 0, b = 0, c = 0, d = 0;  // position, size or line ends
    bool lastPixel = false;
    std::string text;
    bool operator==(const DrawCommand&) const = default;
};

// Carries a command out on the current renderer (Draw.cpp).
void executeDrawCommand(const DrawCommand& command);

}  // namespace qm
