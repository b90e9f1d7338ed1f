// Each pair has its own shape and hue (a ring, a diamond, a triangle, a
// square, a star; gold, sky, rose, leaf, violet), set in a shallow socket of
// the style's floor and rimmed with its wall's accent. The glow over it is a
// halo round the sign, not a light on it.
#include "PairMarkPainter.h"

#include <cmath>

#include "ArtStyle.h"

namespace qm {

namespace {

const double PI = 3.14159265358979;

const Rgb kPairHues[PairMarkPainter::kPairs] = {
    Rgb::hex(0xffd23c), Rgb::hex(0x52c8ff), Rgb::hex(0xff5c9a), Rgb::hex(0x6ee05a), Rgb::hex(0xb57cff),
};

// The pair's sign, `r` its reach from the centre. The ring is hollow and the
// square stands on its side, so no two signs share an outline.
void glyphPath(cairo_t* cr, int pair, double cx, double cy, double r) {
    cairo_new_path(cr);
    switch (pair) {
        case 0:
            cairo_arc(cr, cx, cy, r * 0.92, 0, 2 * PI);
            cairo_close_path(cr);
            cairo_new_sub_path(cr);
            cairo_arc_negative(cr, cx, cy, r * 0.45, 2 * PI, 0);
            cairo_close_path(cr);
            break;
        case 1:
            cairo_move_to(cr, cx, cy - r * 1.1);
            cairo_line_to(cr, cx + r * 0.8, cy);
            cairo_line_to(cr, cx, cy + r * 1.1);
            cairo_line_to(cr, cx - r * 0.8, cy);
            cairo_close_path(cr);
            break;
        case 2:
            cairo_move_to(cr, cx, cy - r);
            cairo_line_to(cr, cx + r, cy + r * 0.75);
            cairo_line_to(cr, cx - r, cy + r * 0.75);
            cairo_close_path(cr);
            break;
        case 3: cairo_rectangle(cr, cx - r * 0.74, cy - r * 0.74, r * 1.48, r * 1.48); break;
        default:
            for (int i = 0; i < 10; ++i) {
                double a = -PI / 2 + i * PI / 5, rr = i % 2 ? r * 0.48 : r * 1.08;
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
    glyphPath(cr, pair, cx, cy, 9);
    setColour(cr, hue, 1);
    cairo_fill_preserve(cr);
    setColour(cr, hue.darker(0.75), 1);
    cairo_set_line_width(cr, 1.8);
    cairo_stroke(cr);
    glyphPath(cr, pair, cx - 1, cy - 1, 4);
    setColour(cr, hue.lighter(0.6), 0.8);
    cairo_fill(cr);
    cairo_restore(cr);
}

void PairMarkPainter::paintGlow(cairo_t* cr, double size) {
    double r = size / 2;
    cairo_pattern_t* g = cairo_pattern_create_radial(r, r, 0, r, r, r);
    // A halo: the light of fifteen stacked copies lies in a ring over the
    // socket's rim and leaves only a faint warmth over the sign in the middle,
    // so the pair's colour and shape show through it. Its edge fades out
    // before the picture's own.
    for (int i = 0; i <= 20; ++i) {
        double t = i / 20.0, ring = (t - 0.8) / 0.12;
        double fade = t < 0.88 ? 1 : std::max(0.0, 1 - (t - 0.88) / 0.12);
        double total = (0.1 + 0.85 * std::exp(-ring * ring)) * fade * fade;
        cairo_pattern_add_color_stop_rgba(g, t, 1, 1, 1, total / 15);
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
