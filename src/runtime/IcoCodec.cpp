// Windows icon files, for the window icon: picks the largest picture in the
// directory and reads it, whether it is stored as PNG or as a BMP bitmap
// (32-bit with alpha, 24-bit or paletted, with the 1-bit transparency mask).
#include "Image.h"

namespace qm {

namespace {

uint32_t le16(const std::vector<uint8_t>& b, size_t at) { return uint32_t(b[at]) | uint32_t(b[at + 1]) << 8; }
uint32_t le32(const std::vector<uint8_t>& b, size_t at) { return le16(b, at) | le16(b, at + 2) << 16; }

bool decodeDib(const std::vector<uint8_t>& b, size_t start, size_t size, Pixmap& out) {
    if (size < 40 || start + size > b.size()) return false;
    uint32_t headerSize = le32(b, start);
    int32_t width = int32_t(le32(b, start + 4));
    int32_t height = int32_t(le32(b, start + 8)) / 2;  // colour rows, then mask rows
    uint32_t bpp = le16(b, start + 14);
    uint32_t compression = le32(b, start + 16);
    uint32_t paletteSize = le32(b, start + 32);
    if (headerSize < 40 || headerSize > size || width <= 0 || height <= 0 || width > 1024 || height > 1024 ||
        compression != 0)
        return false;
    if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 24 && bpp != 32) return false;
    if (bpp <= 8 && paletteSize == 0) paletteSize = 1u << bpp;
    if (bpp > 8) paletteSize = 0;
    size_t palette = start + headerSize;
    size_t colour = palette + size_t(paletteSize) * 4;
    size_t stride = (size_t(width) * bpp + 31) / 32 * 4;
    size_t maskStride = (size_t(width) + 31) / 32 * 4;
    size_t mask = colour + stride * size_t(height);
    bool hasMask = mask + maskStride * size_t(height) <= start + size;
    if (mask > start + size) return false;

    Pixmap p;
    p.width = width;
    p.height = height;
    p.pixels.resize(size_t(width) * size_t(height));
    bool anyAlpha = false;
    for (int y = 0; y < height; ++y) {
        size_t row = colour + size_t(height - 1 - y) * stride;  // rows are stored bottom-up
        for (int x = 0; x < width; ++x) {
            uint32_t argb;
            if (bpp == 32) {
                size_t at = row + size_t(x) * 4;
                argb = uint32_t(b[at + 3]) << 24 | uint32_t(b[at + 2]) << 16 | uint32_t(b[at + 1]) << 8 | b[at];
                anyAlpha = anyAlpha || b[at + 3] != 0;
            } else if (bpp == 24) {
                size_t at = row + size_t(x) * 3;
                argb = 0xFF000000u | uint32_t(b[at + 2]) << 16 | uint32_t(b[at + 1]) << 8 | b[at];
            } else {
                size_t bit = size_t(x) * bpp;
                uint32_t index = (b[row + bit / 8] >> (8 - bpp - bit % 8)) & ((1u << bpp) - 1);
                if (index >= paletteSize) return false;
                size_t at = palette + size_t(index) * 4;
                argb = 0xFF000000u | uint32_t(b[at + 2]) << 16 | uint32_t(b[at + 1]) << 8 | b[at];
            }
            p.pixels[size_t(y) * size_t(width) + size_t(x)] = argb;
        }
    }
    // Without an alpha channel the AND mask says which pixels are see-through.
    if (!(bpp == 32 && anyAlpha)) {
        for (int y = 0; y < height; ++y) {
            size_t row = mask + size_t(height - 1 - y) * maskStride;
            for (int x = 0; x < width; ++x) {
                uint32_t& px = p.pixels[size_t(y) * size_t(width) + size_t(x)];
                bool clear = hasMask && (b[row + size_t(x) / 8] >> (7 - x % 8)) & 1;
                px = clear ? (px & 0x00FFFFFFu) : (px | 0xFF000000u);
            }
        }
    }
    out = std::move(p);
    return true;
}

}  // namespace

bool decodeIco(const std::vector<uint8_t>& bytes, Pixmap& out) {
    if (bytes.size() < 6 || le16(bytes, 0) != 0 || le16(bytes, 2) != 1) return false;
    size_t count = le16(bytes, 4);
    if (count == 0 || 6 + count * 16 > bytes.size()) return false;
    size_t best = count;
    uint32_t bestArea = 0, bestDepth = 0;
    for (size_t i = 0; i < count; ++i) {
        size_t e = 6 + i * 16;
        uint32_t w = bytes[e] ? bytes[e] : 256, h = bytes[e + 1] ? bytes[e + 1] : 256;
        uint32_t depth = le16(bytes, e + 6);
        if (w * h > bestArea || (w * h == bestArea && depth > bestDepth)) {
            best = i;
            bestArea = w * h;
            bestDepth = depth;
        }
    }
    size_t e = 6 + best * 16;
    size_t size = le32(bytes, e + 8), offset = le32(bytes, e + 12);
    if (offset >= bytes.size() || size > bytes.size() - offset) return false;
    if (size >= 8 && bytes[offset] == 0x89 && bytes[offset + 1] == 'P' && bytes[offset + 2] == 'N' &&
        bytes[offset + 3] == 'G')
        return decodePng(std::vector<uint8_t>(bytes.begin() + ptrdiff_t(offset), bytes.begin() + ptrdiff_t(offset + size)),
                         out);
    return decodeDib(bytes, offset, size, out);
}

}  // namespace qm
