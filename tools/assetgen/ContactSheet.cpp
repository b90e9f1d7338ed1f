// Composes review pictures the way the game draws a board: cell (x, y) at
// (63 + 32x, 61 + 32y), tile-set frames with the border from style 2 on.
#include "ContactSheet.h"

#include <jpeglib.h>

#include <cmath>
#include <cstdio>
#include <vector>

#include "ArtStyle.h"
#include "BackgroundPainter.h"
#include "FramePainter.h"
#include "GizmoPainter.h"
#include "TilePainter.h"

namespace qm {

namespace {

// '#' wall (variant by position), 'S' switch tint, 'B'/'b' beam blocks.
const char* sampleBoard[14] = {
    "####################",
    "#..k.....#....1.2.3#",
    "#.##....#L#...##...#",
    "#.#.....#......#.K.#",
    "#....B..#...S......#",
    "#.......####....M..#",
    "#..##.........w..x.#",
    "#..#..o...b....#...#",
    "#.....##.......##..#",
    "#..r.R.p.......#.z.#",
    "#.##....#.....^v<>.#",
    "#..#....###..y.##..#",
    "#..................#",
    "####################",
};

void tinted(cairo_t* cr, int style, int frame, double x, double y, Rgb tint) {
    auto tmp = Canvas::create(32, 32);
    TilePainter::paint(tmp->cr(), style, frame, 0, 0, style == 0);
    // multiply the tile by the tint as the game's colour does
    cairo_t* t = tmp->cr();
    cairo_set_operator(t, CAIRO_OPERATOR_MULTIPLY);
    setColour(t, tint);
    cairo_paint(t);
    cairo_set_operator(t, CAIRO_OPERATOR_DEST_IN);
    auto mask = Canvas::create(32, 32);
    TilePainter::paint(mask->cr(), style, frame, 0, 0, style == 0);
    cairo_set_source_surface(t, mask->surface(), 0, 0);
    cairo_paint(t);
    cairo_set_source_surface(cr, tmp->surface(), x, y);
    cairo_paint(cr);
}

}  // namespace

std::shared_ptr<Canvas> ContactSheet::scene(int style) {
    auto c = BackgroundPainter::render(style);
    cairo_t* cr = c->cr();
    for (int y = 0; y < 14; ++y)
        for (int x = 0; x < 20; ++x) {
            char ch = sampleBoard[y][x];
            double px = 63 + 32 * x, py = 61 + 32 * y;
            if (ch == '#') TilePainter::paint(cr, style, (x * 7 + y * 3) % 6, px, py, style == 0);
            else if (ch == 'S') tinted(cr, style, 2, px, py, Rgb::hex(0x7b324b));
            else if (ch == 'B') tinted(cr, style, 2, px, py, Rgb::hex(0x4f7b2d));
            else if (ch == 'b') tinted(cr, style, 2, px, py, Rgb::hex(0x1d5323));
            else if (ch == 'L') {
                TilePainter::paint(cr, style, 0, px, py, style == 0);
                if (style >= 2) TilePainter::paintBorder(cr, px, py);
                GizmoPainter::paint(cr, 0, px, py);
                continue;
            } else if (ch == 'M') TilePainter::paint(cr, style, 1, px, py, style == 0);
            else {
                const std::string keys = "kK123rRpwxyz^v<>";
                size_t k = keys.find(ch);
                if (k != std::string::npos) GizmoPainter::paint(cr, int(k) + 1, px, py);
                continue;
            }
            if (style >= 2) TilePainter::paintBorder(cr, px, py);
        }
    // a beam crossing floor cells
    for (int x = 6; x < 8; ++x) {
        tinted(cr, style, 2, 63 + 32 * x, 61 + 32 * 4, Rgb::hex(0xc8dff5));
        if (style >= 2) TilePainter::paintBorder(cr, 63 + 32 * x, 61 + 32 * 4);
    }
    // the ball resting with its hover arrow, drawn additively as the game does
    cairo_set_operator(cr, CAIRO_OPERATOR_ADD);
    auto ball = Canvas::create(96, 96);
    GizmoPainter::paintBall(ball->cr(), 48, 48, 15.5);
    cairo_set_source_surface(cr, ball->surface(), 63 + 32 * 6 + 16 - 48, 61 + 32 * 7 + 16 - 48);
    cairo_paint(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
    FramePainter::paintFrame(cr);
    GizmoPainter::paintToken(cr, 0, 754, 120);
    GizmoPainter::paintToken(cr, 1, 754, 184);
    GizmoPainter::paintToken(cr, 0, 754, 248);
    return c;
}

bool ContactSheet::single(int style, const std::string& path) { return scene(style)->savePng(path); }

bool ContactSheet::styles(const std::string& path, double scale) {
    int cols = 6, rows = 6;
    double cw = 800 * scale / 4, ch = 600 * scale / 4;
    auto sheet = Canvas::create(int(cols * cw), int(rows * (ch + 14 * scale)));
    cairo_t* cr = sheet->cr();
    setColour(cr, {0.08, 0.08, 0.1});
    cairo_paint(cr);
    for (int i = 0; i < int(ArtStyle::all().size()); ++i) {
        auto s = scene(i);
        double x = (i % cols) * cw, y = (i / cols) * (ch + 14 * scale);
        cairo_save(cr);
        cairo_translate(cr, x, y);
        cairo_scale(cr, scale / 4, scale / 4);
        cairo_set_source_surface(cr, s->surface(), 0, 0);
        cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_GOOD);
        cairo_paint(cr);
        cairo_restore(cr);
        setColour(cr, {0.9, 0.9, 0.85});
        drawText(cr, std::to_string(i) + " " + ArtStyle::all()[size_t(i)].name, x + 4, y + ch + 11 * scale, 10 * scale, Font::SansBold);
    }
    return sheet->savePng(path);
}

bool ContactSheet::gizmos(const std::string& path) {
    // every gizmo and marker at three times size, over a light and a dark floor
    int n = GizmoPainter::gizmoCount + 6 + 2;
    auto c = Canvas::create(n * 100, 220);
    cairo_t* cr = c->cr();
    setColour(cr, Rgb::hex(0xb49358));
    cairo_rectangle(cr, 0, 0, n * 100, 110);
    cairo_fill(cr);
    setColour(cr, Rgb::hex(0x2a3458));
    cairo_rectangle(cr, 0, 110, n * 100, 110);
    cairo_fill(cr);
    for (int row = 0; row < 2; ++row)
        for (int i = 0; i < n; ++i) {
            cairo_save(cr);
            cairo_translate(cr, i * 100 + 2, row * 110 + 7);
            cairo_scale(cr, 3, 3);
            if (i < GizmoPainter::gizmoCount) GizmoPainter::paint(cr, i, 0, 0);
            else if (i < GizmoPainter::gizmoCount + 6) GizmoPainter::paintMarker(cr, i - GizmoPainter::gizmoCount, 0, 0);
            else GizmoPainter::paintToken(cr, i - GizmoPainter::gizmoCount - 6, 16, 16);
            cairo_restore(cr);
        }
    return c->savePng(path);
}

namespace {

// Draws frame `frame` of a strip file (cells w x h) centred at (cx, cy), or with
// its top-left there when corner is true.
void cell(cairo_t* cr, const std::string& file, int w, int h, int frame, double cx, double cy, bool corner = false) {
    cairo_surface_t* s = cairo_image_surface_create_from_png(file.c_str());
    if (cairo_surface_status(s) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(s);
        return;
    }
    if (w <= 0) {
        w = cairo_image_surface_get_width(s);
        h = cairo_image_surface_get_height(s);
    }
    double x = corner ? cx : cx - w / 2, y = corner ? cy : cy - h / 2;
    cairo_save(cr);
    cairo_rectangle(cr, x, y, w, h);
    cairo_clip(cr);
    cairo_set_source_surface(cr, s, x - frame * w, y);
    cairo_paint(cr);
    cairo_restore(cr);
    cairo_surface_destroy(s);
}

void jpeg(cairo_t* cr, const std::string& file, double x, double y);

}  // namespace

bool ContactSheet::tutorials(const std::string& media, const std::string& path) {
    auto c = Canvas::create(1280, 448 * 5);
    cairo_t* cr = c->cr();
    setColour(cr, {0.2, 0.25, 0.2});
    cairo_paint(cr);
    for (int i = 0; i < 10; ++i) {
        double x = (i % 2) * 640, y = (i / 2) * 448;
        cell(cr, media + "/blank.png", 0, 0, 0, x, y, true);
        cell(cr, media + "/tutorialtext0" + std::to_string(i) + ".png", 0, 0, 0, x, y, true);
    }
    return c->savePng(path);
}

bool ContactSheet::menus(const std::string& media, const std::string& path) {
    auto c = Canvas::create(1600, 1200);
    cairo_t* cr = c->cr();
    for (int screen = 0; screen < 4; ++screen) {
        cairo_save(cr);
        cairo_translate(cr, (screen % 2) * 800, (screen / 2) * 600);
        cairo_rectangle(cr, 0, 0, 800, 600);
        cairo_clip(cr);
        if (screen == 3) {
            cell(cr, media + "/logo.png", 0, 0, 0, 0, 0, true);
            cairo_restore(cr);
            continue;
        }
        jpeg(cr, media + "/postcard.jpg", 0, 0);
        int ys[5] = {242, 292, 342, -200, 559};
        for (int i = 0; i < 5; ++i) {
            double x = i == 4 ? 146 : 226;
            cell(cr, media + "/mainMenu.png", 256, 50, 2 * i + (i == screen ? 1 : 0), x, ys[i]);
        }
        if (screen == 1) {
            cell(cr, media + "/submenu1.png", 0, 0, 0, 430, 145, true);
            cell(cr, media + "/menuInstructions.png", 325, 402, 0, 430 + 165, 145 + 205);
        }
        if (screen == 2 || screen == 0) {
            cell(cr, media + "/submenu1.png", 0, 0, 0, 430, 145, true);
            for (int i = 0; i < 5; ++i) {
                double bx = 430 + 100, by = 145 + 90 + i * 60;
                cell(cr, media + "/menuOptions.png", 154, 30, 2 * i + (i == 1 ? 1 : 0), bx, by);
                if (i == 0) cell(cr, media + "/menuYesNo.png", 30, 30, 1, bx + 60, by - 15, true);
                if (i == 1 || i == 2) {
                    cell(cr, media + "/sliderBack.png", 0, 0, 0, bx + 30, by - 10, true);
                    cell(cr, media + "/sliderX.png", 0, 0, 0, bx + 30 + (i == 1 ? 50 : 75) - 10, by - 10, true);
                }
            }
        }
        if (screen == 2) {
            cell(cr, media + "/submenu2.png", 0, 0, 0, 230, 205, true);
            cell(cr, media + "/menuResetProf.png", 158, 30, 0, 230 + 100, 205 + 90);
            cell(cr, media + "/menuResetProf.png", 158, 30, 3, 230 + 100, 205 + 150);
        }
        cairo_restore(cr);
    }
    return c->savePng(path);
}

namespace {

void jpeg(cairo_t* cr, const std::string& file, double x, double y) {
    // review only: the JPEG is decoded with libjpeg into a surface
    FILE* f = std::fopen(file.c_str(), "rb");
    if (!f) return;
    jpeg_decompress_struct cinfo;
    jpeg_error_mgr jerr;
    cinfo.err = jpeg_std_error(&jerr);
    jpeg_create_decompress(&cinfo);
    jpeg_stdio_src(&cinfo, f);
    jpeg_read_header(&cinfo, TRUE);
    cinfo.out_color_space = JCS_RGB;
    jpeg_start_decompress(&cinfo);
    auto img = Canvas::create(int(cinfo.output_width), int(cinfo.output_height));
    unsigned char* data = img->data();
    std::vector<unsigned char> row(cinfo.output_width * 3);
    while (cinfo.output_scanline < cinfo.output_height) {
        int yy = int(cinfo.output_scanline);
        JSAMPROW rp = row.data();
        jpeg_read_scanlines(&cinfo, &rp, 1);
        uint32_t* out = reinterpret_cast<uint32_t*>(data + size_t(yy) * img->stride());
        for (unsigned i = 0; i < cinfo.output_width; ++i)
            out[i] = 0xFF000000u | (uint32_t(row[i * 3]) << 16) | (uint32_t(row[i * 3 + 1]) << 8) | row[i * 3 + 2];
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    std::fclose(f);
    cairo_surface_mark_dirty(img->surface());
    cairo_set_source_surface(cr, img->surface(), x, y);
    cairo_paint(cr);
}

}  // namespace

}  // namespace qm
