// The level tool's picture of a text board, drawn by the real tool in the ice
// tile set, where pale pieces are hardest to tell apart: both ends of a
// teleport pair carry the same mark and two pairs different ones, the end
// shines where the game only sparkles, and the gap lock 2 closes is outlined.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "runtime/Image.h"
#include "support/PlayRig.h"
#include "support/TempFolder.h"

using namespace qm;

namespace {

class BoardPictureTest : public test::PlayRig {
protected:
    // The mean luma and the pixels of the 12 x 12 middle of cell (x, y).
    static std::string middle(const Pixmap& p, int x, int y, double* luma = nullptr) {
        std::string bytes;
        double sum = 0;
        int cx = 32 + 47 + 32 * x, cy = 30 + 47 + 32 * y;
        for (int dy = -6; dy < 6; ++dy)
            for (int dx = -6; dx < 6; ++dx) {
                uint32_t c = p.at(cx + dx, cy + dy);
                bytes.append(reinterpret_cast<const char*>(&c), sizeof c);
                sum += 0.299 * (c >> 16 & 255) + 0.587 * (c >> 8 & 255) + 0.114 * (c & 255);
            }
        if (luma) *luma = sum / 144 / 255;
        return bytes;
    }
};

TEST_F(BoardPictureTest, TeleportPairsShowTheirOwnMarksAndTheEndAndTheGapShow) {
    test::TempFolder folder;
    test::writeBinary("pairs.txt",
                      "####################\n"
                      "#S...0.....2......##\n"
                      "#..........m.......#\n"
                      "#...3....1.....K...#\n"
                      "#........E.........#\n");
    std::string tool = std::string(QM_GAME_DIR) + "/quillmere-levels";
    ASSERT_EQ(test::runCommand(tool + " render pairs.txt out.png --style 16"), 0);
    ImagePtr shot = loadImage("out.png", -1);
    ASSERT_NE(shot, nullptr);
    Pixmap p = lockImage(shot);

    EXPECT_EQ(middle(p, 5, 1), middle(p, 9, 3));   // 0 and 1: one pair, one mark
    EXPECT_EQ(middle(p, 11, 1), middle(p, 4, 3));  // 2 and 3
    EXPECT_NE(middle(p, 5, 1), middle(p, 11, 1));
    double end = 0, floor = 0;
    middle(p, 9, 4, &end);
    middle(p, 7, 4, &floor);
    EXPECT_GT(end, floor + 0.2);
    // The gap's outline: pale dashes on its edge, the floor's own colour inside.
    uint32_t dash = p.at(32 + 47 + 32 * 11 - 14, 30 + 47 + 32 * 2 - 14);
    EXPECT_GT(0.299 * (dash >> 16 & 255) + 0.587 * (dash >> 8 & 255) + 0.114 * (dash & 255), 180);
}

}  // namespace
