// Pictures: loading PNG and JPEG files, cutting strips into frames, handles,
// grabbing the frame and writing PNG files.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace qm {

// A frame's pixels, 32-bit ARGB (0xAARRGGBB), row by row.
struct Pixmap {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;
    uint32_t at(int x, int y) const { return pixels[size_t(y) * size_t(width) + size_t(x)]; }
};

struct ImageFrame;  // back-end texture and pixels of one frame

struct TImage {
    int width = 0;   // of one frame
    int height = 0;
    float handleX = 0;
    float handleY = 0;
    int flags = 0;
    std::vector<std::shared_ptr<ImageFrame>> frames;
    int frameCount() const { return int(frames.size()); }
    ~TImage();
};
using ImagePtr = std::shared_ptr<TImage>;

enum ImageFlags : int { IMG_MASKED = 1, IMG_FILTERED = 2, IMG_MIPMAPPED = 4, IMG_DYNAMIC = 8 };

// Null (nullptr) for a missing, truncated or corrupt file; writes a debug line.
ImagePtr loadImage(const std::string& path, int flags = -1);
ImagePtr loadAnimImage(const std::string& path, int cellWidth, int cellHeight, int firstCell, int cellCount,
                       int flags = -1);
ImagePtr createImage(int width, int height, int frames = 1, int flags = -1);
void setAutoMidHandle(int on);
int autoMidHandle();
void setDefaultImageFlags(int flags);
int defaultImageFlags();
void setImageHandle(const ImagePtr& image, float x, float y);
// Copies the frame rectangle at (x, y), of the image's size, into its frame 0.
void grabImage(const ImagePtr& image, int x, int y);
Pixmap lockImage(const ImagePtr& image, int frame = 0);
// Writes a whole frame's pixels back (the pixmap must have the frame's size).
bool setImagePixels(const ImagePtr& image, const Pixmap& pixels, int frame = 0);
// Writes the pixmap as PNG (deflate level 0..9). False when it cannot be written.
bool savePng(const Pixmap& pixmap, const std::string& path, int compression);
// The whole current frame as a pixmap (used by screenshots and tests).
Pixmap grabFrame();

// Pictures of at least this many pixels loaded whole from a file keep the
// file's bytes and let their pixels go once the renderer has them; they are
// decoded again when the pixels are asked for (a new renderer, a lock).
constexpr int kKeptEncodedPixels = 256 * 256;
// A PNG or JPEG file's picture, told apart by its first bytes.
bool decodePicture(const std::vector<uint8_t>& bytes, Pixmap& out);

// Decoders, exposed for tests and fuzzers: they never abort on bad data.
bool decodePng(const std::vector<uint8_t>& bytes, Pixmap& out);
bool decodeJpeg(const std::vector<uint8_t>& bytes, Pixmap& out);
// The largest picture (PNG or BMP) inside a Windows icon file.
bool decodeIco(const std::vector<uint8_t>& bytes, Pixmap& out);

}  // namespace qm
