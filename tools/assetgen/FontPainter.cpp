// Glyph grids of DejaVu Sans Bold and Serif Bold, hinted so stems sit on whole
// pixels at the size the game draws them.
#include "FontPainter.h"

#include <cmath>
#include <cstdio>

#include "Canvas.h"

namespace qm {

namespace {

constexpr int kFirst = 32, kLast = 126, kColumns = 16;

struct Face {
    const char* name;
    Font font;
    double size;
    double outline;  // outline width; 0 for none
    int cellW, cellH, originX, baseline;
};

int writeFace(const std::string& media, const Face& f) {
    int glyphs = kLast - kFirst + 1;
    int cells = glyphs * 2;
    int rows = (cells + kColumns - 1) / kColumns;
    auto canvas = Canvas::create(f.cellW * kColumns, f.cellH * rows);
    cairo_t* cr = canvas->cr();
    useFont(cr, f.size, f.font, true);
    std::string measures = std::to_string(f.cellW) + " " + std::to_string(f.cellH) + " " + std::to_string(f.originX) +
                           " " + std::to_string(f.baseline) + "\n";
    for (int c = kFirst; c <= kLast; ++c) {
        char text[2] = {char(c), 0};
        cairo_text_extents_t ext;
        cairo_text_extents(cr, text, &ext);
        char advance[16];
        std::snprintf(advance, sizeof advance, "%d%c", int(std::lround(ext.x_advance)), c == kLast ? '\n' : ' ');
        measures += advance;
        for (int part = 0; part < 2; ++part) {
            int cell = 2 * (c - kFirst) + part;
            double x = (cell % kColumns) * f.cellW + f.originX, y = (cell / kColumns) * f.cellH + f.baseline;
            cairo_save(cr);
            cairo_rectangle(cr, x - f.originX, y - f.baseline, f.cellW, f.cellH);
            cairo_clip(cr);
            cairo_new_path(cr);
            if (part == 0 && f.outline > 0) {
                // a soft shadow below right, then the dark edge
                cairo_move_to(cr, x + 1, y + 1.5);
                cairo_text_path(cr, text);
                setColour(cr, {0, 0, 0}, 0.35);
                cairo_set_line_width(cr, f.outline + 1);
                cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
                cairo_stroke(cr);
                cairo_move_to(cr, x, y);
                cairo_text_path(cr, text);
                setColour(cr, Rgb::hex(0x1a1420));
                cairo_set_line_width(cr, f.outline);
                cairo_stroke_preserve(cr);
                cairo_fill(cr);
            } else if (part == 1) {
                cairo_move_to(cr, x, y);
                setColour(cr, {1, 1, 1});
                cairo_show_text(cr, text);
            }
            cairo_restore(cr);
        }
    }
    std::string png = media + "/" + f.name + ".png", txt = media + "/" + f.name + ".txt";
    int failures = canvas->savePng(png) ? 0 : 1;
    if (std::FILE* out = std::fopen(txt.c_str(), "wb")) {
        failures += std::fwrite(measures.data(), 1, measures.size(), out) == measures.size() ? 0 : 1;
        failures += std::fclose(out) == 0 ? 0 : 1;
    } else {
        ++failures;
    }
    return failures;
}

}  // namespace

int FontPainter::writeAll(const std::string& media) {
    // The label face of the buttons, a small one for figures in tight places,
    // and the serif of the titles for a word across the board.
    const Face faces[] = {
        {"fontLabel", Font::SansBold, 15, 2.5, 26, 28, 5, 20},
        {"fontSmall", Font::SansBold, 12, 2.0, 22, 22, 4, 16},
        {"fontTitle", Font::SerifBold, 34, 4.0, 52, 54, 8, 40},
    };
    int failures = 0;
    for (const Face& f : faces) failures += writeFace(media, f);
    return failures;
}

}  // namespace qm
