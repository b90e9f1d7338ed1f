// PNG reading and writing through libpng. libpng reports errors by long
// jump; the simplified reader catches them itself, and the writer's jump
// lands in savePng, so bad data gives false, never an abort.
#include <png.h>

#include <bit>
#include <csetjmp>
#include <cstring>

#include "Files.h"
#include "Image.h"

namespace qm {

namespace {

constexpr uint32_t kMaxSide = 16384;
constexpr uint64_t kMaxPixels = uint64_t(1) << 26;

struct PngBuffer {
    std::vector<uint8_t> bytes;
};

void writeToBuffer(png_structp png, png_bytep data, png_size_t length) {
    auto* out = static_cast<PngBuffer*>(png_get_io_ptr(png));
    out->bytes.insert(out->bytes.end(), data, data + length);
}

void flushNothing(png_structp) {}

void errorJump(png_structp png, png_const_charp) { std::longjmp(png_jmpbuf(png), 1); }
void warningIgnored(png_structp, png_const_charp) {}

// Runs libpng's writer; kept apart so no C++ object lives across the jump.
bool encode(const Pixmap& pixmap, int compression, bool withAlpha, std::vector<uint8_t>& rows, PngBuffer& out) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, errorJump, warningIgnored);
    if (!png) return false;
    png_infop info = png_create_info_struct(png);
    if (!info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, info ? &info : nullptr);
        return false;
    }
    png_set_write_fn(png, &out, writeToBuffer, flushNothing);
    png_set_compression_level(png, compression);
    png_set_IHDR(png, info, png_uint_32(pixmap.width), png_uint_32(pixmap.height), 8,
                 withAlpha ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    size_t stride = size_t(pixmap.width) * (withAlpha ? 4 : 3);
    for (int y = 0; y < pixmap.height; ++y) png_write_row(png, rows.data() + size_t(y) * stride);
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return true;
}

}  // namespace

bool decodePng(const std::vector<uint8_t>& bytes, Pixmap& out) {
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    if (bytes.size() < 8 || !png_image_begin_read_from_memory(&image, bytes.data(), bytes.size())) return false;
    if (image.width == 0 || image.height == 0 || image.width > kMaxSide || image.height > kMaxSide ||
        uint64_t(image.width) * image.height > kMaxPixels) {
        png_image_free(&image);
        return false;
    }
    // Read as bytes B G R A, which a little-endian uint32 sees as 0xAARRGGBB.
    image.format = std::endian::native == std::endian::little ? PNG_FORMAT_BGRA : PNG_FORMAT_ARGB;
    Pixmap result;
    result.width = int(image.width);
    result.height = int(image.height);
    result.pixels.resize(size_t(image.width) * image.height);
    if (!png_image_finish_read(&image, nullptr, result.pixels.data(), 0, nullptr)) {
        png_image_free(&image);
        return false;
    }
    out = std::move(result);
    return true;
}

bool savePng(const Pixmap& pixmap, const std::string& path, int compression) {
    if (pixmap.width <= 0 || pixmap.height <= 0 ||
        pixmap.pixels.size() < size_t(pixmap.width) * size_t(pixmap.height))
        return false;
    if (compression < 0) compression = 0;
    if (compression > 9) compression = 9;
    bool withAlpha = false;
    for (uint32_t p : pixmap.pixels)
        if ((p >> 24) != 0xFF) {
            withAlpha = true;
            break;
        }
    // Opaque pictures (every frame grab) are written as RGB.
    size_t channels = withAlpha ? 4 : 3;
    std::vector<uint8_t> rows(size_t(pixmap.width) * size_t(pixmap.height) * channels);
    uint8_t* d = rows.data();
    for (size_t i = 0; i < size_t(pixmap.width) * size_t(pixmap.height); ++i) {
        uint32_t p = pixmap.pixels[i];
        *d++ = uint8_t(p >> 16);
        *d++ = uint8_t(p >> 8);
        *d++ = uint8_t(p);
        if (withAlpha) *d++ = uint8_t(p >> 24);
    }
    PngBuffer encoded;
    if (!encode(pixmap, compression, withAlpha, rows, encoded)) return false;
    StreamPtr file = writeFileSafely(path);
    if (!file) return false;
    file->writeBytes(encoded.bytes.data(), encoded.bytes.size());
    return file->close();
}

}  // namespace qm
