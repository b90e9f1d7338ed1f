// Drawing in the headless frame: the state clamps, the blend-mode arithmetic
// at a pixel, transform and handle placement, tiling, lines, text.
#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "runtime/Graphics.h"
#include "runtime/Image.h"
#include "runtime/Runtime.h"
#include "support/FrameProbe.h"

namespace qm {
namespace {

using namespace probe;

class GraphicsTest : public HeadlessFrameTest {
protected:
    // A grey background (100, 100, 100) drawn with a solid rectangle.
    void greyBackground() {
        setBlend(BLEND_SOLID);
        setColour(100, 100, 100);
        drawRect(0, 0, 800, 600);
        setColour(255, 255, 255);
    }
    void expectNear(Rgb got, Rgb want, const char* what) {
        EXPECT_NEAR(got.r, want.r, 1) << what;
        EXPECT_NEAR(got.g, want.g, 1) << what;
        EXPECT_NEAR(got.b, want.b, 1) << what;
    }
};

TEST_F(GraphicsTest, StateIsClampedAndAlphaHeldAsAByte) {
    setAlpha(1.5f);
    EXPECT_EQ(getAlpha(), 1.0f);
    setAlpha(-0.2f);
    EXPECT_EQ(getAlpha(), 0.0f);
    setAlpha(0.5f);
    EXPECT_FLOAT_EQ(getAlpha(), 128.0f / 255.0f);  // 127.5 rounds to 128
    setColour(300, -5, 128);
    EXPECT_EQ(colourRed(), 255);
    EXPECT_EQ(colourGreen(), 0);
    EXPECT_EQ(colourBlue(), 128);
    EXPECT_EQ(getBlend(), BLEND_SOLID) << "a fresh runtime draws solid";
}

TEST_F(GraphicsTest, BlendModesCombineAPixelAsTheTableSays) {
    ImagePtr src = solidImage(4, 4, 0xFFC83200);  // (200, 50, 0), opaque
    struct Case {
        int blend;
        float alpha;
        Rgb want;
        const char* what;
    } cases[] = {
        {BLEND_SOLID, 0.5f, {200, 50, 0}, "solid replaces and ignores alpha"},
        {BLEND_ALPHA, 0.5f, {150, 75, 50}, "alpha: src*a + dst*(1-a)"},
        {BLEND_LIGHT, 0.5f, {200, 125, 100}, "light: src*a + dst"},
        {BLEND_LIGHT, 1.0f, {255, 150, 100}, "light saturates"},
        {BLEND_SHADE, 0.25f, {78, 20, 0}, "shade: dst*src, alpha ignored"},
    };
    for (const Case& c : cases) {
        greyBackground();
        setBlend(c.blend);
        setAlpha(c.alpha);
        drawImage(src, 10, 10);
        expectNear(framePixel(11, 11), c.want, c.what);
        expectNear(framePixel(20, 20), {100, 100, 100}, "outside the image");
    }
}

TEST_F(GraphicsTest, TintMultipliesTheImage) {
    greyBackground();
    setBlend(BLEND_SOLID);
    setColour(255, 128, 0);
    drawImage(solidImage(2, 2, 0xFFC8C8C8), 0, 0);
    expectNear(framePixel(0, 0), {200, 100, 0}, "tint");
}

TEST_F(GraphicsTest, MaskDrawsOnlyPixelsOfHalfAlphaOrMore) {
    ImagePtr image = createImage(2, 1, 1, 0);
    Pixmap p = lockImage(image);
    p.pixels = {0x7FFF0000u, 0x80FF0000u};  // alpha 127, alpha 128
    setImagePixels(image, p);
    greyBackground();
    setBlend(BLEND_MASK);
    setAlpha(0.1f);  // the mask mode draws at full strength
    drawImage(image, 0, 0);
    Pixmap frame = grabFrame();
    expectNear(framePixel(0, 0), {100, 100, 100}, "alpha 127 is cut away");
    expectNear(framePixel(1, 0), {255, 0, 0}, "alpha 128 is drawn whole");
}

TEST_F(GraphicsTest, RectanglesUseColourAlphaAndBlend) {
    greyBackground();
    setBlend(BLEND_ALPHA);
    setAlpha(0.5f);
    setColour(200, 50, 0);
    drawRect(5, 5, 3, 3);
    setBlend(BLEND_LIGHT);
    drawRect(20, 5, 3, 3);
    Pixmap frame = grabFrame();
    expectNear(framePixel(6, 6), {150, 75, 50}, "alpha rectangle");
    expectNear(framePixel(21, 6), {200, 125, 100}, "light rectangle");
    expectNear(framePixel(8, 6), {100, 100, 100}, "rectangle is 3 wide");
}

TEST_F(GraphicsTest, RotationAndScaleTurnAboutTheHandle) {
    ImagePtr image = solidImage(10, 4, 0xFF00FF00);
    Pixmap p = lockImage(image);
    p.pixels[0] = 0xFFFF0000;  // a red top-left corner to follow
    setImageHandle(image, 5, 2);
    setImagePixels(image, p);

    drawImage(image, 100, 100);
    Box box = litBox(grabFrame());
    EXPECT_EQ(box.x, 95);
    EXPECT_EQ(box.y, 98);
    EXPECT_EQ(box.w, 10);
    EXPECT_EQ(box.h, 4);

    clearFrame();
    setRotation(90);  // clockwise on screen: (u, v) -> (-v, u)
    drawImage(image, 100, 100);
    Pixmap frame = grabFrame();
    box = litBox(frame);
    EXPECT_EQ(box.x, 98);
    EXPECT_EQ(box.y, 95);
    EXPECT_EQ(box.w, 4);
    EXPECT_EQ(box.h, 10);
    EXPECT_EQ(framePixel(101, 95).r, 255) << "the top-left corner turns to the top right";

    clearFrame();
    setRotation(0);
    setScale(2, 3);
    setOrigin(10, 20);  // added to every position
    drawImage(image, 100, 100);
    box = litBox(grabFrame());
    EXPECT_EQ(box.x, 100);  // 110 - 5 * 2
    EXPECT_EQ(box.y, 114);  // 120 - 2 * 3
    EXPECT_EQ(box.w, 20);
    EXPECT_EQ(box.h, 12);

    clearFrame();
    setOrigin(0, 0);
    setScale(-1, 1);  // a mirror about the handle
    drawImage(image, 100, 100);
    frame = grabFrame();
    box = litBox(frame);
    EXPECT_EQ(box.x, 95);
    EXPECT_EQ(box.w, 10);
    EXPECT_EQ(framePixel(104, 98).r, 255) << "the mirrored corner is on the right";
}

TEST_F(GraphicsTest, AutoMidHandleCentresNewImages) {
    setAutoMidHandle(1);
    ImagePtr image = createImage(10, 6, 1, 0);
    EXPECT_EQ(image->handleX, 5.0f);
    EXPECT_EQ(image->handleY, 3.0f);
    setAutoMidHandle(0);
    image = createImage(10, 6, 1, 0);
    EXPECT_EQ(image->handleX, 0.0f);
}

TEST_F(GraphicsTest, TileImageCoversTheFrameFromTheOffset) {
    ImagePtr image = createImage(3, 2, 1, 0);
    Pixmap p = lockImage(image);
    for (int i = 0; i < 6; ++i) p.pixels[size_t(i)] = 0xFF000000u | uint32_t(40 * (i + 1));
    setImagePixels(image, p);
    setOrigin(1, 0);
    setRotation(45);  // tiling ignores rotation and scale
    setScale(3, 3);
    tileImage(image, 0, 1);
    Pixmap frame = grabFrame();
    EXPECT_EQ(frame.at(1, 1) & 255, 40u) << "a copy's corner at (x + origin, y)";
    EXPECT_EQ(frame.at(0, 1) & 255, 120u) << "the copy to the left wraps in";
    EXPECT_EQ(frame.at(0, 0) & 255, 240u) << "and the one above";
    EXPECT_EQ(frame.at(799, 599) & 255, p.pixels[size_t((599 - 1 + 2) % 2 * 3 + (799 - 1) % 3)] & 255);
    EXPECT_EQ(getRotation(), 45.0f);
}

TEST_F(GraphicsTest, LinesPlotTheLastPixelOnlyWhenAsked) {
    setColour(255, 255, 255);
    drawLine(10, 10, 20, 10, false);
    drawLine(10, 20, 20, 25, true);
    Pixmap frame = grabFrame();
    EXPECT_NE(frame.at(10, 10) & 0xFFFFFF, 0u);
    EXPECT_NE(frame.at(19, 10) & 0xFFFFFF, 0u);
    EXPECT_EQ(frame.at(20, 10) & 0xFFFFFF, 0u);
    EXPECT_NE(frame.at(20, 25) & 0xFFFFFF, 0u);
    Box box = litBox(frame);
    EXPECT_EQ(box.x, 10);
    EXPECT_EQ(box.w, 11);
}

TEST_F(GraphicsTest, ShapesFarOffTheFrameOrUnplaceableStaySafe) {
    setColour(255, 255, 255);
    drawLine(-1e9f, 300, 1e9f, 300, true);  // crosses the whole frame: its visible part shows
    Pixmap frame = grabFrame();
    EXPECT_NE(frame.at(0, 300) & 0xFFFFFF, 0u);
    EXPECT_NE(frame.at(799, 300) & 0xFFFFFF, 0u);
    EXPECT_EQ(frame.at(400, 301) & 0xFFFFFF, 0u);

    clearFrame();
    drawLine(1e9f, 1e9f, 2e9f, 1e9f, true);  // far away: nothing, and no endless walk
    drawLine(std::nanf(""), 0, 10, 10, true);
    setRotation(std::nanf(""));
    drawLine(0, 0, 10, 10, true);
    setRotation(0);
    EXPECT_EQ(litBox(grabFrame()).w, 0);

    setRotation(std::nanf(""));
    drawRect(10, 10, 5, 5);
    drawText("x", 10, 10);
    setRotation(30);
    setScale(1e30f, 1e30f);
    drawRect(10, 10, 5, 5);
    drawText("x", 10, 10);
    setRotation(0);
    clearFrame();
    setScale(1e30f, 1e30f);  // a step of one, scaled past the frame: the diagonal out of it
    drawLine(1, 1, 2, 2, true);
    EXPECT_NE(grabFrame().at(300, 300) & 0xFFFFFF, 0u);
}

TEST_F(GraphicsTest, TextGlyphsAreDistinctAndStayInTheirCells) {
    setBlend(BLEND_ALPHA);
    std::set<std::vector<uint32_t>> shapes;
    ImagePtr area = createImage(32, 32, 1, 0);  // grabbing a corner keeps this quick
    for (int code = 33; code < 128; ++code) {
        clearFrame();
        drawText(std::string(1, char(code)), 8, 8);
        grabImage(area, 0, 0);
        Pixmap cell = lockImage(area);
        Box box = litBox(cell);
        ASSERT_GE(box.w, 1) << "glyph " << code << " is empty";
        EXPECT_GE(box.x, 8);
        EXPECT_LE(box.x + box.w, 16) << "glyph " << code;
        EXPECT_GE(box.y, 8);
        EXPECT_LE(box.y + box.h, 24) << "glyph " << code;
        shapes.insert(cell.pixels);
    }
    EXPECT_EQ(shapes.size(), 95u) << "every glyph is different";

    clearFrame();
    setColour(255, 0, 0);
    drawText("ab", 0, 0);
    Box box = litBox(grabFrame());
    EXPECT_GE(box.x + box.w, 9) << "the second glyph advances 8 pixels";
    clearFrame();
    drawText("  ", 0, 0);
    EXPECT_EQ(litBox(grabFrame()).w, 0);
}

TEST_F(GraphicsTest, ImagesOutliveTheRendererAndLoadBeforeGraphics) {
    closeGraphics();
    ImagePtr image = solidImage(4, 4, 0xFF0000FF);  // made while no renderer exists
    ASSERT_TRUE(openGraphics(800, 600, 0, 60, 0));
    drawImage(image, 0, 0);
    EXPECT_EQ(grabFrame().at(1, 1), 0xFF0000FFu);
    drawImage(image, 8, 0);  // a texture now exists; reopening must rebuild it
    ASSERT_TRUE(openGraphics(800, 600, 32, 60, 0));
    EXPECT_TRUE(isFullscreen());
    EXPECT_EQ(grabFrame().at(9, 1), 0xFF000000u) << "a new frame starts black";
    drawImage(image, 8, 0);
    EXPECT_EQ(grabFrame().at(9, 1), 0xFF0000FFu);
}

TEST_F(GraphicsTest, GrabImageCopiesTheFrameRectangle) {
    setColour(10, 20, 30);
    drawRect(50, 60, 2, 2);
    ImagePtr grab = createImage(4, 4, 1, 0);
    grabImage(grab, 49, 59);
    Pixmap p = lockImage(grab);
    EXPECT_EQ(p.at(0, 0), 0xFF000000u);
    EXPECT_EQ(p.at(1, 1), 0xFF0A141Eu);
    EXPECT_EQ(p.at(2, 2), 0xFF0A141Eu);
    EXPECT_EQ(p.at(3, 3), 0xFF000000u);
    grabImage(grab, 798, 598);  // partly outside: the outside part is black
    EXPECT_EQ(lockImage(grab).at(3, 3), 0xFF000000u);
    EXPECT_EQ(lockImage(nullptr).width, 0);
}

TEST_F(GraphicsTest, NullImagesAreSkipped) {
    drawImage(nullptr, 0, 0);
    tileImage(nullptr, 0, 0);
    ImagePtr image = createImage(2, 2, 1, 0);
    drawImage(image, 0, 0, 5);  // no such frame
    setImageHandle(nullptr, 1, 1);
    grabImage(nullptr, 0, 0);
    EXPECT_EQ(litBox(grabFrame()).w, 0);
}

}  // namespace
}  // namespace qm
