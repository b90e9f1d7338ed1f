// Gizmos are drawn on the floor, so each carries a dark rim and bright faces
// that read on every art style. Keys and their locks share a shape: key 1 and
// the lock-1 plate are round, key 2 has a diamond bow.
#include "GizmoPainter.h"

#include <cmath>

#include "Rng.h"
#include "TilePainter.h"

namespace qm {

namespace {

const double PI = 3.14159265358979;
const Rgb ink{0.08, 0.07, 0.1};
const Rgb gold = Rgb::hex(0xf2c14e);
const Rgb silver = Rgb::hex(0x9fd4ff);

void radialGlow(cairo_t* cr, double cx, double cy, double r, const Rgb& c, double a) {
    cairo_pattern_t* g = cairo_pattern_create_radial(cx, cy, 0, cx, cy, r);
    cairo_pattern_add_color_stop_rgba(g, 0, c.r, c.g, c.b, a);
    cairo_pattern_add_color_stop_rgba(g, 1, c.r, c.g, c.b, 0);
    cairo_set_source(cr, g);
    cairo_arc(cr, cx, cy, r, 0, 2 * PI);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
}

void fillStroke(cairo_t* cr, const Rgb& fill, double width = 1.6, const Rgb& line = ink, double lineAlpha = 0.9) {
    setColour(cr, fill);
    cairo_fill_preserve(cr);
    setColour(cr, line, lineAlpha);
    cairo_set_line_width(cr, width);
    cairo_stroke(cr);
}

void gradientFill(cairo_t* cr, double x0, double y0, double x1, double y1, const Rgb& a, const Rgb& b) {
    cairo_pattern_t* g = cairo_pattern_create_linear(x0, y0, x1, y1);
    cairo_pattern_add_color_stop_rgb(g, 0, a.r, a.g, a.b);
    cairo_pattern_add_color_stop_rgb(g, 1, b.r, b.g, b.b);
    cairo_set_source(cr, g);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(g);
}

void keyShape(cairo_t* cr, double x, double y, bool round, const Rgb& c) {
    // the key lies diagonally: bow top-left, bit bottom-right
    radialGlow(cr, x + 16, y + 16, 16, c.lighter(0.4), 0.45);
    cairo_save(cr);
    cairo_translate(cr, x + 16, y + 16);
    cairo_rotate(cr, PI / 4);
    cairo_scale(cr, 1.12, 1.12);
    cairo_new_path(cr);
    // shaft and teeth
    cairo_rectangle(cr, -2.2, -4, 4.4, 17);
    if (round) {
        cairo_rectangle(cr, 2, 6, 4.5, 3);
        cairo_rectangle(cr, 2, 10.5, 3.5, 2.5);
    } else {
        cairo_rectangle(cr, -6.5, 6, 4.5, 3);
        cairo_rectangle(cr, 2, 8, 4.5, 5);
    }
    fillStroke(cr, c, 1.4);
    cairo_new_path(cr);
    if (round) {
        cairo_arc(cr, 0, -8.5, 6.8, 0, 2 * PI);
        cairo_new_sub_path(cr);
        cairo_arc_negative(cr, 0, -8.5, 2.6, 2 * PI, 0);
    } else {
        cairo_move_to(cr, 0, -16.5);
        cairo_line_to(cr, 7.5, -9);
        cairo_line_to(cr, 0, -1.5);
        cairo_line_to(cr, -7.5, -9);
        cairo_close_path(cr);
        cairo_new_sub_path(cr);
        cairo_rectangle(cr, -2.2, -11.2, 4.4, 4.4);
    }
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
    gradientFill(cr, -6, -16, 6, 0, c.lighter(0.45), c.darker(0.2));
    setColour(cr, ink, 0.9);
    cairo_set_line_width(cr, 1.4);
    cairo_stroke(cr);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
    // a glint
    setColour(cr, {1, 1, 1}, 0.8);
    cairo_arc(cr, round ? -3 : -2.5, round ? -11 : -12, 1.2, 0, 2 * PI);
    cairo_fill(cr);
    cairo_restore(cr);
}

void lockFace(cairo_t* cr, double x, double y) {
    double cx = x + 16, cy = y + 16;
    cairo_new_path(cr);
    cairo_arc(cr, cx, cy, 11.5, 0, 2 * PI);
    gradientFill(cr, cx - 10, cy - 10, cx + 10, cy + 10, gold.lighter(0.35), gold.darker(0.35));
    setColour(cr, ink, 0.9);
    cairo_set_line_width(cr, 1.6);
    cairo_stroke(cr);
    cairo_arc(cr, cx, cy, 8.5, 0, 2 * PI);
    setColour(cr, gold.darker(0.5), 0.6);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    // keyhole: a ring above a slot, the key's round bow in outline
    cairo_arc(cr, cx, cy - 2.5, 3.3, 0, 2 * PI);
    cairo_fill(cr);
    setColour(cr, ink);
    cairo_arc(cr, cx, cy - 2.5, 2.8, 0, 2 * PI);
    cairo_fill(cr);
    cairo_move_to(cr, cx - 1.6, cy - 1);
    cairo_line_to(cr, cx + 1.6, cy - 1);
    cairo_line_to(cr, cx + 2.4, cy + 6);
    cairo_line_to(cr, cx - 2.4, cy + 6);
    cairo_close_path(cr);
    cairo_fill(cr);
    setColour(cr, {1, 1, 1}, 0.6);
    cairo_arc(cr, cx - 5, cy - 6, 1.5, 0, 2 * PI);
    cairo_fill(cr);
}

void shatterBlock(cairo_t* cr, double x, double y, int damage) {
    const Rgb glass = Rgb::hex(0xa9d8e8);
    Rng rng(uint64_t(41 + damage));
    cairo_save(cr);
    roundedRect(cr, x + 2, y + 3, 29, 29, 4);
    setColour(cr, {0, 0, 0}, 0.3);
    cairo_fill(cr);
    cairo_new_path(cr);
    if (damage < 2) {
        roundedRect(cr, x + 1, y + 1, 30, 30, 4);
    } else {
        // pieces of a block: a broken outline with chunks missing
        double pts[][2] = {{1, 4}, {9, 1}, {14, 5}, {22, 1}, {31, 3}, {28, 12}, {31, 20}, {27, 31}, {18, 27}, {12, 31}, {2, 29}, {5, 18}};
        cairo_move_to(cr, x + pts[0][0], y + pts[0][1]);
        for (auto& p : pts) cairo_line_to(cr, x + p[0], y + p[1]);
        cairo_close_path(cr);
    }
    gradientFill(cr, x, y, x + 32, y + 32, glass.lighter(0.5), glass.darker(0.25 + damage * 0.08));
    setColour(cr, ink, 0.85);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    // facets
    setColour(cr, {1, 1, 1}, 0.55);
    cairo_move_to(cr, x + 5, y + 8);
    cairo_line_to(cr, x + 10, y + 5);
    cairo_move_to(cr, x + 5, y + 13);
    cairo_line_to(cr, x + 15, y + 5);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    roundedRect(cr, x + 7, y + 7, 18, 18, 2);
    setColour(cr, glass.darker(0.4), 0.35);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    if (damage >= 1) {
        int cracks = damage == 1 ? 2 : 5;
        cairo_set_line_width(cr, damage == 1 ? 1.3 : 1.6);
        for (int i = 0; i < cracks; ++i) {
            double px = x + 16 + rng.range(-3, 3), py = y + 16 + rng.range(-3, 3);
            double a = i * 2 * PI / cracks + rng.range(-0.4, 0.4);
            cairo_move_to(cr, px, py);
            for (int k = 1; k <= 3; ++k) {
                px += 5 * std::cos(a + rng.range(-0.5, 0.5));
                py += 5 * std::sin(a + rng.range(-0.5, 0.5));
                cairo_line_to(cr, px, py);
            }
            setColour(cr, ink, 0.8);
            cairo_stroke(cr);
        }
    }
    cairo_restore(cr);
}

// Unset, a silver ring round a shaded hollow (it must show on dark floors as
// well as light ones); stored, the same ring lit: a saturated glow, a filled
// bright core and four sparks, so the two never read alike.
void recallPoint(cairo_t* cr, double x, double y, bool lit) {
    double cx = x + 16, cy = y + 16;
    Rgb c = lit ? Rgb::hex(0x22d8ff) : Rgb::hex(0xc4d2e0);
    if (lit) radialGlow(cr, cx, cy, 16, Rgb::hex(0x40e8ff), 0.95);
    cairo_new_path(cr);
    cairo_arc(cr, cx, cy, 10, 0, 2 * PI);
    setColour(cr, lit ? Rgb::hex(0x0a6a8a) : ink, lit ? 1.0 : 0.35);
    cairo_fill_preserve(cr);
    setColour(cr, ink, 0.85);
    cairo_set_line_width(cr, 5);
    cairo_stroke_preserve(cr);
    setColour(cr, c);
    cairo_set_line_width(cr, 3);
    cairo_stroke(cr);
    if (lit) {
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        for (int i = 0; i < 4; ++i) {
            double a = PI / 4 + PI / 2 * i;
            cairo_move_to(cr, cx + 12.5 * std::cos(a), cy + 12.5 * std::sin(a));
            cairo_line_to(cr, cx + 15.5 * std::cos(a), cy + 15.5 * std::sin(a));
        }
        setColour(cr, {1, 1, 1}, 0.95);
        cairo_set_line_width(cr, 2);
        cairo_stroke(cr);
    }
    // A round core, so a point never looks like a teleport's diamond mark.
    cairo_new_path(cr);
    cairo_arc(cr, cx, cy, lit ? 4.5 : 3.5, 0, 2 * PI);
    fillStroke(cr, lit ? Rgb{1, 1, 1} : c.darker(0.1), 1.2);
}

void recallPad(cairo_t* cr, double x, double y) {
    double cx = x + 16, cy = y + 16;
    const Rgb c = Rgb::hex(0x4fd2e0);
    cairo_new_path(cr);
    roundedRect(cr, x + 2, y + 2, 28, 28, 7);
    gradientFill(cr, x, y, x + 32, y + 32, Rgb::hex(0x3a5a7a), Rgb::hex(0x1c2c44));
    setColour(cr, ink, 0.9);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    // a return arrow curling back to the point it came from
    cairo_arc(cr, cx, cy, 8, PI * 0.9, PI * 2.45);
    setColour(cr, c);
    cairo_set_line_width(cr, 3);
    cairo_stroke(cr);
    double ax = cx + 8 * std::cos(PI * 0.9), ay = cy + 8 * std::sin(PI * 0.9);
    cairo_move_to(cr, ax - 5, ay - 1);
    cairo_line_to(cr, ax + 3.5, ay - 3);
    cairo_line_to(cr, ax + 1, ay + 5);
    cairo_close_path(cr);
    setColour(cr, c);
    cairo_fill(cr);
    cairo_arc(cr, cx, cy, 2.5, 0, 2 * PI);
    setColour(cr, c.lighter(0.5));
    cairo_fill(cr);
}

// Solid corner 0 bottom-right, 1 bottom-left, 2 top-left, 3 top-right.
void angleBlock(cairo_t* cr, double x, double y, int corner) {
    const Rgb c = Rgb::hex(0x8f9fc8);
    double px[3], py[3];
    double m = 1;
    double X0 = x + m, Y0 = y + m, X1 = x + 32 - m, Y1 = y + 32 - m;
    switch (corner) {
        case 0: px[0] = X1; py[0] = Y0; px[1] = X1; py[1] = Y1; px[2] = X0; py[2] = Y1; break;
        case 1: px[0] = X0; py[0] = Y0; px[1] = X1; py[1] = Y1; px[2] = X0; py[2] = Y1; break;
        case 2: px[0] = X0; py[0] = Y0; px[1] = X1; py[1] = Y0; px[2] = X0; py[2] = Y1; break;
        default: px[0] = X0; py[0] = Y0; px[1] = X1; py[1] = Y0; px[2] = X1; py[2] = Y1; break;
    }
    cairo_new_path(cr);
    cairo_move_to(cr, px[0] + 1, py[0] + 1.5);
    cairo_line_to(cr, px[1] + 1, py[1] + 1.5);
    cairo_line_to(cr, px[2] + 1, py[2] + 1.5);
    cairo_close_path(cr);
    setColour(cr, {0, 0, 0}, 0.3);
    cairo_fill(cr);
    cairo_move_to(cr, px[0], py[0]);
    cairo_line_to(cr, px[1], py[1]);
    cairo_line_to(cr, px[2], py[2]);
    cairo_close_path(cr);
    gradientFill(cr, x, y, x + 32, y + 32, c.lighter(0.35), c.darker(0.35));
    setColour(cr, ink, 0.9);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    // a bright lip on the slanted face, where the ball turns
    cairo_move_to(cr, px[0] + (px[2] - px[0]) * 0.08, py[0] + (py[2] - py[0]) * 0.08);
    cairo_line_to(cr, px[2] - (px[2] - px[0]) * 0.08, py[2] - (py[2] - py[0]) * 0.08);
    setColour(cr, {1, 1, 1}, 0.6);
    cairo_set_line_width(cr, 1.4);
    cairo_stroke(cr);
}

// Booster pointing 1 up, 2 right, 3 down, 4 left.
void booster(cairo_t* cr, double x, double y, int dir) {
    const Rgb c = Rgb::hex(0xffa436);
    cairo_new_path(cr);
    roundedRect(cr, x + 2, y + 2, 28, 28, 6);
    gradientFill(cr, x, y, x + 32, y + 32, Rgb::hex(0x5a3a2a), Rgb::hex(0x2a1a16));
    setColour(cr, ink, 0.9);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    cairo_save(cr);
    cairo_translate(cr, x + 16, y + 16);
    cairo_rotate(cr, (dir - 1) * PI / 2);
    for (int k = 0; k < 2; ++k) {
        double o = 4 - k * 9;
        cairo_move_to(cr, -8, o + 5);
        cairo_line_to(cr, 0, o - 3);
        cairo_line_to(cr, 8, o + 5);
        setColour(cr, k == 0 ? c.lighter(0.3) : c.darker(0.1));
        cairo_set_line_width(cr, 3.6);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        cairo_stroke(cr);
    }
    cairo_restore(cr);
}

void star(cairo_t* cr, double cx, double cy, double r1, double r2, int points) {
    for (int i = 0; i < 2 * points; ++i) {
        double a = -PI / 2 + i * PI / points, r = i % 2 ? r2 : r1;
        if (i == 0) cairo_move_to(cr, cx + r * std::cos(a), cy + r * std::sin(a));
        else cairo_line_to(cr, cx + r * std::cos(a), cy + r * std::sin(a));
    }
    cairo_close_path(cr);
}

// Arrow pointing 1 up, 2 left, 3 down, 4 right (the editor marker order).
void guideArrow(cairo_t* cr, double x, double y, double angle) {
    cairo_save(cr);
    cairo_translate(cr, x + 16, y + 16);
    cairo_rotate(cr, angle);
    cairo_move_to(cr, 0, -12);
    cairo_line_to(cr, 10, 0);
    cairo_line_to(cr, 4, 0);
    cairo_line_to(cr, 4, 12);
    cairo_line_to(cr, -4, 12);
    cairo_line_to(cr, -4, 0);
    cairo_line_to(cr, -10, 0);
    cairo_close_path(cr);
    setColour(cr, Rgb::hex(0x6fe0ff), 0.8);
    cairo_fill_preserve(cr);
    setColour(cr, ink, 0.9);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    cairo_restore(cr);
}

}  // namespace

void GizmoPainter::paint(cairo_t* cr, int frame, double x, double y) {
    cairo_save(cr);
    switch (frame) {
        case 0: lockFace(cr, x, y); break;
        case 1: keyShape(cr, x, y, true, gold); break;
        case 2: keyShape(cr, x, y, false, silver); break;
        case 3: shatterBlock(cr, x, y, 0); break;
        case 4: shatterBlock(cr, x, y, 1); break;
        case 5: shatterBlock(cr, x, y, 2); break;
        case 6: recallPoint(cr, x, y, false); break;
        case 7: recallPoint(cr, x, y, true); break;
        case 8: recallPad(cr, x, y); break;
        case 9: angleBlock(cr, x, y, 0); break;   // 122: open top and left
        case 10: angleBlock(cr, x, y, 1); break;  // 121: open top and right
        case 11: angleBlock(cr, x, y, 2); break;  // 119: open bottom and right
        case 12: angleBlock(cr, x, y, 3); break;  // 120: open bottom and left
        case 13: booster(cr, x, y, 1); break;
        case 14: booster(cr, x, y, 3); break;
        case 15: booster(cr, x, y, 4); break;
        case 16: booster(cr, x, y, 2); break;
        case 17:
            radialGlow(cr, x + 16, y + 16, 15, gold, 0.6);
            star(cr, x + 16, y + 16, 12, 5, 5);
            fillStroke(cr, gold.lighter(0.3), 1.3);
            break;
        default: radialGlow(cr, x + 16, y + 16, 16, {1, 1, 1}, 0.7); break;
    }
    cairo_restore(cr);
}

void GizmoPainter::paintMarker(cairo_t* cr, int frame, double x, double y) {
    cairo_save(cr);
    switch (frame) {
        case 0: guideArrow(cr, x, y, 0); break;
        case 1: guideArrow(cr, x, y, -PI / 2); break;
        case 2: guideArrow(cr, x, y, PI); break;
        case 3: guideArrow(cr, x, y, PI / 2); break;
        case 4:  // start: a green flag ring
            cairo_arc(cr, x + 16, y + 16, 11, 0, 2 * PI);
            setColour(cr, Rgb::hex(0x5ae06a), 0.9);
            cairo_set_line_width(cr, 3);
            cairo_stroke(cr);
            setColour(cr, Rgb::hex(0x5ae06a));
            drawText(cr, "S", x + 16, y + 21, 14, Font::SansBold, Align::Centre);
            break;
        default:
            star(cr, x + 16, y + 16, 12, 5, 5);
            setColour(cr, Rgb::hex(0xff6a5a), 0.9);
            cairo_set_line_width(cr, 2);
            cairo_stroke(cr);
            break;
    }
    cairo_restore(cr);
}

void GizmoPainter::paintBall(cairo_t* cr, double cx, double cy, double r) {
    // Drawn additively and turned every tick: a bright core, a cool halo and
    // an off-centre swirl so the roll shows.
    cairo_save(cr);
    cairo_pattern_t* g = cairo_pattern_create_radial(cx, cy, 0, cx, cy, r);
    cairo_pattern_add_color_stop_rgba(g, 0.0, 1, 1, 1, 1);
    cairo_pattern_add_color_stop_rgba(g, 0.35, 1, 0.95, 0.75, 1);
    cairo_pattern_add_color_stop_rgba(g, 0.6, 0.95, 0.65, 0.25, 0.9);
    cairo_pattern_add_color_stop_rgba(g, 0.8, 0.7, 0.3, 0.1, 0.55);
    cairo_pattern_add_color_stop_rgba(g, 1.0, 0.4, 0.1, 0.0, 0);
    cairo_set_source(cr, g);
    cairo_arc(cr, cx, cy, r, 0, 2 * PI);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    for (int k = 0; k < 2; ++k) {
        double a = k * PI;
        cairo_arc(cr, cx, cy, r * 0.5, a, a + PI * 0.55);
        setColour(cr, {1, 1, 0.9}, 0.85);
        cairo_set_line_width(cr, r * 0.12);
        cairo_stroke(cr);
    }
    cairo_restore(cr);
}

void GizmoPainter::paintToken(cairo_t* cr, int kind, double cx, double cy) {
    Rgb c = kind == 0 ? gold : Rgb::hex(0x8fb8e8);
    radialGlow(cr, cx, cy, 20, c, 0.5);
    cairo_new_path(cr);
    cairo_arc(cr, cx, cy, 15, 0, 2 * PI);
    gradientFill(cr, cx - 12, cy - 12, cx + 12, cy + 12, c.lighter(0.45), c.darker(0.35));
    setColour(cr, ink, 0.9);
    cairo_set_line_width(cr, 1.8);
    cairo_stroke(cr);
    cairo_arc(cr, cx, cy, 11.5, 0, 2 * PI);
    setColour(cr, c.darker(0.45), 0.7);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    if (kind == 0) {
        star(cr, cx, cy + 0.5, 9, 4, 5);
        fillStroke(cr, {1, 0.98, 0.85}, 1.2, c.darker(0.5));
    } else {
        for (int k = 0; k < 2; ++k) {
            double ox = -5 + k * 7;
            cairo_move_to(cr, cx + ox - 2, cy - 7);
            cairo_line_to(cr, cx + ox + 5, cy);
            cairo_line_to(cr, cx + ox - 2, cy + 7);
            setColour(cr, {1, 1, 1}, 0.95);
            cairo_set_line_width(cr, 3);
            cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
            cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
            cairo_stroke(cr);
        }
    }
}

namespace {

int saved(const std::shared_ptr<Canvas>& c, const std::string& path) { return c->savePng(path) ? 0 : 1; }

void softSprite(cairo_t* cr, double size, double core, const Rgb& c) {
    double r = size / 2;
    cairo_pattern_t* g = cairo_pattern_create_radial(r, r, 0, r, r, r);
    cairo_pattern_add_color_stop_rgba(g, 0, c.r, c.g, c.b, 1);
    cairo_pattern_add_color_stop_rgba(g, core, c.r, c.g, c.b, 0.55);
    cairo_pattern_add_color_stop_rgba(g, 1, c.r, c.g, c.b, 0);
    cairo_set_source(cr, g);
    cairo_paint(cr);
    cairo_pattern_destroy(g);
}

// An arrow off the centre in its direction, on a 96 x 96 picture centred on the ball.
std::shared_ptr<Canvas> hoverArrow(int dir) {
    auto c = Canvas::create(96, 96);
    cairo_t* cr = c->cr();
    cairo_translate(cr, 48, 48);
    cairo_rotate(cr, (dir - 1) * PI / 2);
    cairo_translate(cr, 0, -30);
    radialGlow(cr, 0, 0, 15, Rgb::hex(0xffd27a), 0.55);
    cairo_move_to(cr, -10, 5);
    cairo_line_to(cr, 0, -6);
    cairo_line_to(cr, 10, 5);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    setColour(cr, {1, 0.95, 0.8}, 1);
    cairo_set_line_width(cr, 4.5);
    cairo_stroke(cr);
    return c;
}

}  // namespace

int GizmoPainter::writeAll(const std::string& media) {
    int failures = 0;
    auto sheet = Canvas::create(32 * gizmoCount, 32);
    for (int i = 0; i < gizmoCount; ++i) paint(sheet->cr(), i, 32 * i, 0);
    failures += saved(sheet, media + "/tiles/tile_gizmos.png");

    auto markers = Canvas::create(32 * 6, 32);
    for (int i = 0; i < 6; ++i) paintMarker(markers->cr(), i, 32 * i, 0);
    failures += saved(markers, media + "/tiles/tileseditor.png");

    auto border = Canvas::create(32, 32);
    TilePainter::paintBorder(border->cr(), 0, 0);
    failures += saved(border, media + "/tiles/tile_border.png");

    auto ball = Canvas::create(32, 32);
    paintBall(ball->cr(), 16, 16, 15.5);
    failures += saved(ball, media + "/ball.png");

    const char* names[] = {"up", "right", "down", "left"};
    for (int d = 1; d <= 4; ++d) failures += saved(hoverArrow(d), media + "/hover_" + names[d - 1] + ".png");

    auto trail = Canvas::create(32, 32);
    softSprite(trail->cr(), 32, 0.3, {1, 1, 1});
    failures += saved(trail, media + "/trail.png");
    auto shade = Canvas::create(32, 32);
    softSprite(shade->cr(), 32, 0.5, {0.25, 0.25, 0.25});
    failures += saved(shade, media + "/shade.png");
    auto spark = Canvas::create(32, 32);
    {
        cairo_t* cr = spark->cr();
        softSprite(cr, 32, 0.15, {1, 1, 1});
        star(cr, 16, 16, 15, 2.2, 4);
        setColour(cr, {1, 1, 1}, 0.9);
        cairo_fill(cr);
    }
    failures += saved(spark, media + "/spark.png");

    auto tokens = Canvas::create(80, 40);
    paintToken(tokens->cr(), 0, 20, 20);
    paintToken(tokens->cr(), 1, 60, 20);
    failures += saved(tokens, media + "/tokens.png");

    auto digits = Canvas::create(400, 74);
    for (int i = 0; i < 10; ++i)
        drawLabel(digits->cr(), std::to_string(i), 40 * i + 20, 58, 56, Font::SansBold, {1, 0.97, 0.85}, ink, Align::Centre, 4);
    failures += saved(digits, media + "/countdown.png");
    return failures;
}

}  // namespace qm
