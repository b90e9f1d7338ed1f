// JPEG reading through libjpeg. Its error manager normally exits the
// process; ours jumps back and fails the load. Warnings count as errors too,
// because libjpeg only warns about a truncated file and pads it with grey.
#include <csetjmp>
#include <cstddef>
#include <cstdio>
#include <memory>

#include <jpeglib.h>

#include "Image.h"

namespace qm {

namespace {

struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
    bool warned;
};

void onError(j_common_ptr info) { std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->jump, 1); }

void onMessage(j_common_ptr info, int level) {
    if (level < 0) reinterpret_cast<ErrorManager*>(info->err)->warned = true;
}

void quiet(j_common_ptr) {}

// The state of one decode. It lives in the caller's frame, so nothing the
// long jump could leave half-updated is a local of the function that jumps.
struct JpegJob {
    jpeg_decompress_struct info;
    ErrorManager errors;
    std::vector<uint32_t> pixels;
    std::vector<uint8_t> row;
    int width = 0, height = 0;
};

bool runDecode(const std::vector<uint8_t>& bytes, JpegJob& job) {
    jpeg_decompress_struct& info = job.info;
    info.err = jpeg_std_error(&job.errors.base);
    job.errors.base.error_exit = onError;
    job.errors.base.emit_message = onMessage;
    job.errors.base.output_message = quiet;
    job.errors.warned = false;
    if (setjmp(job.errors.jump)) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, bytes.data(), static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&info, TRUE);
    if (info.image_width == 0 || info.image_height == 0 || info.image_width > 16384 || info.image_height > 16384 ||
        uint64_t(info.image_width) * info.image_height > (uint64_t(1) << 26)) {
        jpeg_destroy_decompress(&info);
        return false;
    }
#if defined(JCS_EXTENSIONS) && defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
    // libjpeg-turbo writes our pixel layout itself (B, G, R, opaque A in
    // memory is 0xAARRGGBB), straight into the picture.
    constexpr bool direct = true;
    info.out_color_space = JCS_EXT_BGRA;
#else
    constexpr bool direct = false;
    info.out_color_space = JCS_RGB;
#endif
    jpeg_start_decompress(&info);
    job.width = int(info.output_width);
    job.height = int(info.output_height);
    job.pixels.resize(size_t(job.width) * size_t(job.height));
    if (direct) {
        while (info.output_scanline < info.output_height && !job.errors.warned) {
            JSAMPROW rows[1] = {reinterpret_cast<JSAMPLE*>(job.pixels.data() + info.output_scanline * size_t(job.width))};
            jpeg_read_scanlines(&info, rows, 1);
        }
    }
    job.row.resize(size_t(job.width) * size_t(info.output_components));
    while (!direct && info.output_scanline < info.output_height && !job.errors.warned) {
        JSAMPROW rows[1] = {job.row.data()};
        size_t y = info.output_scanline;
        jpeg_read_scanlines(&info, rows, 1);
        uint32_t* dst = job.pixels.data() + y * size_t(job.width);
        for (int x = 0; x < job.width; ++x) {
            const uint8_t* s = job.row.data() + size_t(x) * 3;
            dst[x] = 0xFF000000u | uint32_t(s[0]) << 16 | uint32_t(s[1]) << 8 | s[2];
        }
    }
    if (!job.errors.warned) jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return !job.errors.warned;
}

}  // namespace

bool decodeJpeg(const std::vector<uint8_t>& bytes, Pixmap& out) {
    if (bytes.size() < 4 || bytes[0] != 0xFF || bytes[1] != 0xD8) return false;
    auto job = std::make_unique<JpegJob>();
    if (!runDecode(bytes, *job)) return false;
    out.width = job->width;
    out.height = job->height;
    out.pixels = std::move(job->pixels);
    return true;
}

}  // namespace qm
