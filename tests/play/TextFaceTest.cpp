// Letters on screen, through the real program: the How to play card shows
// exactly the pixels of its picture (a card drawn between two pixels, or cut
// into misplaced pieces, breaks its letters), and a line the game sets at run
// time in its own face matches the reference crop kept beside this test.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "runtime/Files.h"
#include "runtime/Image.h"
#include "support/GameRun.h"

using namespace qm;

namespace {

Pixmap readPng(const std::string& path) {
    std::vector<uint8_t> bytes;
    Pixmap p;
    if (!readWholeFile(path, bytes) || !decodePng(bytes, p)) p = Pixmap{};
    return p;
}

Pixmap crop(const Pixmap& from, int x, int y, int w, int h) {
    Pixmap out{w, h, {}};
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i) out.pixels.push_back(from.at(x + i, y + j) | 0xFF000000u);
    return out;
}

// Pixels whose red, green or blue differ by more than `slack`.
int differingPixels(const Pixmap& a, const Pixmap& b, int slack) {
    int count = 0;
    for (size_t i = 0; i < a.pixels.size(); ++i)
        for (int shift : {0, 8, 16})
            if (std::abs(int(a.pixels[i] >> shift & 255) - int(b.pixels[i] >> shift & 255)) > slack) {
                ++count;
                break;
            }
    return count;
}

TEST(TextFaceTest, LettersOnScreenAreThoseOfTheirPicturesAndReferences) {
    test::TempFolder folder;
    test::prepareGameFolder();
    test::writeOpenLevels(2);
    test::writeBinary("save0.dat", test::profileBytes(1));
    test::GameRun run = test::runGame(
        "50 mouse 226 292\n60 button 1 down\n61 button 1 up\n"  // How to play
        "100 mouse 600 300\n"                                    // over the card: lit
        "150 shot card.png\n"
        "160 key 27 down\n161 key 27 up\n"
        "200 mouse 20 590\n210 key 76 down\n211 key 76 up\n"    // the level choice, on level 2
        "270 shot choice.png\n"
        "280 close\n",
        400);
    ASSERT_EQ(run.status, 0) << test::readText("stderr.txt");
    ASSERT_TRUE(test::hasLine(run.log, "Escape: back from screen 1")) << run.log;

    // The card's button centre is (595, 350) and its picture 325 x 402, so
    // its top-left pixel is (432, 149). Inside its edge the card is opaque.
    Pixmap shot = readPng("card.png");
    Pixmap strip = readPng("media/menuInstructions.png");
    ASSERT_EQ(shot.width, 800);
    ASSERT_EQ(strip.width, 650);
    const int left = 432, top = 149, x0 = 12, y0 = 12, w = 300, h = 378;
    Pixmap lit = crop(strip, 325 + x0, y0, w, h);
    EXPECT_EQ(differingPixels(crop(shot, left + x0, top + y0, w, h), lit, 0), 0)
        << "the How to play card on screen differs from its picture";

    // The status line under the rows, set in the label face at run time.
    Pixmap choice = readPng("choice.png");
    ASSERT_EQ(choice.width, 800);
    Pixmap line = crop(choice, 180, 528, 440, 26);
    const std::string reference = std::string(QM_TEST_DATA_DIR) + "/text/status-line.png";
    if (std::getenv("QM_WRITE_REFERENCES")) savePng(line, reference, 9);
    Pixmap expected = readPng(reference);
    ASSERT_EQ(expected.width, line.width) << "no reference; QM_WRITE_REFERENCES=1 writes it from this run";
    ASSERT_EQ(expected.height, line.height);
    // Glyph edges may shift by a shade; a broken or missing letter changes
    // whole columns of pixels.
    EXPECT_LT(differingPixels(line, expected, 24), 20) << "the status line's letters differ from " << reference;
}

}  // namespace
