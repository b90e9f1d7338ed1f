// The generated media files, loaded through the game's own runtime with the
// cell sizes and frame counts the game uses, and checked for the properties
// the game relies on (a transparent frame over the board, a seamless scrolling
// background, a tintable tile frame, clean and seamless sounds).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "runtime/Audio.h"
#include "runtime/Files.h"
#include "runtime/Graphics.h"
#include "runtime/Image.h"
#include "runtime/Runtime.h"

namespace qm {
namespace {

class MediaFilesTest : public ::testing::Test {
protected:
    void SetUp() override {
        previous = std::filesystem::current_path();
        // the game reads its files relative to its own folder, as here
        std::filesystem::current_path(QM_GAME_DIR);
        RuntimeOptions options;
        options.headless = true;
        ASSERT_TRUE(runtimeInit(options));
        ASSERT_TRUE(openGraphics(800, 600, 0, 60, 0));
        setAutoMidHandle(0);
    }
    void TearDown() override {
        runtimeShutdown();
        std::filesystem::current_path(previous);
    }
    std::filesystem::path previous;
};

std::string two(int i) { return (i < 10 ? "0" : "") + std::to_string(i); }

double luma(uint32_t argb) {
    return (0.299 * ((argb >> 16) & 255) + 0.587 * ((argb >> 8) & 255) + 0.114 * (argb & 255)) / 255.0;
}
int alphaOf(uint32_t argb) { return int(argb >> 24); }

struct Strip {
    std::string path;
    int cellW, cellH, frames;
};

// Every strip the game cuts, with the cells it asks for; the whole file must
// hold exactly those cells side by side.
const std::vector<Strip> strips = {
    {"media\\ball.png", 32, 32, 1},
    {"media\\tiles\\tile_gizmos.png", 32, 32, 19},
    {"media\\tiles\\tileseditor.png", 32, 32, 6},
    {"media\\tiles\\tile_pairs.png", 32, 32, 33 * 5},
    {"media\\countdown.png", 40, 74, 10},
    {"media\\tokens.png", 40, 40, 2},
    {"media\\mainMenu.png", 256, 50, 10},
    {"media\\menuOptions.png", 154, 30, 10},
    {"media\\menuInstructions.png", 325, 402, 2},
    {"media\\menuResetProf.png", 158, 30, 4},
    {"media\\menuYesNo.png", 30, 30, 2},
    {"media\\tutorialtext00.png", 640, 448, 1},
};

TEST_F(MediaFilesTest, StripsHoldExactlyTheCellsTheGameCuts) {
    std::vector<Strip> all = strips;
    for (int i = 1; i < 10; ++i) all.push_back({"media\\tutorialtext" + two(i) + ".png", 640, 448, 1});
    for (const Strip& s : all) {
        SCOPED_TRACE(s.path);
        ImagePtr cut = loadAnimImage(s.path, s.cellW, s.cellH, 0, s.frames, -1);
        ASSERT_NE(cut, nullptr);
        EXPECT_EQ(cut->frameCount(), s.frames);
        EXPECT_EQ(cut->width, s.cellW);
        EXPECT_EQ(cut->height, s.cellH);
        ImagePtr whole = loadImage(s.path, -1);
        ASSERT_NE(whole, nullptr);
        EXPECT_EQ(whole->width, s.cellW * s.frames);
        EXPECT_EQ(whole->height, s.cellH);
    }
}

TEST_F(MediaFilesTest, SinglePicturesLoadAtTheirSizes) {
    struct Single {
        std::string path;
        int w, h;  // 0: any size
    };
    const std::vector<Single> singles = {
        {"media\\logo.png", 800, 600},          {"media\\borderred.png", 800, 600},   {"media\\postcard.jpg", 800, 600},
        {"media\\worldMap.png", 800, 600},      {"media\\blank.png", 640, 448},       {"media\\tiles\\tile_border.png", 32, 32},
        {"media\\editorbuttonglowsmall.png", 32, 32}, {"media\\sliderBack.png", 100, 0}, {"media\\sliderX.png", 20, 0},
        {"media\\editorhud.png", 0, 0},         {"media\\submenu1.png", 0, 0},        {"media\\submenu2.png", 0, 0},
        {"media\\hover_menu.png", 0, 0},        {"media\\hover_restart.png", 0, 0},   {"media\\hover_skip.png", 0, 0},
        {"media\\hover_up.png", 0, 0},          {"media\\hover_down.png", 0, 0},      {"media\\hover_left.png", 0, 0},
        {"media\\hover_right.png", 0, 0},       {"media\\trail.png", 0, 0},           {"media\\shade.png", 0, 0},
        {"media\\spark.png", 0, 0},           {"media\\glow.png", 32, 32},
    };
    for (const Single& s : singles) {
        SCOPED_TRACE(s.path);
        ImagePtr image = loadImage(s.path, -1);
        ASSERT_NE(image, nullptr);
        ASSERT_EQ(image->frameCount(), 1);
        if (s.w) { EXPECT_EQ(image->width, s.w); }
        if (s.h) { EXPECT_EQ(image->height, s.h); }
    }
    // the window icon is a real ICO file with a picture inside
    std::vector<uint8_t> ico;
    ASSERT_TRUE(readWholeFile("system\\chest.ico", ico));
    ASSERT_GT(ico.size(), 22u);
    EXPECT_EQ(ico[2], 1);
    EXPECT_EQ(ico[4], 1);
    std::vector<uint8_t> inner(ico.begin() + 22, ico.end());
    Pixmap icon;
    EXPECT_TRUE(decodePng(inner, icon));
    EXPECT_EQ(icon.width, 64);
}

TEST_F(MediaFilesTest, EveryArtStyleHasItsOwnBackgroundAndTileSet) {
    // The catalogue tries .png then .jpg; style 0 is JPEG because every
    // missing style falls back to it. No style may need the fallback.
    ASSERT_EQ(fileType("media\\back\\back00.jpg"), FILE_REGULAR);
    ASSERT_EQ(fileType("media\\tiles\\tiles00.jpg"), FILE_REGULAR);
    std::vector<Pixmap> floors;
    for (int i = 0; i <= 32; ++i) {
        SCOPED_TRACE(i);
        std::string nn = two(i);
        ImagePtr back = loadImage("media\\back\\back" + nn + ".png", -1);
        if (!back) back = loadImage("media\\back\\back" + nn + ".jpg", -1);
        ASSERT_NE(back, nullptr);
        EXPECT_EQ(back->width, 800);
        EXPECT_EQ(back->height, 600);
        ImagePtr tiles = loadAnimImage("media\\tiles\\tiles" + nn + ".png", 32, 32, 0, 6, -1);
        if (!tiles) tiles = loadAnimImage("media\\tiles\\tiles" + nn + ".jpg", 32, 32, 0, 6, -1);
        ASSERT_NE(tiles, nullptr);
        EXPECT_EQ(tiles->frameCount(), 6);
        floors.push_back(lockImage(back));
    }
    // 33 distinct styles: no two backgrounds alike
    for (size_t a = 0; a < floors.size(); ++a)
        for (size_t b = a + 1; b < floors.size(); ++b) EXPECT_NE(floors[a].pixels, floors[b].pixels) << a << " and " << b;
}

TEST_F(MediaFilesTest, TheFloorUnderTheBoardIsCalmAndLetsTheGlowingBallShow) {
    for (int i = 0; i <= 32; ++i) {
        SCOPED_TRACE(i);
        Pixmap p = lockImage(loadImage("media\\back\\back" + two(i) + ".jpg", -1));
        double sum = 0, sq = 0;
        int n = 0;
        for (int y = 61; y < 509; y += 2)
            for (int x = 63; x < 703; x += 2) {
                double l = luma(p.at(x, y));
                sum += l;
                sq += l * l;
                ++n;
            }
        double mean = sum / n, sd = std::sqrt(sq / n - mean * mean);
        // the ball is drawn additively: it can only brighten the floor
        EXPECT_LT(mean, 0.65);
        EXPECT_GT(mean, 0.12);
        EXPECT_LT(sd, 0.12);
    }
}

TEST_F(MediaFilesTest, TheScrollingBackgroundTilesWithoutASeam) {
    Pixmap p = lockImage(loadImage("media\\back\\back00.jpg", -1));
    auto diff = [&](int x1, int y1, int x2, int y2) { return std::fabs(luma(p.at(x1, y1)) - luma(p.at(x2, y2))); };
    double across = 0, inside = 0;
    for (int y = 0; y < 600; ++y) {
        across += diff(799, y, 0, y);
        inside += diff(399, y, 400, y);
    }
    double down = 0, insideV = 0;
    for (int x = 0; x < 800; ++x) {
        down += diff(x, 599, x, 0);
        insideV += diff(x, 299, x, 300);
    }
    // the wrap joins like any other pair of neighbouring pixels
    EXPECT_LT(across, inside * 1.6 + 1);
    EXPECT_LT(down, insideV * 1.6 + 1);
}

// Every wall frame, as a block's middle, is well lighter or darker than the
// floor under the board (a sandstone block on sand read as ground). Frame 2
// is light and even, for the game tints it, and never bluish, or as a wall
// it would pass for a beam (the same frame, tinted blue). From the third set
// on, beams are the frame alone and walls carry the tile border: the frame
// fills its square to the edge so a beam's cells join into one band, and the
// border's dark outline is what makes the pale wall a block.
TEST_F(MediaFilesTest, WallFramesStandApartFromTheFloorAndFrameTwoTakesATint) {
    for (int i = 0; i <= 32; ++i) {
        SCOPED_TRACE(i);
        std::string nn = two(i);
        ImagePtr tiles = loadAnimImage("media\\tiles\\tiles" + nn + (i == 0 ? ".jpg" : ".png"), 32, 32, 0, 6, -1);
        ASSERT_NE(tiles, nullptr);
        Pixmap back = lockImage(loadImage("media\\back\\back" + nn + ".jpg", -1));
        auto meanLuma = [](const Pixmap& p, int x0, int y0, int x1, int y1, int step) {
            double sum = 0;
            int n = 0;
            for (int y = y0; y < y1; y += step)
                for (int x = x0; x < x1; x += step, ++n) sum += luma(p.at(x, y));
            return sum / n;
        };
        double floor = meanLuma(back, 63, 61, 703, 509, 2);
        for (int frame = 0; frame < 6; ++frame)
            EXPECT_GT(std::fabs(meanLuma(lockImage(tiles, frame), 4, 4, 28, 28, 1) - floor), 0.15) << "frame " << frame;
        Pixmap f = lockImage(tiles, 2);
        double blueOverRed = 0;
        double sum = 0, sq = 0;
        int n = 0;
        for (int y = 4; y < 28; ++y)
            for (int x = 4; x < 28; ++x) {
                uint32_t c = f.at(x, y);
                if (alphaOf(c) < 200) continue;
                double l = luma(c);
                sum += l;
                sq += l * l;
                blueOverRed += (int(c & 255) - int((c >> 16) & 255)) / 255.0;
                ++n;
            }
        ASSERT_GT(n, 400);
        double mean = sum / n, sd = std::sqrt(sq / n - mean * mean);
        EXPECT_GT(mean, 0.65);
        EXPECT_LT(sd, 0.1);
        EXPECT_LE(blueOverRed / n, 0.0);
        double rim = 0;
        int rimCells = 0;
        for (int k = 1; k < 31; ++k)
            for (uint32_t c : {f.at(k, 30), f.at(30, k), f.at(k, 31), f.at(31, k)})
                if (alphaOf(c) >= 200) {
                    rim += luma(c);
                    ++rimCells;
                }
        ASSERT_GT(rimCells, 40);
        if (i <= 1)
            EXPECT_LT(rim / rimCells, mean - 0.25);  // no border in these sets: the frame's own rim
        else
            EXPECT_GT(rim / rimCells, mean - 0.1);
    }
    Pixmap border = lockImage(loadImage("media\\tiles\\tile_border.png", -1));
    int dark = 0;
    for (int k = 4; k < 28; ++k)
        for (uint32_t c : {border.at(k, 0), border.at(0, k), border.at(k, 31), border.at(31, k)})
            dark += alphaOf(c) >= 150 && luma(c) < 0.2;
    EXPECT_GT(dark, 80);
}

TEST_F(MediaFilesTest, TheFrameIsTransparentOverTheBoardAndCarriesTheButtonsAndTokens) {
    Pixmap p = lockImage(loadImage("media\\borderred.png", -1));
    ASSERT_EQ(p.width, 800);
    for (int y = 61; y <= 508; ++y)
        for (int x = 63; x <= 702; ++x) ASSERT_EQ(alphaOf(p.at(x, y)), 0) << x << "," << y;
    // the button faces and the five token sockets are solid
    for (auto [x, y] : {std::pair{134, 557}, {431, 562}, {645, 558}})
        EXPECT_EQ(alphaOf(p.at(x, y)), 255) << x << "," << y;
    for (int i = 0; i < 5; ++i) EXPECT_EQ(alphaOf(p.at(754, 120 + 64 * i)), 255);
    // the hover glows are light only: additive pictures with a bright middle
    for (const char* name : {"media\\hover_menu.png", "media\\hover_restart.png", "media\\hover_skip.png"}) {
        Pixmap h = lockImage(loadImage(name, -1));
        EXPECT_GT(alphaOf(h.at(h.width / 2, h.height / 2)), 60) << name;
        EXPECT_EQ(alphaOf(h.at(0, 0)), 0) << name;
    }
}

TEST_F(MediaFilesTest, TheBallAndHoverArrowsAreCentredAsTheGameDrawsThem) {
    Pixmap ball = lockImage(loadImage("media\\ball.png", -1));
    EXPECT_GT(luma(ball.at(16, 16)), 0.9);
    EXPECT_LT(alphaOf(ball.at(0, 0)), 10);
    // each arrow lies off the centre, in its own direction
    struct Arrow {
        const char* name;
        int dx, dy;
    };
    for (const Arrow& a : {Arrow{"media\\hover_up.png", 0, -1}, Arrow{"media\\hover_down.png", 0, 1},
                           Arrow{"media\\hover_left.png", -1, 0}, Arrow{"media\\hover_right.png", 1, 0}}) {
        Pixmap h = lockImage(loadImage(a.name, -1));
        double cx = 0, cy = 0, total = 0;
        for (int y = 0; y < h.height; ++y)
            for (int x = 0; x < h.width; ++x) {
                double w = alphaOf(h.at(x, y));
                cx += w * (x - h.width / 2.0);
                cy += w * (y - h.height / 2.0);
                total += w;
            }
        ASSERT_GT(total, 0) << a.name;
        cx /= total;
        cy /= total;
        EXPECT_GT(cx * a.dx + cy * a.dy, 12) << a.name;
        EXPECT_LT(std::fabs(cx * a.dy) + std::fabs(cy * a.dx), 3) << a.name;
    }
}

TEST_F(MediaFilesTest, TheWorldMapRoadRunsUnderTheRoute) {
    // The route as the world map builds it (start, control 1, end, control 2),
    // with its own cubic formula in single precision; the road must lie under it.
    const int route[28][8] = {
        {101, 273, 100, 325, 191, 378, 130, 377}, {191, 378, 258, 380, 274, 298, 267, 334}, {274, 298, 284, 298, 302, 296, 293, 297},
        {302, 296, 315, 301, 354, 307, 333, 314}, {354, 307, 414, 289, 579, 300, 509, 300}, {579, 301, 586, 311, 586, 323, 581, 312},
        {586, 323, 589, 329, 601, 335, 597, 331}, {601, 336, 602, 335, 603, 335, 602, 335}, {603, 335, 602, 343, 588, 344, 596, 344},
        {588, 344, 588, 358, 589, 375, 591, 367}, {589, 375, 610, 376, 651, 376, 630, 376}, {651, 376, 653, 374, 657, 369, 655, 371},
        {657, 369, 657, 357, 657, 339, 656, 346}, {657, 339, 650, 339, 635, 340, 642, 340}, {635, 340, 632, 337, 630, 328, 630, 335},
        {630, 328, 633, 328, 630, 328, 637, 328}, {630, 328, 642, 325, 655, 302, 654, 304}, {655, 302, 660, 298, 675, 300, 668, 303},
        {675, 300, 681, 296, 692, 287, 686, 291}, {692, 287, 692, 273, 687, 263, 689, 271}, {687, 263, 685, 260, 679, 254, 682, 257},
        {679, 254, 667, 249, 573, 259, 575, 256}, {573, 259, 537, 251, 439, 254, 482, 255}, {439, 254, 424, 255, 394, 255, 409, 255},
        {394, 255, 382, 251, 325, 247, 340, 243}, {325, 247, 309, 252, 282, 259, 310, 259}, {282, 259, 267, 239, 189, 168, 255, 168},
        {189, 168, 131, 167, 101, 273, 101, 220},
    };
    auto bezier = [](float t, int p0, int p1, int p2, int p3) {
        float c = 3.0f * float(p1 - p0), b = 3.0f * float(p2 - p1) - c, a = float(p3 - p0) - c - b;
        float t2 = t * t, t3 = t2 * t;
        return int(std::lround(a * t3 + b * t2 + c * t + float(p0)));
    };
    Pixmap map = lockImage(loadImage("media\\worldMap.png", -1));
    ASSERT_EQ(map.width, 800);
    int onRoad = 0, total = 0;
    for (const auto& s : route)
        for (int i = 0; i <= 20; ++i) {
            float t = float(i) / 20.0f;
            int x = bezier(t, s[0], s[2], s[6], s[4]), y = bezier(t, s[1], s[3], s[7], s[5]);
            // the road is a warm light track (red over blue, bright) at or next to
            // the point: a milestone or a landmark may sit on one side of it
            bool road = false;
            for (int dy = -2; dy <= 2; ++dy)
                for (int dx = -2; dx <= 2; ++dx) {
                    uint32_t c = map.at(x + dx, y + dy);
                    int r = (c >> 16) & 255, g = (c >> 8) & 255, b = c & 255;
                    road = road || (r > 170 && g > 140 && r > b + 40);
                }
            onRoad += road;
            ++total;
        }
    EXPECT_GT(onRoad, total * 95 / 100);
}

// --- sounds ---

struct SoundFile {
    std::string path;
    bool loop;
};
const std::vector<SoundFile> sounds = {
    {"media\\waves2.ogg", true},      {"media\\chimes.wav", false},   {"media\\ooh.ogg", false},
    {"media\\oohooh2.ogg", false},    {"media\\bigdoorshut2.ogg", false}, {"media\\dododo.ogg", false},
    {"media\\woom.ogg", false},       {"media\\tele.ogg", false},     {"media\\pageturn2.ogg", false},
};

float peakOf(const TSound& s) {
    float m = 0;
    for (float v : s.samples) m = std::max(m, std::fabs(v));
    return m;
}

TEST_F(MediaFilesTest, EffectsAreShortCleanAndUnderFullScale) {
    for (const SoundFile& f : sounds) {
        SCOPED_TRACE(f.path);
        SoundPtr s = loadSound(f.path, f.loop ? SOUND_LOOP : 0);
        ASSERT_NE(s, nullptr);
        ASSERT_GT(s->frames, 0);
        float peak = peakOf(*s);
        EXPECT_GT(peak, 0.2f);
        EXPECT_LT(peak, 0.98f);
        EXPECT_LT(double(s->frames) / mixerRate(), 3.0);
        if (!f.loop) {
            // faded at both ends: no click when it starts or stops
            for (int k = 0; k < 2; ++k) {
                EXPECT_LT(std::fabs(s->samples[size_t(k)]), 0.02f);
                EXPECT_LT(std::fabs(s->samples[s->samples.size() - 1 - size_t(k)]), 0.02f);
            }
        }
    }
}

// The jump from the last frame back to the first, against the usual step
// between neighbouring frames of the same sound.
void expectSeamless(const TSound& s) {
    const auto& v = s.samples;
    size_t n = size_t(s.frames);
    double typical = 0;
    for (size_t i = 1; i < n; ++i) typical += std::fabs(v[2 * i] - v[2 * (i - 1)]);
    typical /= double(n - 1);
    for (int ch = 0; ch < 2; ++ch) EXPECT_LT(std::fabs(v[size_t(ch)] - v[2 * (n - 1) + size_t(ch)]), typical * 8 + 0.01);
}

// RMS of frames [from, to) of both channels.
double rmsOf(const TSound& s, size_t from, size_t to) {
    double sum = 0;
    for (size_t i = 2 * from; i < 2 * to; ++i) sum += double(s.samples[i]) * s.samples[i];
    return std::sqrt(sum / double(2 * (to - from)));
}

// Per second of a track, the RMS under 800 Hz (bass, chords, tunes) and
// over 2.5 kHz (bird song, and the bright edge of plucks and drums).
struct Bands {
    std::vector<double> low, high;
};
Bands bandsOf(const TSound& s) {
    auto coefficient = [](double hz) { return 1 - std::exp(-2 * 3.14159265358979 * hz / mixerRate()); };
    const double kLow = coefficient(800), kHigh = coefficient(2500);
    double low = 0, smooth1 = 0, smooth2 = 0, sumLow = 0, sumHigh = 0;
    Bands b;
    for (int i = 0; i < s.frames; ++i) {
        double x = 0.5 * (s.samples[2 * size_t(i)] + s.samples[2 * size_t(i) + 1]);
        low += kLow * (x - low);
        smooth1 += kHigh * (x - smooth1);
        double once = x - smooth1;
        smooth2 += kHigh * (once - smooth2);
        double high = once - smooth2;
        sumLow += low * low;
        sumHigh += high * high;
        if ((i + 1) % mixerRate() == 0) {
            b.low.push_back(std::sqrt(sumLow / mixerRate()));
            b.high.push_back(std::sqrt(sumHigh / mixerRate()));
            sumLow = sumHigh = 0;
        }
    }
    return b;
}

double quantile(std::vector<double> v, double q) {
    std::sort(v.begin(), v.end());
    return v[size_t(q * double(v.size() - 1))];
}

// Both tracks loop for a long time: long enough to bear it, without a
// click or a gap where they come round, under full scale, and at about the
// same level, so a change of group does not jump.
TEST_F(MediaFilesTest, TheRollingSoundAndTheMusicLoopWithoutASeam) {
    SoundPtr rolling = loadSound("media\\waves2.ogg", SOUND_LOOP);
    ASSERT_NE(rolling, nullptr);
    expectSeamless(*rolling);
    SoundPtr dance = loadSound("media\\music\\tarn_flutedance.ogg", SOUND_LOOP);
    SoundPtr birds = loadSound("media\\music\\tuibirds.ogg", SOUND_LOOP);
    ASSERT_NE(dance, nullptr);
    ASSERT_NE(birds, nullptr);
    EXPECT_GE(double(dance->frames) / mixerRate(), 60.0);
    EXPECT_GE(double(birds->frames) / mixerRate(), 90.0);
    for (const SoundPtr& music : {dance, birds}) {
        const size_t n = size_t(music->frames), second = size_t(mixerRate());
        EXPECT_LT(peakOf(*music), 0.98f);
        expectSeamless(*music);
        const double whole = rmsOf(*music, 0, n);
        EXPECT_GT(rmsOf(*music, 0, second), whole * 0.4) << "a gap after the loop point";
        EXPECT_GT(rmsOf(*music, n - second, n), whole * 0.4) << "a gap before the loop point";
    }
    EXPECT_NEAR(20 * std::log10(rmsOf(*birds, 0, size_t(birds->frames)) / rmsOf(*dance, 0, size_t(dance->frames))), 0.0,
                3.0);
}

// What a listener would notice first: the tune under the birds never stops,
// and the birds come and go, calls and pauses, rather than one steady tone
// or hiss.
TEST_F(MediaFilesTest, TheBirdsCallAndFallSilentOverATuneThatNeverStops) {
    SoundPtr birds = loadSound("media\\music\\tuibirds.ogg", SOUND_LOOP);
    ASSERT_NE(birds, nullptr);
    Bands b = bandsOf(*birds);
    ASSERT_FALSE(b.low.empty());
    EXPECT_GT(quantile(b.low, 0.0), quantile(b.low, 0.5) * 0.5) << "the tune falls silent somewhere";
    EXPECT_GT(quantile(b.high, 0.9), quantile(b.high, 0.1) * 3) << "no calls standing out of their pauses";
    EXPECT_GT(quantile(b.high, 0.9), quantile(b.low, 0.5) * 0.1) << "the birds are lost under the tune";
}

}  // namespace
}  // namespace qm
