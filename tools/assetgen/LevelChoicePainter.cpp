// Painted in the menus' style: the dark glass panel with gold trim, serif
// gold headings, cream labels with an ink outline.
#include "LevelChoicePainter.h"

#include "Canvas.h"
#include "MenuPainter.h"

namespace qm {

namespace {

const Rgb ink{0.07, 0.06, 0.09};
const Rgb trim = Rgb::hex(0xe2b85a);
const Rgb cream = Rgb::hex(0xf6ecd2);
const Rgb gold = Rgb::hex(0xffe7a0);

int save(const std::shared_ptr<Canvas>& c, const std::string& path) { return c->savePng(path) ? 0 : 1; }

// One level cell: 0 open, 1 chosen, 2 not reached yet.
void cell(cairo_t* cr, double x, int kind) {
    const double w = LevelChoicePainter::kCellW, h = LevelChoicePainter::kCellH;
    roundedRect(cr, x + 3, 3, w - 6, h - 6, 9);
    cairo_pattern_t* g = cairo_pattern_create_linear(0, 3, 0, h - 3);
    if (kind == 2) {
        cairo_pattern_add_color_stop_rgba(g, 0, 0.12, 0.13, 0.17, 0.75);
        cairo_pattern_add_color_stop_rgba(g, 1, 0.08, 0.09, 0.12, 0.75);
    } else if (kind == 1) {
        cairo_pattern_add_color_stop_rgba(g, 0, 0.42, 0.36, 0.2, 0.98);
        cairo_pattern_add_color_stop_rgba(g, 1, 0.24, 0.2, 0.11, 0.98);
    } else {
        cairo_pattern_add_color_stop_rgba(g, 0, 0.22, 0.27, 0.42, 0.95);
        cairo_pattern_add_color_stop_rgba(g, 1, 0.12, 0.15, 0.25, 0.95);
    }
    cairo_set_source(cr, g);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(g);
    setColour(cr, kind == 1 ? gold : kind == 2 ? trim.darker(0.6) : trim.darker(0.25));
    cairo_set_line_width(cr, kind == 1 ? 3 : 1.5);
    cairo_stroke(cr);
    if (kind == 2) return;
    // The captions of the two figures drawn under the number.
    setColour(cr, cream, kind == 1 ? 0.9 : 0.7);
    drawText(cr, "best", x + 9, h - 11, 11, Font::Sans);
    drawText(cr, "par", x + 60, h - 11, 11, Font::Sans);
}

}  // namespace

int LevelChoicePainter::writeAll(const std::string& media) {
    int failures = 0;
    {
        auto c = Canvas::create(800, 600);
        cairo_t* cr = c->cr();
        MenuPainter::panel(cr, 20, 12, 760, 576);
        drawLabel(cr, "Choose a level", 400, 60, 34, Font::SerifBold, gold, ink, Align::Centre, 3.5);
        setColour(cr, cream, 0.8);
        drawText(cr, "Arrows choose  \xc2\xb7  the wheel scrolls  \xc2\xb7  Enter or a click plays  \xc2\xb7  Esc goes back",
                 400, 574, 13, Font::Sans, Align::Centre);
        failures += save(c, media + "/levelChoice.png");
    }
    {
        // The scroll arrows, up and down, in the gaps above and below the rows.
        auto c = Canvas::create(kArrowW * 2, kArrowH);
        cairo_t* cr = c->cr();
        for (int down = 0; down < 2; ++down) {
            double x = down * kArrowW, tip = down ? kArrowH - 2 : 2, base = down ? 3 : kArrowH - 3;
            roundedRect(cr, x + 1, 1, kArrowW - 2, kArrowH - 2, (kArrowH - 2) / 2.0);
            setColour(cr, ink, 0.55);
            cairo_fill(cr);
            cairo_move_to(cr, x + kArrowW / 2.0, tip);
            cairo_line_to(cr, x + kArrowW / 2.0 + 9, base);
            cairo_line_to(cr, x + kArrowW / 2.0 - 9, base);
            cairo_close_path(cr);
            setColour(cr, gold);
            cairo_fill_preserve(cr);
            setColour(cr, ink);
            cairo_set_line_width(cr, 1.2);
            cairo_stroke(cr);
        }
        failures += save(c, media + "/levelArrows.png");
    }
    {
        auto c = Canvas::create(kCellW * 3, kCellH);
        for (int kind = 0; kind < 3; ++kind) cell(c->cr(), kind * kCellW, kind);
        failures += save(c, media + "/levelCells.png");
    }
    {
        // Levels as the player counts them: the first is 1.
        auto c = Canvas::create(kNumberW * kLevels, kNumberH);
        for (int level = 0; level < kLevels; ++level)
            drawLabel(c->cr(), std::to_string(level + 1), level * kNumberW + kNumberW / 2.0, 24, 22, Font::SansBold,
                      cream, ink, Align::Centre, 3);
        failures += save(c, media + "/levelNumbers.png");
    }
    return failures;
}

}  // namespace qm
