// Pictures (first cut).
#include "Image.h"

#include "Backend.h"

namespace qm {

struct ImageFrame {
    Pixmap pixels;
};

TImage::~TImage() = default;

namespace {
int midHandle = 0;
int defaultFlags = 0;
}  // namespace

ImagePtr loadImage(const std::string&, int) { return nullptr; }
ImagePtr loadAnimImage(const std::string&, int, int, int, int, int) { return nullptr; }
ImagePtr createImage(int width, int height, int frames, int flags) {
    auto image = std::make_shared<TImage>();
    image->width = width;
    image->height = height;
    image->flags = (flags == -1 ? defaultFlags : flags) | IMG_DYNAMIC;
    for (int i = 0; i < frames; ++i) {
        auto f = std::make_shared<ImageFrame>();
        f->pixels.width = width;
        f->pixels.height = height;
        f->pixels.pixels.assign(size_t(width) * size_t(height), 0);
        image->frames.push_back(f);
    }
    if (midHandle) {
        image->handleX = width * 0.5f;
        image->handleY = height * 0.5f;
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
void grabImage(const ImagePtr&, int, int) {}
Pixmap lockImage(const ImagePtr& image, int frame) {
    if (!image || frame < 0 || frame >= image->frameCount()) return {};
    return image->frames[size_t(frame)]->pixels;
}
bool savePng(const Pixmap&, const std::string&, int) { return false; }
Pixmap grabFrame() {
    Pixmap p;
    p.width = 800;
    p.height = 600;
    p.pixels.assign(800 * 600, 0xFF000000u);
    return p;
}
bool decodePng(const std::vector<uint8_t>&, Pixmap&) { return false; }
bool decodeJpeg(const std::vector<uint8_t>&, Pixmap&) { return false; }

}  // namespace qm
