// What the board puts in the headless frame, with pictures made in the test:
// every tile-set frame is white, so tints and alphas show in the pixels.
#include <gtest/gtest.h>

#include "play/AssetCatalogue.h"
#include "app/AppGlobals.h"
#include "support/MapText.h"
#include "runtime/Graphics.h"
#include "runtime/Image.h"
#include "runtime/Runtime.h"

using namespace qm;
using test::mapFromText;

namespace {

ImagePtr solidStrip(int frames, uint32_t argb) {
    ImagePtr image = createImage(32, 32, frames, 0);
    for (int f = 0; f < frames; ++f) {
        Pixmap p = lockImage(image, f);
        std::fill(p.pixels.begin(), p.pixels.end(), argb);
        setImagePixels(image, p, f);
    }
    return image;
}

struct Rgb {
    int r, g, b;
};

class LevelMapDrawTest : public ::testing::Test {
protected:
    void SetUp() override {
        resetGlobals();
        AssetCatalogue::resetAll();
        RuntimeOptions options;
        options.headless = true;
        ASSERT_TRUE(runtimeInit(options));
        ASSERT_TRUE(openGraphics(800, 600, 0, 60, 0));
        setAutoMidHandle(1);
        AssetCatalogue::currentTileSet = solidStrip(6, 0xffffffffu);
        AssetCatalogue::tileBorderImage = solidStrip(1, 0xff000000u);
        AssetCatalogue::gizmoImage = solidStrip(19, 0xff00ff00u);
        AssetCatalogue::drawTileBorders = 0;
        setOrigin(0, 0);
    }
    void TearDown() override {
        AssetCatalogue::resetAll();
        resetGlobals();
        setAutoMidHandle(0);
        runtimeShutdown();
    }
    // Draws the board on a black frame with cell (0, 0) centred on (100, 100).
    void drawOnBlack(LevelMap& board, int withGlow = 1) {
        clearFrame();
        setBlend(BLEND_ALPHA);
        setColour(255, 255, 255);
        setAlpha(1);
        board.draw(100, 100, withGlow);
        frame = grabFrame();
    }
    Rgb cell(int x, int y, int dx = 0, int dy = 0) const {
        uint32_t c = frame.at(100 + 32 * x + dx, 100 + 32 * y + dy);
        return {int(c >> 16 & 255), int(c >> 8 & 255), int(c & 255)};
    }
    int litPixelsInCell(int x, int y) const {
        int lit = 0;
        for (int py = -16; py < 16; ++py)
            for (int px = -16; px < 48; ++px)  // text runs to the right
                lit += (frame.at(100 + 32 * x + px, 100 + 32 * y + py) & 0xffffff) != 0;
        return lit;
    }
    Pixmap frame;
};

TEST_F(LevelMapDrawTest, WallBrushIsBlueAndWallsAreWhiteTiles) {
    auto board = mapFromText({"S # ."});
    drawOnBlack(*board, 0);
    Rgb brush = cell(1, 0);
    EXPECT_EQ(brush.r, 50);
    EXPECT_EQ(brush.g, 50);
    EXPECT_EQ(brush.b, 255);
    Rgb wall = cell(2, 0);
    EXPECT_EQ(wall.r, 255);
    EXPECT_EQ(cell(4, 0).r, 0) << "floor without a beam draws nothing";
    EXPECT_EQ(colourBlue(), 255);
    EXPECT_EQ(colourRed(), 255) << "the tint is put back to white";
}

TEST_F(LevelMapDrawTest, CodeOutsideTheTableIsWrittenAsBad) {
    auto board = mapFromText({"S.?"});
    drawOnBlack(*board);
    EXPECT_GT(litPixelsInCell(2, 0), 20);
    EXPECT_EQ(litPixelsInCell(1, 4), 0);
}

TEST_F(LevelMapDrawTest, BorderOverlayOnlyWithTheRicherArtStyles) {
    auto board = mapFromText({"S#"});
    drawOnBlack(*board, 0);
    EXPECT_EQ(cell(1, 0).r, 255);
    AssetCatalogue::drawTileBorders = 1;
    drawOnBlack(*board, 0);
    EXPECT_EQ(cell(1, 0).r, 0) << "the black border picture lies over the tile";
}

TEST_F(LevelMapDrawTest, OpenLockTwoDrawsNothingButStillGlows) {
    auto board = mapFromText({"S....m"});
    ASSERT_EQ(board->play.gizmos.lockStates[1], 1);
    drawOnBlack(*board);
    EXPECT_EQ(cell(5, 0).r, 0);
    board->glowCell(5, 0, 0);
    drawOnBlack(*board);
    EXPECT_NEAR(cell(5, 0).r, 255 * 23 / 30, 2);
    drawOnBlack(*board, 0);
    EXPECT_EQ(cell(5, 0).r, 0) << "the next board is drawn without glow";
}

TEST_F(LevelMapDrawTest, TakenKeyOneFadesItsLockOutOverFortyTicks) {
    auto board = mapFromText({"S.l.k"});
    drawOnBlack(*board);
    EXPECT_EQ(cell(2, 0).g, 255) << "lock 1 closed: tile and lock picture";
    EXPECT_EQ(cell(4, 0).g, 255) << "key 1 not yet taken";
    board->play.takeKey(*board, 4, 0);
    for (int i = 0; i < 20; ++i) board->play.advanceLocks(*board);
    drawOnBlack(*board);
    // Half way: white tile at alpha 0.5 on black, then the green lock picture at 0.5 over it.
    EXPECT_NEAR(cell(2, 0).r, 64, 3);
    EXPECT_NEAR(cell(2, 0).g, 191, 3);
    EXPECT_EQ(cell(4, 0).g, 0) << "a taken key is not drawn";
    for (int i = 0; i < 20; ++i) board->play.advanceLocks(*board);
    drawOnBlack(*board);
    EXPECT_EQ(cell(2, 0).g, 0);
}

TEST_F(LevelMapDrawTest, BeamFloorAndBeamBlocksAreTinted) {
    auto board = mapFromText({"S..V"});
    drawOnBlack(*board);
    Rgb block = cell(3, 0);
    EXPECT_EQ(block.r, 79);
    EXPECT_EQ(block.g, 123);
    EXPECT_EQ(block.b, 45);
    Rgb beam = cell(3, 1);
    EXPECT_EQ(beam.r, 200);
    EXPECT_EQ(beam.g, 223);
    EXPECT_EQ(beam.b, 245);
}

TEST_F(LevelMapDrawTest, DrawingChangesNoGameState) {
    auto board = mapFromText({"S.k.l.x.V..*", "..m.0.1.r.p."});
    board->beforeRunStep(false, board->play.ball);
    board->glowCell(3, 3, 0);
    auto gizmosBefore = board->play.gizmos.copy();
    int glowBefore = board->glow[3][3];
    int ballX = board->play.ball.x, age = board->ball->age;
    drawOnBlack(*board);
    EXPECT_EQ(board->play.gizmos.equals(gizmosBefore), 1);
    EXPECT_EQ(board->glow[3][3], glowBefore);
    EXPECT_EQ(board->play.ball.x, ballX);
    EXPECT_EQ(board->ball->age, age);
}

}  // namespace
