// Each pair has its own shape and hue (a ring, a diamond, a triangle, a
// square, a star; gold, sky, rose, leaf, violet), set in a shallow socket of
// the style's floor and rimmed with its wall's accent.
#include "PairMarkPainter.h"

#include <cmath>

#include "ArtStyle.h"

namespace qm {

namespace {

const double PI = 3.14159265358979;

const Rgb kPairHues[PairMarkPainter::kPairs] = {
    Rgb::hex(0xffd23c), Rgb::hex(0x52c8ff), Rgb::hex(0xff5c9a), Rgb::hex(0x6ee05a), Rgb::hex(0xb57cff),
};

void glyphPath(cairo_t* cr, int pair, double cx, double cy, double r) {
    cairo_new_path(cr);
    switch (pair) {
        case 0: cairo_arc(cr, cx, cy, r * 0.8, 0, 2 * PI); break;
        case 1:
            cairo_move_to(cr, cx, cy - r);
            cairo_line_to(cr, cx + r, cy);
            cairo_line_to(cr, cx, cy + r);
            cairo_line_to(cr, cx - r, cy);
            cairo_close_path(cr);
            break;
        case 2:
            cairo_move_to(cr, cx, cy - r);
            cairo_line_to(cr, cx + r * 0.95, cy + r * 0.7);
            cairo_line_to(cr, cx - r * 0.95, cy + r * 0.7);
            cairo_close_path(cr);
            break;
        case 3: cairo_rectangle(cr, cx - r * 0.72, cy - r * 0.72, r * 1.44, r * 1.44); break;
        default:
            for (int i = 0; i < 10; ++i) {
                double a = -PI / 2 + i * PI / 5, rr = i % 2 ? r * 0.45 : r;
                if (i == 0) cairo_move_to(cr, cx + rr * std::cos(a), cy + rr * std::sin(a));
                else cairo_line_to(cr, cx + rr * std::cos(a), cy + rr * std::sin(a));
            }
            cairo_close_path(cr);
            break;
    }
}

}  // namespace

void PairMarkPainter::paint(cairo_t* cr, int style, int pair, double x, double y) {
    const ArtStyle& s = ArtStyle::all()[size_t(style) % ArtStyle::all().size()];
    const Rgb& hue = kPairHues[pair % kPairs];
    double cx = x + 16, cy = y + 16;
    cairo_save(cr);
    // The socket: a dish a shade darker than the floor, lit from the top left.
    cairo_arc(cr, cx, cy, 14, 0, 2 * PI);
    cairo_pattern_t* dish = cairo_pattern_create_linear(x, y, x + 32, y + 32);
    Rgb deep = s.floorDark.darker(0.45), lit = s.floorLight.darker(0.1);
    cairo_pattern_add_color_stop_rgb(dish, 0, deep.r, deep.g, deep.b);
    cairo_pattern_add_color_stop_rgb(dish, 1, lit.r, lit.g, lit.b);
    cairo_set_source(cr, dish);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(dish);
    setColour(cr, s.wallAccent.mix(hue, 0.35), 0.95);
    cairo_set_line_width(cr, 2.2);
    cairo_stroke(cr);
    // The sign: the pair's hue with a dark edge, so it reads on light and dark floors.
    glyphPath(cr, pair, cx, cy, 8.5);
    setColour(cr, hue, 1);
    cairo_fill_preserve(cr);
    setColour(cr, hue.darker(0.65), 0.95);
    cairo_set_line_width(cr, 1.6);
    cairo_stroke(cr);
    glyphPath(cr, pair, cx - 1, cy - 1, 4);
    setColour(cr, hue.lighter(0.6), 0.8);
    cairo_fill(cr);
    cairo_restore(cr);
}

void PairMarkPainter::paintGlow(cairo_t* cr, double size) {
    double r = size / 2;
    cairo_pattern_t* g = cairo_pattern_create_radial(r, r, 0, r, r, r);
    // A bell: fifteen stacked copies of orange reach about full red at the
    // very centre and fall off smoothly to the rim.
    for (int i = 0; i <= 10; ++i) {
        double t = i / 10.0;
        cairo_pattern_add_color_stop_rgba(g, t, 1, 1, 1, 0.075 * std::exp(-4.0 * t * t) * (1 - t));
    }
    cairo_set_source(cr, g);
    cairo_paint(cr);
    cairo_pattern_destroy(g);
}

int PairMarkPainter::writeAll(const std::string& media) {
    int styles = int(ArtStyle::all().size());
    auto strip = Canvas::create(32 * kPairs * styles, 32);
    for (int style = 0; style < styles; ++style)
        for (int pair = 0; pair < kPairs; ++pair) paint(strip->cr(), style, pair, 32.0 * (kPairs * style + pair), 0);
    int failures = strip->savePng(media + "/tiles/tile_pairs.png") ? 0 : 1;
    auto glow = Canvas::create(32, 32);
    paintGlow(glow->cr(), 32);
    failures += glow->savePng(media + "/glow.png") ? 0 : 1;
    return failures;
}

}  // namespace qm
