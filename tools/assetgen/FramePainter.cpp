// The frame is drawn over everything in play, so it is transparent over the
// board (63..702 x 61..508) and keeps to the margins.
#include "FramePainter.h"

#include <cmath>

#include "GizmoPainter.h"
#include "TilePainter.h"

namespace qm {

namespace {

const double PI = 3.14159265358979;
const Rgb frameDark = Rgb::hex(0x1d2438);
const Rgb frameMid = Rgb::hex(0x34405e);
const Rgb trim = Rgb::hex(0xe2b85a);
const Rgb ink{0.06, 0.05, 0.08};

struct Face {
    const char* label;
    double x1, y1, x2, y2;
};
const Face faces[3] = {{"Menu", 60, 525, 208, 590}, {"Restart", 336, 525, 527, 599}, {"Skip", 584, 523, 707, 594}};

void icon(cairo_t* cr, int which, double cx, double cy) {
    cairo_save(cr);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    setColour(cr, trim.lighter(0.3));
    cairo_set_line_width(cr, 3);
    if (which == 0) {
        for (int i = -1; i <= 1; ++i) {
            cairo_move_to(cr, cx - 8, cy + i * 6);
            cairo_line_to(cr, cx + 8, cy + i * 6);
        }
        cairo_stroke(cr);
    } else if (which == 1) {
        // a circular arrow, open at the top right, head pointing clockwise
        cairo_arc(cr, cx, cy, 8, -PI * 0.2, PI * 1.35);
        cairo_stroke(cr);
        double ax = cx + 8 * std::cos(PI * 1.35), ay = cy + 8 * std::sin(PI * 1.35);
        cairo_move_to(cr, ax - 4.5, ay + 1);
        cairo_line_to(cr, ax + 5, ay - 2.5);
        cairo_line_to(cr, ax + 1.5, ay + 6.5);
        cairo_close_path(cr);
        cairo_fill(cr);
    } else {
        for (int k = 0; k < 2; ++k) {
            double ox = cx - 7 + k * 8;
            cairo_move_to(cr, ox, cy - 8);
            cairo_line_to(cr, ox + 7, cy);
            cairo_line_to(cr, ox, cy + 8);
        }
        cairo_stroke(cr);
    }
    cairo_restore(cr);
}

}  // namespace

void FramePainter::softGlow(cairo_t* cr, double x, double y, double w, double h, double radius, const Rgb& c, double alpha) {
    // concentric rounded rectangles approximate a blur
    int steps = 12;
    for (int i = 0; i < steps; ++i) {
        double inset = i * std::min(w, h) / (2.4 * steps);
        if (w - 2 * inset <= 2 || h - 2 * inset <= 2) break;
        roundedRect(cr, x + inset, y + inset, w - 2 * inset, h - 2 * inset, std::max(2.0, radius - inset * 0.5));
        setColour(cr, c, alpha / steps * 1.6);
        cairo_fill(cr);
    }
}

void FramePainter::plaque(cairo_t* cr, double x, double y, double w, double h, double r, bool lit) {
    roundedRect(cr, x + 2, y + 3, w, h, r);
    setColour(cr, {0, 0, 0}, 0.4);
    cairo_fill(cr);
    roundedRect(cr, x, y, w, h, r);
    cairo_pattern_t* g = cairo_pattern_create_linear(x, y, x, y + h);
    Rgb top = (lit ? frameMid.lighter(0.25) : frameMid), bottom = (lit ? frameDark.lighter(0.1) : frameDark);
    cairo_pattern_add_color_stop_rgb(g, 0, top.r, top.g, top.b);
    cairo_pattern_add_color_stop_rgb(g, 1, bottom.r, bottom.g, bottom.b);
    cairo_set_source(cr, g);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(g);
    setColour(cr, ink, 0.9);
    cairo_set_line_width(cr, 3);
    cairo_stroke_preserve(cr);
    setColour(cr, lit ? trim.lighter(0.4) : trim);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    roundedRect(cr, x + 4, y + 4, w - 8, h / 2 - 4, std::max(1.0, r - 4));
    setColour(cr, {1, 1, 1}, 0.07);
    cairo_fill(cr);
}

void FramePainter::paintFrame(cairo_t* cr) {
    // rim round the board
    double L = 63, T = 61, R = 703, B = 509;
    cairo_save(cr);
    cairo_rectangle(cr, 0, 0, 800, 600);
    cairo_rectangle(cr, L, T, R - L, B - T);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
    cairo_clip(cr);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
    roundedRect(cr, L - 9, T - 9, R - L + 18, B - T + 18, 10);
    setColour(cr, {0, 0, 0}, 0.35);
    cairo_set_line_width(cr, 6);
    cairo_stroke(cr);
    roundedRect(cr, L - 6, T - 6, R - L + 12, B - T + 12, 7);
    cairo_set_line_width(cr, 12);
    setColour(cr, frameDark);
    cairo_stroke(cr);
    roundedRect(cr, L - 5, T - 5, R - L + 10, B - T + 10, 6);
    setColour(cr, trim);
    cairo_set_line_width(cr, 1.6);
    cairo_stroke(cr);
    roundedRect(cr, L - 1, T - 1, R - L + 2, B - T + 2, 2);
    setColour(cr, trim.darker(0.4));
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    // corner studs
    for (double cx : {L - 6, R + 6})
        for (double cy : {T - 6, B + 6}) {
            cairo_arc(cr, cx, cy, 6, 0, 2 * PI);
            setColour(cr, ink);
            cairo_fill(cr);
            cairo_arc(cr, cx, cy, 4.5, 0, 2 * PI);
            setColour(cr, trim);
            cairo_fill(cr);
            cairo_arc(cr, cx - 1.2, cy - 1.2, 1.6, 0, 2 * PI);
            setColour(cr, {1, 1, 1}, 0.6);
            cairo_fill(cr);
        }
    cairo_restore(cr);

    // the three button faces
    for (int i = 0; i < 3; ++i) {
        const Face& f = faces[i];
        double w = f.x2 - f.x1, h = f.y2 - f.y1;
        plaque(cr, f.x1, f.y1, w, h, 12);
        double tw = textWidth(cr, f.label, 22, Font::SansBold);
        double cx = (f.x1 + f.x2) / 2, cy = (f.y1 + f.y2) / 2;
        double total = tw + 30;
        icon(cr, i, cx - total / 2 + 10, cy);
        drawLabel(cr, f.label, cx - total / 2 + 30, cy + 8, 22, Font::SansBold, Rgb::hex(0xf6ecd2), ink, Align::Left, 3);
    }

    // the progress column: five sockets for the group's tokens
    plaque(cr, 727, 84, 54, 328, 16);
    for (int i = 0; i < 5; ++i) {
        double cy = 120 + 64 * i;
        cairo_arc(cr, 754, cy, 19, 0, 2 * PI);
        setColour(cr, ink, 0.85);
        cairo_fill(cr);
        cairo_arc(cr, 754, cy, 17, 0, 2 * PI);
        cairo_pattern_t* g = cairo_pattern_create_radial(754, cy - 4, 2, 754, cy, 17);
        cairo_pattern_add_color_stop_rgb(g, 0, 0.22, 0.26, 0.36);
        cairo_pattern_add_color_stop_rgb(g, 1, 0.08, 0.09, 0.14);
        cairo_set_source(cr, g);
        cairo_fill_preserve(cr);
        cairo_pattern_destroy(g);
        setColour(cr, trim.darker(0.3));
        cairo_set_line_width(cr, 1.2);
        cairo_stroke(cr);
        setColour(cr, trim.darker(0.2), 0.8);
        drawText(cr, std::to_string(i + 1), 754, cy + 5, 13, Font::SansBold, Align::Centre);
    }
}

void FramePainter::paintEditorHud(cairo_t* cr) {
    // drawn at (706, 0); the palette's 2 x 13 buttons start at (0, 58) here
    roundedRect(cr, 1, 2, 92, 596, 8);
    setColour(cr, frameDark, 0.94);
    cairo_fill_preserve(cr);
    setColour(cr, trim);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    drawLabel(cr, "EDITOR", 47, 26, 14, Font::SansBold, trim.lighter(0.3), ink, Align::Centre, 2);
    setColour(cr, {0.8, 0.8, 0.85});
    drawText(cr, "palette", 47, 46, 10, Font::Sans, Align::Centre);
    const int style = 3;
    auto tinted = [&](double x, double y, const Rgb& t) {
        TilePainter::paint(cr, style, 2, x, y);
        roundedRect(cr, x + 0.5, y + 0.5, 31, 31, 4);
        cairo_set_operator(cr, CAIRO_OPERATOR_MULTIPLY);
        setColour(cr, t);
        cairo_fill(cr);
        cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
    };
    for (int n = 0; n < 26; ++n) {
        double x = 32 * (n % 2), y = 58 + 32 * (n / 2);
        // each swatch on a floor-coloured well
        cairo_rectangle(cr, x + 0.5, y + 0.5, 31, 31);
        setColour(cr, Rgb::hex(0x4a5a48));
        cairo_fill_preserve(cr);
        setColour(cr, ink, 0.8);
        cairo_set_line_width(cr, 1);
        cairo_stroke(cr);
        switch (n) {
            case 0: TilePainter::paint(cr, style, 0, x, y); break;
            case 1:
                setColour(cr, {1, 1, 1}, 0.5);
                drawText(cr, "floor", x + 16, y + 20, 8, Font::Sans, Align::Centre);
                break;
            case 2:
                for (int k = 0; k < 3; ++k) {
                    cairo_arc(cr, x + 16, y + 16, 4 + 4 * k, 0, 2 * PI);
                    setColour(cr, Rgb::hex(0xb08aff), 0.9 - k * 0.25);
                    cairo_set_line_width(cr, 2);
                    cairo_stroke(cr);
                }
                break;
            case 3: break;
            case 4:
                TilePainter::paint(cr, style, 0, x, y);
                GizmoPainter::paint(cr, 0, x, y);
                break;
            case 5: GizmoPainter::paint(cr, 1, x, y); break;
            case 6:
                TilePainter::paint(cr, style, 0, x, y);
                roundedRect(cr, x + 1, y + 1, 30, 30, 4);
                setColour(cr, Rgb::hex(0x4a5a48), 0.5);
                cairo_fill(cr);
                break;
            case 7: GizmoPainter::paint(cr, 2, x, y); break;
            case 8: GizmoPainter::paintMarker(cr, 4, x, y); break;
            case 9: GizmoPainter::paintMarker(cr, 5, x, y); break;
            case 10: GizmoPainter::paint(cr, 3, x, y); break;
            case 11: GizmoPainter::paint(cr, 4, x, y); break;
            case 12: GizmoPainter::paint(cr, 9, x, y); break;
            case 13: GizmoPainter::paint(cr, 11, x, y); break;
            case 14: GizmoPainter::paint(cr, 10, x, y); break;
            case 15: GizmoPainter::paint(cr, 12, x, y); break;
            case 16: GizmoPainter::paint(cr, 6, x, y); break;
            case 17: GizmoPainter::paint(cr, 8, x, y); break;
            case 18:
            case 19:
                tinted(x, y, Rgb::hex(0x4f7b2d));
                setColour(cr, {1, 1, 1}, 0.8);
                cairo_set_line_width(cr, 2);
                if (n == 18) {
                    cairo_move_to(cr, x + 6, y + 16);
                    cairo_line_to(cr, x + 26, y + 16);
                } else {
                    cairo_move_to(cr, x + 16, y + 6);
                    cairo_line_to(cr, x + 16, y + 26);
                }
                cairo_stroke(cr);
                break;
            case 20: tinted(x, y, Rgb::hex(0x7b324b)); break;
            case 21:
                tinted(x, y, Rgb::hex(0x7b324b));
                roundedRect(cr, x + 1, y + 1, 30, 30, 4);
                setColour(cr, frameDark, 0.6);
                cairo_fill(cr);
                break;
            default: GizmoPainter::paint(cr, 13 + (n - 22), x, y); break;
        }
    }
    setColour(cr, {0.75, 0.75, 0.8});
    drawText(cr, "E: play", 47, 500, 10, Font::Sans, Align::Centre);
}

int FramePainter::writeAll(const std::string& media) {
    int failures = 0;
    auto frame = Canvas::create(800, 600);
    paintFrame(frame->cr());
    failures += frame->savePng(media + "/borderred.png") ? 0 : 1;

    // hover glows: top-left at (58, 527), (337, 529), (584, 526) over the faces
    const double at[3][2] = {{58, 527}, {337, 529}, {584, 526}};
    const char* names[3] = {"hover_menu.png", "hover_restart.png", "hover_skip.png"};
    for (int i = 0; i < 3; ++i) {
        const Face& f = faces[i];
        int w = int(f.x2 - at[i][0] + 2), h = int(f.y2 - at[i][1] + 2);
        auto c = Canvas::create(w, h);
        softGlow(c->cr(), f.x1 - at[i][0], std::max(0.0, f.y1 - at[i][1]), f.x2 - f.x1, f.y2 - std::max(f.y1, at[i][1]), 12,
                 Rgb::hex(0xffd98a), 0.55);
        failures += c->savePng(media + "/" + names[i]) ? 0 : 1;
    }

    auto hud = Canvas::create(94, 600);
    paintEditorHud(hud->cr());
    failures += hud->savePng(media + "/editorhud.png") ? 0 : 1;

    // The moves box between Menu and Restart, and the level's name plate
    // above the board: framed like the buttons, the game writes on them.
    auto box = Canvas::create(kMovesBoxW, kMovesBoxH);
    plaque(box->cr(), 1, 1, kMovesBoxW - 2, kMovesBoxH - 3, 12);
    failures += box->savePng(media + "/movesBox.png") ? 0 : 1;
    auto plate = Canvas::create(kPlateW, kPlateH);
    plaque(plate->cr(), 1, 1, kPlateW - 2, kPlateH - 3, (kPlateH - 3) / 2.2);
    failures += plate->savePng(media + "/levelPlate.png") ? 0 : 1;
    // The ring round the current level's place in the progress column.
    auto ring = Canvas::create(kRingSide, kRingSide);
    softGlow(ring->cr(), 2, 2, kRingSide - 4, kRingSide - 4, kRingSide / 2.0 - 2, Rgb::hex(0xffd98a), 0.5);
    cairo_arc(ring->cr(), kRingSide / 2.0, kRingSide / 2.0, kRingSide / 2.0 - 5, 0, 2 * 3.14159265358979);
    setColour(ring->cr(), Rgb::hex(0xffe7a0));
    cairo_set_line_width(ring->cr(), 3);
    cairo_stroke(ring->cr());
    failures += ring->savePng(media + "/levelRing.png") ? 0 : 1;

    auto glow = Canvas::create(32, 32);
    softGlow(glow->cr(), 0, 0, 32, 32, 5, Rgb::hex(0xfff0b0), 0.7);
    failures += glow->savePng(media + "/editorbuttonglowsmall.png") ? 0 : 1;
    return failures;
}

}  // namespace qm
