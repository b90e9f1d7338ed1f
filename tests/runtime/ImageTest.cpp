// Picture files on disk: PNG written by savePng and JPEG made with libjpeg's
// encoder here, then read back; cutting strips into cells; damaged files
// giving Null with a debug line; icon files.
#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

#include <jpeglib.h>

#include "runtime/Diagnostics.h"
#include "runtime/Files.h"
#include "runtime/Image.h"
#include "support/TempFolder.h"

namespace qm {
namespace {

Pixmap pattern(int w, int h) {
    Pixmap p;
    p.width = w;
    p.height = h;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) p.pixels.push_back(0xFF000000u | uint32_t(x * 17 % 256) << 16 | uint32_t(y * 29 % 256) << 8 | 77);
    return p;
}

std::vector<uint8_t> bytesOf(const std::string& path) {
    std::string s = test::readBinary(path);
    return std::vector<uint8_t>(s.begin(), s.end());
}

void writeBytes(const std::string& path, const std::vector<uint8_t>& b) {
    test::writeBinary(path, std::string(b.begin(), b.end()));
}

// A JPEG of a flat colour, made with libjpeg's own encoder.
std::vector<uint8_t> encodeJpeg(int w, int h, uint8_t r, uint8_t g, uint8_t b) {
    jpeg_compress_struct info;
    jpeg_error_mgr errors;
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* out = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &out, &size);
    info.image_width = JDIMENSION(w);
    info.image_height = JDIMENSION(h);
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 95, TRUE);
    jpeg_start_compress(&info, TRUE);
    std::vector<uint8_t> row;
    for (int x = 0; x < w; ++x) row.insert(row.end(), {r, g, b});
    while (info.next_scanline < info.image_height) {
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    std::vector<uint8_t> bytes(out, out + size);
    jpeg_destroy_compress(&info);
    free(out);
    return bytes;
}

class ImageTest : public ::testing::Test {
protected:
    void SetUp() override {
        setDebugLogHook([this](const std::string& line) { log.push_back(line); });
        setAutoMidHandle(0);
        setDefaultImageFlags(0);
    }
    void TearDown() override {
        setDebugLogHook(nullptr);
        setAutoMidHandle(0);
    }
    test::TempFolder folder;
    std::vector<std::string> log;
};

TEST_F(ImageTest, PngRoundTripsAtEveryCompressionLevel) {
    Pixmap p = pattern(37, 11);
    p.pixels[5] = 0x80123456;  // a translucent pixel keeps its alpha
    ASSERT_TRUE(createDir("media"));
    for (int level : {0, 5, 9}) {
        ASSERT_TRUE(savePng(p, "media\\pic.png", level));  // backslash paths reach media/ too
        Pixmap back;
        ASSERT_TRUE(decodePng(bytesOf("media/pic.png"), back)) << level;
        EXPECT_EQ(back.width, 37);
        EXPECT_EQ(back.height, 11);
        EXPECT_EQ(back.pixels, p.pixels);
    }
    EXPECT_FALSE(savePng(Pixmap{}, "empty.png", 5));
    EXPECT_FALSE(savePng(p, "no/such/folder/x.png", 5));
}

TEST_F(ImageTest, AnimImageCutsWholeCellsRowByRow) {
    // Cells of 4 x 4 in a 13 x 9 picture: 3 whole columns, 2 whole rows.
    Pixmap sheet = pattern(13, 9);
    for (int cell = 0; cell < 6; ++cell)
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 4; ++x)
                sheet.pixels[size_t((cell / 3 * 4 + y) * 13 + cell % 3 * 4 + x)] = 0xFF000000u | uint32_t(cell * 40);
    ASSERT_TRUE(savePng(sheet, "sheet.png", 5));
    setAutoMidHandle(1);
    ImagePtr image = loadAnimImage("sheet.png", 4, 4, 2, 3);
    ASSERT_TRUE(image);
    EXPECT_EQ(image->frameCount(), 3);
    EXPECT_EQ(image->width, 4);
    EXPECT_EQ(image->handleX, 2.0f);
    for (int k = 0; k < 3; ++k) {
        Pixmap frame = lockImage(image, k);
        ASSERT_EQ(frame.width, 4);
        EXPECT_EQ(frame.at(0, 0), 0xFF000000u | uint32_t((2 + k) * 40)) << "frame " << k;
        EXPECT_EQ(frame.at(3, 3), 0xFF000000u | uint32_t((2 + k) * 40)) << "frame " << k;
    }
    EXPECT_EQ(loadAnimImage("sheet.png", 4, 4, 2, 5), nullptr) << "7 cells asked of 6";
    EXPECT_EQ(loadAnimImage("sheet.png", 4, 4, 0, 6)->frameCount(), 6);
    EXPECT_EQ(loadAnimImage("sheet.png", 14, 4, 0, 1), nullptr) << "no whole column";
    EXPECT_EQ(loadAnimImage("sheet.png", 0, 4, 0, 1), nullptr);
    EXPECT_FALSE(log.empty());
}

TEST_F(ImageTest, JpegLoadsAsAnOpaquePicture) {
    writeBytes("back.jpg", encodeJpeg(16, 8, 200, 100, 50));
    ImagePtr image = loadImage("back.jpg");
    ASSERT_TRUE(image);
    EXPECT_EQ(image->width, 16);
    EXPECT_EQ(image->height, 8);
    uint32_t c = lockImage(image).at(7, 3);
    EXPECT_EQ(c >> 24, 255u);
    EXPECT_NEAR(int(c >> 16 & 255), 200, 3);
    EXPECT_NEAR(int(c >> 8 & 255), 100, 3);
    EXPECT_NEAR(int(c & 255), 50, 3);
}

TEST_F(ImageTest, MissingTruncatedOrCorruptFilesGiveNullAndALogLine) {
    ASSERT_TRUE(savePng(pattern(64, 64), "good.png", 5));
    std::vector<uint8_t> png = bytesOf("good.png");
    std::vector<uint8_t> jpg = encodeJpeg(64, 64, 10, 200, 30);
    ASSERT_TRUE(loadImage("good.png"));

    writeBytes("short.png", std::vector<uint8_t>(png.begin(), png.begin() + ptrdiff_t(png.size() / 2)));
    std::vector<uint8_t> bad = png;
    for (size_t i = 60; i < bad.size() - 20; i += 7) bad[i] ^= 0x5A;  // damage the compressed data
    writeBytes("bad.png", bad);
    writeBytes("short.jpg", std::vector<uint8_t>(jpg.begin(), jpg.begin() + ptrdiff_t(jpg.size() / 2)));
    std::vector<uint8_t> badJpg = jpg;
    for (size_t i = 2; i < 40; ++i) badJpg[i] = 0xFF;  // the headers become nonsense
    writeBytes("bad.jpg", badJpg);
    writeBytes("text.png", {'h', 'e', 'l', 'l', 'o'});
    writeBytes("empty.png", {});

    for (const char* name : {"missing.png", "short.png", "bad.png", "short.jpg", "bad.jpg", "text.png", "empty.png"}) {
        log.clear();
        EXPECT_EQ(loadImage(name), nullptr) << name;
        EXPECT_EQ(loadAnimImage(name, 8, 8, 0, 1), nullptr) << name;
        ASSERT_FALSE(log.empty()) << name;
        EXPECT_NE(log[0].find(name), std::string::npos) << log[0];
    }
}

TEST_F(ImageTest, MaskedFlagClearsBlackPixels) {
    Pixmap p = pattern(2, 1);
    p.pixels = {0xFF000000u, 0xFF010000u};
    ASSERT_TRUE(savePng(p, "m.png", 5));
    ImagePtr masked = loadImage("m.png", IMG_MASKED);
    EXPECT_EQ(lockImage(masked).at(0, 0) >> 24, 0u);
    EXPECT_EQ(lockImage(masked).at(1, 0) >> 24, 255u);
    setDefaultImageFlags(IMG_MASKED);
    setDefaultImageFlags(-1);  // -1 leaves the default alone
    EXPECT_EQ(defaultImageFlags(), IMG_MASKED);
    EXPECT_EQ(loadImage("m.png")->flags, IMG_MASKED);
    setDefaultImageFlags(0);
    EXPECT_EQ(lockImage(loadImage("m.png", -1)).at(0, 0) >> 24, 255u);
}

// An icon directory with one entry pointing at `data`.
std::vector<uint8_t> icoWith(int w, int h, int bpp, const std::vector<uint8_t>& data) {
    std::vector<uint8_t> ico = {0, 0, 1, 0, 1, 0, uint8_t(w), uint8_t(h), 0, 0, 1, 0, uint8_t(bpp), 0};
    uint32_t size = uint32_t(data.size()), offset = 22;
    for (int i = 0; i < 4; ++i) ico.push_back(uint8_t(size >> (8 * i)));
    for (int i = 0; i < 4; ++i) ico.push_back(uint8_t(offset >> (8 * i)));
    ico.insert(ico.end(), data.begin(), data.end());
    return ico;
}

TEST_F(ImageTest, IconFilesHoldingPngOrBmp) {
    ASSERT_TRUE(savePng(pattern(16, 16), "i.png", 5));
    Pixmap out;
    ASSERT_TRUE(decodeIco(icoWith(16, 16, 32, bytesOf("i.png")), out));
    EXPECT_EQ(out.pixels, pattern(16, 16).pixels);

    // A 2 x 2, 24-bit bitmap, stored bottom-up, with its AND mask.
    std::vector<uint8_t> dib = {40, 0, 0, 0, 2, 0, 0, 0, 4, 0, 0, 0, 1, 0, 24, 0};
    dib.resize(40, 0);
    // bottom row: blue, green (BGR), padded to 8 bytes; top row: red, white
    std::vector<uint8_t> rows = {255, 0, 0, 0, 255, 0, 0, 0, 0, 0, 255, 255, 255, 255, 0, 0};
    std::vector<uint8_t> mask = {0x40, 0, 0, 0, 0, 0, 0, 0};  // bottom-right is see-through
    dib.insert(dib.end(), rows.begin(), rows.end());
    dib.insert(dib.end(), mask.begin(), mask.end());
    ASSERT_TRUE(decodeIco(icoWith(2, 2, 24, dib), out));
    ASSERT_EQ(out.width, 2);
    EXPECT_EQ(out.at(0, 0), 0xFFFF0000u);
    EXPECT_EQ(out.at(1, 0), 0xFFFFFFFFu);
    EXPECT_EQ(out.at(0, 1), 0xFF0000FFu);
    EXPECT_EQ(out.at(1, 1) >> 24, 0u);

    EXPECT_FALSE(decodeIco({0, 0, 1, 0, 1, 0}, out));
    std::vector<uint8_t> cut = icoWith(2, 2, 24, dib);
    cut.resize(cut.size() - 20);
    EXPECT_FALSE(decodeIco(cut, out));
}

}  // namespace
}  // namespace qm
