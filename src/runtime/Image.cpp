// Pictures: loading PNG and JPEG files into frames, cutting strips, handles,
// grabbing from the frame, reading and writing pixels.
#include "Image.h"

#include <algorithm>

#include "Backend.h"
#include "Diagnostics.h"
#include "Files.h"
#include "ImageFrame.h"
#include "Prefetch.h"

namespace qm {

TImage::~TImage() = default;

namespace {

int midHandle = 0;
int defaultFlags = 0;

using Encoded = std::shared_ptr<const std::vector<uint8_t>>;

// The picture's pixels, or for a large one its size and its file's bytes.
bool loadPixels(const std::string& path, Pixmap& out, Encoded& encoded) {
    prefetch::Outcome ahead = prefetch::takeImage(path, out, encoded);
    std::vector<uint8_t> bytes;
    if (ahead == prefetch::Outcome::Missing ||
        (ahead == prefetch::Outcome::NotPrefetched && !readWholeFile(path, bytes))) {
        debugLog("image missing: " + path);
        return false;
    }
    if (ahead == prefetch::Outcome::Undecodable ||
        (ahead == prefetch::Outcome::NotPrefetched && !decodePicture(bytes, out))) {
        debugLog("image unreadable: " + path);
        return false;
    }
    if (ahead == prefetch::Outcome::NotPrefetched && int64_t(out.width) * out.height >= kKeptEncodedPixels) {
        encoded = std::make_shared<const std::vector<uint8_t>>(std::move(bytes));
        out.pixels = std::vector<uint32_t>();
    }
    return true;
}

std::shared_ptr<ImageFrame> makeFrame(Pixmap pixels, int flags, Encoded encoded = nullptr) {
    auto frame = std::make_shared<ImageFrame>();
    frame->encoded = std::move(encoded);
    frame->maskBlack = (flags & IMG_MASKED) != 0;
    // Masked pictures treat the mask colour (black) as see-through.
    if (flags & IMG_MASKED)
        for (uint32_t& p : pixels.pixels)
            if ((p & 0x00FFFFFFu) == 0) p = 0;
    frame->pixels = std::move(pixels);
    frame->filtered = (flags & IMG_FILTERED) != 0;
    return frame;
}

ImagePtr makeImage(int width, int height, int flags) {
    auto image = std::make_shared<TImage>();
    image->width = width;
    image->height = height;
    image->flags = flags;
    if (midHandle) {
        image->handleX = float(width) * 0.5f;
        image->handleY = float(height) * 0.5f;
    }
    return image;
}

Pixmap cut(const Pixmap& from, int x0, int y0, int w, int h) {
    Pixmap out;
    out.width = w;
    out.height = h;
    out.pixels.resize(size_t(w) * size_t(h));
    for (int y = 0; y < h; ++y)
        std::copy_n(from.pixels.begin() + ptrdiff_t(size_t(y0 + y) * size_t(from.width) + size_t(x0)), w,
                    out.pixels.begin() + ptrdiff_t(size_t(y) * size_t(w)));
    return out;
}

int resolveFlags(int flags) { return flags == -1 ? defaultFlags : flags; }

}  // namespace

bool decodePicture(const std::vector<uint8_t>& bytes, Pixmap& out) {
    if (bytes.size() >= 8 && bytes[0] == 0x89 && bytes[1] == 'P' && bytes[2] == 'N' && bytes[3] == 'G')
        return decodePng(bytes, out);
    if (bytes.size() >= 2 && bytes[0] == 0xFF && bytes[1] == 0xD8) return decodeJpeg(bytes, out);
    return false;
}

ImagePtr loadImage(const std::string& path, int flags) {
    flags = resolveFlags(flags);
    Pixmap pixels;
    Encoded encoded;
    if (!loadPixels(path, pixels, encoded)) return nullptr;
    Backend::breathe();  // a page loading many pictures keeps drawing
    ImagePtr image = makeImage(pixels.width, pixels.height, flags);
    image->frames.push_back(makeFrame(std::move(pixels), flags, std::move(encoded)));
    return image;
}

ImagePtr loadAnimImage(const std::string& path, int cellWidth, int cellHeight, int firstCell, int cellCount,
                       int flags) {
    flags = resolveFlags(flags);
    if (cellWidth <= 0 || cellHeight <= 0 || firstCell < 0 || cellCount < 1) {
        debugLog("image cells impossible: " + path);
        return nullptr;
    }
    Pixmap strip;
    Encoded encoded;
    if (!loadPixels(path, strip, encoded)) return nullptr;
    Backend::breathe();
    if (encoded && firstCell == 0 && cellCount == 1 && cellWidth == strip.width && cellHeight == strip.height) {
        // One cell that is the whole picture (a tutorial page): kept as its file.
        ImagePtr image = makeImage(cellWidth, cellHeight, flags);
        image->frames.push_back(makeFrame(std::move(strip), flags, std::move(encoded)));
        return image;
    }
    // Cells are cut from the whole strip; it was decoded once already.
    if (encoded && !decodePicture(*encoded, strip)) return nullptr;
    int columns = strip.width / cellWidth;  // whole cells only
    int rows = strip.height / cellHeight;
    if (int64_t(columns) * rows < int64_t(firstCell) + cellCount) {
        debugLog("image too small for its cells: " + path);
        return nullptr;
    }
    ImagePtr image = makeImage(cellWidth, cellHeight, flags);
    for (int k = 0; k < cellCount; ++k) {
        int cell = firstCell + k;
        Pixmap one = cut(strip, cellWidth * (cell % columns), cellHeight * (cell / columns), cellWidth, cellHeight);
        image->frames.push_back(makeFrame(std::move(one), flags));
    }
    return image;
}

ImagePtr createImage(int width, int height, int frames, int flags) {
    if (width <= 0 || height <= 0 || frames < 1 || int64_t(width) * height > (int64_t(1) << 26)) return nullptr;
    flags = resolveFlags(flags) | IMG_DYNAMIC;
    ImagePtr image = makeImage(width, height, flags);
    for (int i = 0; i < frames; ++i) {
        Pixmap blank;
        blank.width = width;
        blank.height = height;
        blank.pixels.assign(size_t(width) * size_t(height), 0);
        image->frames.push_back(makeFrame(std::move(blank), flags & ~IMG_MASKED));
    }
    return image;
}

void setAutoMidHandle(int on) { midHandle = on ? 1 : 0; }
int autoMidHandle() { return midHandle; }

void setDefaultImageFlags(int flags) {
    if (flags != -1) defaultFlags = flags;
}
int defaultImageFlags() { return defaultFlags; }

void setImageHandle(const ImagePtr& image, float x, float y) {
    if (!image) return;
    image->handleX = x;
    image->handleY = y;
}

Pixmap readFramePixels(int x, int y, int w, int h);  // Graphics.cpp

void grabImage(const ImagePtr& image, int x, int y) {
    if (!image || image->frames.empty() || !image->frames[0]) return;
    ImageFrame& frame = *image->frames[0];
    frame.pixels = readFramePixels(x, y, image->width, image->height);
    frame.encoded = nullptr;
    frame.invalidate();
}

Pixmap lockImage(const ImagePtr& image, int frame) {
    if (!image || frame < 0 || frame >= image->frameCount() || !image->frames[size_t(frame)]) return {};
    ImageFrame& f = *image->frames[size_t(frame)];
    f.ensurePixels();
    Pixmap copy = f.pixels;
    f.releasePixels();
    return copy;
}

bool setImagePixels(const ImagePtr& image, const Pixmap& pixels, int frame) {
    if (!image || frame < 0 || frame >= image->frameCount() || !image->frames[size_t(frame)]) return false;
    if (pixels.width != image->width || pixels.height != image->height ||
        pixels.pixels.size() != size_t(pixels.width) * size_t(pixels.height))
        return false;
    ImageFrame& f = *image->frames[size_t(frame)];
    f.pixels = pixels;
    f.encoded = nullptr;
    f.invalidate();
    return true;
}

}  // namespace qm
