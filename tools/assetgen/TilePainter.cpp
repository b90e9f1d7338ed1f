// Wall blocks: a bevelled body in the style's material, with per-variant details.
// Frame 2 stays light and even because the game tints it for switches and beams,
// with a dark rim and full shading so that as a wall it still stands out.
// Every frame's body is pushed lighter or darker until, as painted, it stands
// well apart from the style's floor: a sandstone block on sand or a hedge on
// grass must read as solid at a glance, not as a patch of the ground.
#include "TilePainter.h"

#include <algorithm>
#include <cmath>
#include <map>

#include "BackgroundPainter.h"
#include "Rng.h"

namespace qm {

namespace {

const double PI = 3.14159265358979;

void bodyPath(cairo_t* cr, WallMaterial m, double x, double y, bool square) {
    if (square) {
        cairo_rectangle(cr, x, y, 32, 32);
        return;
    }
    switch (m) {
        case WallMaterial::Hedge:
        case WallMaterial::Cloud:
        case WallMaterial::Mushroom: roundedRect(cr, x + 1, y + 1, 30, 30, 9); break;
        case WallMaterial::Crystal: {
            double pts[][2] = {{6, 1}, {26, 1}, {31, 8}, {31, 24}, {26, 31}, {6, 31}, {1, 24}, {1, 8}};
            cairo_move_to(cr, x + pts[0][0], y + pts[0][1]);
            for (auto& p : pts) cairo_line_to(cr, x + p[0], y + p[1]);
            cairo_close_path(cr);
            break;
        }
        default: roundedRect(cr, x + 0.5, y + 0.5, 31, 31, 4); break;
    }
}

// Light and dark of the body for this frame.
Rgb frameColour(const ArtStyle& s, int frame) {
    Rgb c = s.wallColour;
    switch (frame) {
        case 1: return c.darker(0.12);
        case 2: {
            // Light and even: lifted towards white until it takes a tint well.
            Rgb l = c.lighter(0.45);
            while (l.luma() < 0.73) l = l.lighter(0.12);
            // Never bluish: a beam is this frame tinted pale blue, so a pale
            // ice or moonstone block would pass for one. Bleached towards a
            // warm white, the wall stays white where the beam turns blue.
            for (int i = 0; i < 12 && l.b > l.r - 0.01; ++i) l = l.mix({1.0, 0.96, 0.86}, 0.25);
            return l;
        }
        case 3: return c.mix(s.wallAccent, 0.12);
        case 4: return c.lighter(0.1);
        case 5: return c.darker(0.2);
        default: return c;
    }
}

void specks(cairo_t* cr, Rng& rng, double x, double y, int n, const Rgb& c, double alpha, double rmin, double rmax) {
    for (int i = 0; i < n; ++i) {
        setColour(cr, c, alpha * rng.range(0.5, 1.0));
        cairo_arc(cr, x + rng.range(2, 30), y + rng.range(2, 30), rng.range(rmin, rmax), 0, 2 * PI);
        cairo_fill(cr);
    }
}

void crack(cairo_t* cr, Rng& rng, double x, double y, const Rgb& c) {
    double px = x + rng.range(8, 24), py = y + rng.range(3, 8);
    cairo_move_to(cr, px, py);
    for (int i = 0; i < 4; ++i) {
        px += rng.range(-5, 5);
        py += rng.range(4, 7);
        cairo_line_to(cr, px, py);
    }
    setColour(cr, c, 0.55);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
}

void details(cairo_t* cr, const ArtStyle& s, int frame, double x, double y, Rng& rng, const Rgb& body) {
    Rgb dark = body.darker(0.45), light = body.lighter(0.45);
    bool even = frame == 2;
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    switch (s.wall) {
        case WallMaterial::Stone:
            specks(cr, rng, x, y, even ? 6 : 18, dark, even ? 0.06 : 0.16, 0.6, 1.8);
            if (frame == 1 || frame == 5) crack(cr, rng, x, y, dark);
            if (frame == 3) {  // moss or frost on the top edge
                for (int i = 0; i < 9; ++i) {
                    setColour(cr, s.wallAccent, 0.75);
                    cairo_arc(cr, x + 3 + i * 3.2, y + 3 + rng.range(0, 3), rng.range(1.8, 3.2), 0, 2 * PI);
                    cairo_fill(cr);
                }
            }
            if (frame == 4) {
                setColour(cr, dark, 0.25);
                cairo_arc(cr, x + 20, y + 20, 4, 0, 2 * PI);
                cairo_fill(cr);
                setColour(cr, light, 0.3);
                cairo_arc(cr, x + 19, y + 19, 2.5, 0, 2 * PI);
                cairo_fill(cr);
            }
            break;
        case WallMaterial::Brick:
        case WallMaterial::Sandstone: {
            bool brick = s.wall == WallMaterial::Brick;
            double rows = brick ? 4 : 3;
            setColour(cr, dark, even ? 0.12 : 0.35);
            cairo_set_line_width(cr, brick ? 1.4 : 1.0);
            for (int r = 1; r < rows; ++r) {
                double yy = y + r * 32.0 / rows;
                cairo_move_to(cr, x + 1, yy);
                cairo_line_to(cr, x + 31, yy);
            }
            if (brick)
                for (int r = 0; r < rows; ++r) {
                    double xx = x + ((r % 2) ? 10 : 21) + (frame % 3);
                    cairo_move_to(cr, xx, y + r * 8 + 0.5);
                    cairo_line_to(cr, xx, y + r * 8 + 7.5);
                }
            cairo_stroke(cr);
            specks(cr, rng, x, y, even ? 4 : 14, dark, even ? 0.05 : 0.14, 0.5, 1.4);
            if (frame == 3) {
                setColour(cr, s.wallAccent, 0.6);
                cairo_arc(cr, x + 9, y + 24, 4, 0, 2 * PI);
                cairo_arc(cr, x + 13, y + 26, 3, 0, 2 * PI);
                cairo_fill(cr);
            }
            if (frame == 5) crack(cr, rng, x, y, dark);
            break;
        }
        case WallMaterial::Hedge:
        case WallMaterial::Coral:
        case WallMaterial::Cloud: {
            int n = even ? 7 : 16;
            for (int i = 0; i < n; ++i) {
                double cx = x + rng.range(6, 26), cy = y + rng.range(6, 26), r = rng.range(3, 6);
                setColour(cr, (s.wall == WallMaterial::Cloud) ? body.darker(0.12) : dark, even ? 0.08 : 0.28);
                cairo_arc(cr, cx + 1, cy + 1.5, r, 0, 2 * PI);
                cairo_fill(cr);
                setColour(cr, light, even ? 0.1 : 0.3);
                cairo_arc(cr, cx - 0.5, cy - 1, r * 0.7, 0, 2 * PI);
                cairo_fill(cr);
            }
            if (frame == 3 || frame == 4) {  // fruit, blossom or a golden fleck
                for (int i = 0; i < 3; ++i) {
                    double cx = x + rng.range(7, 25), cy = y + rng.range(7, 25);
                    setColour(cr, s.wallAccent);
                    cairo_arc(cr, cx, cy, 2.3, 0, 2 * PI);
                    cairo_fill(cr);
                    setColour(cr, {1, 1, 1}, 0.6);
                    cairo_arc(cr, cx - 0.7, cy - 0.7, 0.8, 0, 2 * PI);
                    cairo_fill(cr);
                }
            }
            break;
        }
        case WallMaterial::Log:
        case WallMaterial::Crate: {
            bool crate = s.wall == WallMaterial::Crate;
            setColour(cr, dark, even ? 0.12 : 0.4);
            cairo_set_line_width(cr, 1.1);
            if (crate) {
                for (int i = 1; i < 4; ++i) {
                    cairo_move_to(cr, x + 3, y + i * 8);
                    cairo_line_to(cr, x + 29, y + i * 8);
                }
                cairo_stroke(cr);
                cairo_rectangle(cr, x + 3, y + 3, 26, 26);
                cairo_set_line_width(cr, 2);
                cairo_stroke(cr);
                if (frame != 2 && frame != 4) {
                    cairo_move_to(cr, x + 4, y + 4);
                    cairo_line_to(cr, x + 28, y + 28);
                    cairo_set_line_width(cr, 2.4);
                    cairo_stroke(cr);
                }
                setColour(cr, s.wallAccent, even ? 0.3 : 0.9);
                for (auto [dx, dy] : {std::pair{5, 5}, {27, 5}, {5, 27}, {27, 27}}) {
                    cairo_arc(cr, x + dx, y + dy, 1.3, 0, 2 * PI);
                    cairo_fill(cr);
                }
            } else {
                for (int i = 0; i < 5; ++i) {  // bark grain
                    double yy = y + 4 + i * 6 + rng.range(-1, 1);
                    cairo_move_to(cr, x + 3, yy);
                    cairo_curve_to(cr, x + 12, yy + rng.range(-2, 2), x + 20, yy + rng.range(-2, 2), x + 29, yy);
                }
                cairo_stroke(cr);
                if (frame == 1 || frame == 4) {  // a cut end with rings
                    double cx = x + 16, cy = y + 16;
                    setColour(cr, body.lighter(0.35));
                    cairo_arc(cr, cx, cy, 9, 0, 2 * PI);
                    cairo_fill(cr);
                    setColour(cr, dark, 0.45);
                    for (double r = 2.5; r < 9; r += 2.3) {
                        cairo_arc(cr, cx, cy, r, 0, 2 * PI);
                        cairo_stroke(cr);
                    }
                }
                if (frame == 3) {
                    setColour(cr, s.wallAccent, 0.85);
                    for (int i = 0; i < 7; ++i) {
                        cairo_arc(cr, x + 4 + i * 4, y + 4 + rng.range(0, 2), rng.range(1.5, 2.8), 0, 2 * PI);
                        cairo_fill(cr);
                    }
                }
            }
            break;
        }
        case WallMaterial::Ice:
        case WallMaterial::Crystal:
        case WallMaterial::Moonstone:
        case WallMaterial::Gold: {
            // facets: a bright top-left plane and a darker lower-right one
            setColour(cr, light, even ? 0.18 : 0.45);
            cairo_move_to(cr, x + 4, y + 4);
            cairo_line_to(cr, x + 28, y + 4);
            cairo_line_to(cr, x + 16, y + 16);
            cairo_close_path(cr);
            cairo_fill(cr);
            setColour(cr, dark, even ? 0.08 : 0.25);
            cairo_move_to(cr, x + 28, y + 28);
            cairo_line_to(cr, x + 4, y + 28);
            cairo_line_to(cr, x + 16, y + 16);
            cairo_close_path(cr);
            cairo_fill(cr);
            if (s.wall == WallMaterial::Gold) {
                setColour(cr, dark, 0.35);
                cairo_set_line_width(cr, 1);
                roundedRect(cr, x + 6, y + 6, 20, 20, 3);
                cairo_stroke(cr);
            }
            if (!even) {
                setColour(cr, {1, 1, 1}, 0.55);
                cairo_set_line_width(cr, 1.3);
                double o = frame * 3;
                cairo_move_to(cr, x + 6 + o, y + 25);
                cairo_line_to(cr, x + 12 + o, y + 19);
                cairo_stroke(cr);
            }
            if (frame == 3 || frame == 5) {
                setColour(cr, s.wallAccent, 0.9);
                cairo_move_to(cr, x + 16, y + 10);
                cairo_line_to(cr, x + 22, y + 16);
                cairo_line_to(cr, x + 16, y + 22);
                cairo_line_to(cr, x + 10, y + 16);
                cairo_close_path(cr);
                cairo_fill(cr);
                setColour(cr, {1, 1, 1}, 0.7);
                cairo_arc(cr, x + 15, y + 14, 1.4, 0, 2 * PI);
                cairo_fill(cr);
            }
            break;
        }
        case WallMaterial::Basalt: {
            setColour(cr, dark, even ? 0.1 : 0.35);
            cairo_set_line_width(cr, 1.1);
            // hexagonal column top
            for (int i = 0; i < 6; ++i) {
                double a = PI / 3 * i + PI / 6;
                double px = x + 16 + 11 * std::cos(a), py = y + 16 + 11 * std::sin(a);
                if (i == 0) cairo_move_to(cr, px, py);
                else cairo_line_to(cr, px, py);
            }
            cairo_close_path(cr);
            cairo_stroke(cr);
            specks(cr, rng, x, y, even ? 4 : 14, dark, even ? 0.05 : 0.2, 0.5, 1.3);
            if (frame == 1 || frame == 3 || frame == 5) {  // glowing seams
                double px = x + rng.range(4, 12), py = y + rng.range(18, 28);
                cairo_move_to(cr, px, py);
                for (int i = 0; i < 4; ++i) {
                    px += rng.range(4, 7);
                    py += rng.range(-5, 3);
                    cairo_line_to(cr, px, py);
                }
                setColour(cr, s.wallAccent, 0.35);
                cairo_set_line_width(cr, 3);
                cairo_stroke_preserve(cr);
                setColour(cr, s.wallAccent.lighter(0.4), 0.95);
                cairo_set_line_width(cr, 1.2);
                cairo_stroke(cr);
            }
            break;
        }
        case WallMaterial::Metal: {
            setColour(cr, dark, even ? 0.1 : 0.3);
            cairo_set_line_width(cr, 1);
            roundedRect(cr, x + 4, y + 4, 24, 24, 2);
            cairo_stroke(cr);
            for (auto [dx, dy] : {std::pair{6.5, 6.5}, {25.5, 6.5}, {6.5, 25.5}, {25.5, 25.5}}) {
                setColour(cr, dark, 0.4);
                cairo_arc(cr, x + dx + 0.5, y + dy + 0.5, 1.6, 0, 2 * PI);
                cairo_fill(cr);
                setColour(cr, light, 0.8);
                cairo_arc(cr, x + dx - 0.3, y + dy - 0.3, 1.0, 0, 2 * PI);
                cairo_fill(cr);
            }
            if (frame == 1 || frame == 5) {
                setColour(cr, s.wallAccent, 0.7);
                cairo_rectangle(cr, x + 9, y + 14, 14, 4);
                cairo_fill(cr);
            }
            if (frame == 3) {
                setColour(cr, dark, 0.3);
                for (int i = 0; i < 3; ++i) {
                    cairo_move_to(cr, x + 9, y + 11 + i * 5);
                    cairo_line_to(cr, x + 23, y + 11 + i * 5);
                }
                cairo_stroke(cr);
            }
            break;
        }
        case WallMaterial::Mushroom: {
            // a cap of spots that glow
            int n = even ? 3 : 6;
            for (int i = 0; i < n; ++i) {
                double cx = x + rng.range(7, 25), cy = y + rng.range(7, 25), r = rng.range(2, 3.6);
                setColour(cr, even ? light : s.wallAccent, even ? 0.3 : 0.85);
                cairo_arc(cr, cx, cy, r, 0, 2 * PI);
                cairo_fill(cr);
            }
            break;
        }
    }
}

// The pale frame of a set drawn with the tile border: beams, switches and beam
// blocks are this frame tinted, without the border, while a pale wall gets
// the border on top. So the frame itself is a flat lit cell filling the whole
// square: a beam's cells join into one band of light, and only the border
// turns the frame into a block.
void paintLight(cairo_t* cr, double x, double y, const Rgb& body) {
    cairo_save(cr);
    cairo_rectangle(cr, x, y, 32, 32);
    setColour(cr, body);
    cairo_fill(cr);
    cairo_pattern_t* g = cairo_pattern_create_radial(x + 16, y + 16, 2, x + 16, y + 16, 22);
    cairo_pattern_add_color_stop_rgba(g, 0, 1, 1, 1, 0.35);
    cairo_pattern_add_color_stop_rgba(g, 1, 1, 1, 1, 0);
    cairo_set_source(cr, g);
    cairo_rectangle(cr, x, y, 32, 32);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
    cairo_restore(cr);
}

void paintWith(cairo_t* cr, const ArtStyle& s, int style, int frame, double x, double y, bool square, const Rgb& body) {
    if (frame == 2 && TilePainter::hasBorder(style)) {
        paintLight(cr, x, y, body);
        return;
    }
    Rng rng(uint64_t(style * 131 + frame * 17 + 5));
    cairo_save(cr);
    // shadow under rounded blocks
    if (!square) {
        bodyPath(cr, s.wall, x + 1, y + 1.5, square);
        setColour(cr, {0, 0, 0}, 0.35);
        cairo_fill(cr);
    }
    bodyPath(cr, s.wall, x, y, square);
    cairo_pattern_t* g = cairo_pattern_create_linear(x, y, x + 10, y + 32);
    Rgb top = body.lighter(frame == 2 ? 0.12 : 0.22), bottom = body.darker(frame == 2 ? 0.08 : 0.22);
    cairo_pattern_add_color_stop_rgb(g, 0, top.r, top.g, top.b);
    cairo_pattern_add_color_stop_rgb(g, 1, bottom.r, bottom.g, bottom.b);
    cairo_set_source(cr, g);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(g);
    cairo_clip(cr);
    details(cr, s, frame, x, y, rng, body);
    // bevel: lit from the top left
    cairo_set_line_width(cr, 2);
    cairo_move_to(cr, x + 1.5, y + 30);
    cairo_line_to(cr, x + 1.5, y + 1.5);
    cairo_line_to(cr, x + 30, y + 1.5);
    setColour(cr, {1, 1, 1}, 0.35);
    cairo_stroke(cr);
    cairo_move_to(cr, x + 30.5, y + 2);
    cairo_line_to(cr, x + 30.5, y + 30.5);
    cairo_line_to(cr, x + 2, y + 30.5);
    // The pale variant keeps the full shade: its light body must still read
    // as a raised block, not as a lit patch of floor.
    setColour(cr, {0, 0, 0}, frame == 2 ? 0.45 : 0.35);
    cairo_stroke(cr);
    cairo_reset_clip(cr);
    bodyPath(cr, s.wall, x, y, square);
    setColour(cr, body.darker(frame == 2 ? 0.7 : 0.6), frame == 2 ? 0.85 : 0.55);
    cairo_set_line_width(cr, frame == 2 ? 1.6 : 1);
    cairo_stroke(cr);
    cairo_restore(cr);
}

// How far apart (in luma) a painted wall body and its floor must be.
const double kApartFromFloor = 0.18;

// The mean luma of the floor under the board, as the background paints it.
double floorLuma(int style) {
    static std::map<int, double> made;
    if (auto it = made.find(style); it != made.end()) return it->second;
    auto back = BackgroundPainter::render(style);
    const unsigned char* d = back->data();
    double sum = 0;
    int n = 0;
    for (int y = BackgroundPainter::boardTop; y < BackgroundPainter::boardBottom; y += 3)
        for (int x = BackgroundPainter::boardLeft; x < BackgroundPainter::boardRight; x += 3, ++n) {
            const unsigned char* p = d + y * back->stride() + x * 4;
            sum += (0.299 * p[2] + 0.587 * p[1] + 0.114 * p[0]) / 255.0;
        }
    return made[style] = sum / n;
}

// The mean luma of the block's middle as painted (details, shading and all).
double paintedLuma(const ArtStyle& s, int style, int frame, const Rgb& body) {
    auto c = Canvas::create(32, 32);
    paintWith(c->cr(), s, style, frame, 0, 0, true, body);
    const unsigned char* d = c->data();
    double sum = 0;
    int n = 0;
    for (int y = 4; y < 28; ++y)
        for (int x = 4; x < 28; ++x) {
            const unsigned char* p = d + y * c->stride() + x * 4;  // B, G, R, A (opaque here)
            sum += (0.299 * p[2] + 0.587 * p[1] + 0.114 * p[0]) / 255.0;
            ++n;
        }
    return sum / n;
}

// Lighter in the same hue while it can be (golden crates stay golden, not
// grey), then towards white.
Rgb brighter(const Rgb& c) {
    double top = std::max({c.r, c.g, c.b});
    if (top < 0.98) {
        double k = std::min(1.1, 1.0 / top);
        return {c.r * k, c.g * k, c.b * k};
    }
    return c.lighter(0.1);
}

// The frame's body colour, moved away from the floor until it stands apart.
// Walls go darker than a light floor and lighter than a dark one they already
// outshine; the pale frame and the light materials only ever go lighter.
Rgb bodyColour(const ArtStyle& s, int style, int frame) {
    static std::map<std::pair<int, int>, Rgb> made;
    auto key = std::pair{style, frame};
    if (auto it = made.find(key); it != made.end()) return it->second;
    double floor = floorLuma(style);
    // Ice, cloud and moonstone are light by nature: they rise above any floor.
    bool light = s.wall == WallMaterial::Ice || s.wall == WallMaterial::Cloud || s.wall == WallMaterial::Moonstone;
    bool up = frame == 2 || (s.wallColour.luma() >= floor && (floor < 0.5 || light));
    Rgb base = frameColour(s, frame), body = base;
    for (int step = 0; step < 24; ++step) {
        double mean = paintedLuma(s, style, frame, body);
        if ((up ? mean - floor : floor - mean) >= kApartFromFloor) break;
        if (up && frame != 2 && body.luma() > 0.97) {  // white and still too close: darken instead
            up = false;
            body = base;
            continue;
        }
        body = up ? brighter(body) : body.darker(0.08);
    }
    return made[key] = body;
}

}  // namespace

void TilePainter::paint(cairo_t* cr, int style, int frame, double x, double y, bool square) {
    const ArtStyle& s = ArtStyle::all()[size_t(style) % ArtStyle::all().size()];
    paintWith(cr, s, style, frame, x, y, square, bodyColour(s, style, frame));
}

void TilePainter::paintBorder(cairo_t* cr, double x, double y) {
    // Walls carry it and beams do not (they are the pale frame alone): a firm
    // dark outline is what tells a pale wall from a beam beside it.
    cairo_save(cr);
    roundedRect(cr, x + 0.75, y + 0.75, 30.5, 30.5, 4);
    setColour(cr, {0.05, 0.04, 0.08}, 0.75);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    // A bevel lit from the top left: the pale wall has no shading of its own
    // (a beam is the same frame), so this is what raises it off the floor.
    cairo_set_line_width(cr, 2.5);
    cairo_move_to(cr, x + 3, y + 29);
    cairo_line_to(cr, x + 29, y + 29);
    cairo_line_to(cr, x + 29, y + 3);
    setColour(cr, {0.05, 0.04, 0.08}, 0.4);
    cairo_stroke(cr);
    cairo_move_to(cr, x + 3, y + 28);
    cairo_line_to(cr, x + 3, y + 3);
    cairo_line_to(cr, x + 28, y + 3);
    setColour(cr, {1, 1, 1}, 0.45);
    cairo_stroke(cr);
    cairo_restore(cr);
}

bool TilePainter::writeStrip(int style, const std::string& path) {
    bool jpeg = path.size() > 4 && path.substr(path.size() - 4) == ".jpg";
    auto c = Canvas::create(6 * 32, 32);
    if (jpeg) {
        setColour(c->cr(), ArtStyle::all()[size_t(style)].floorDark);
        cairo_paint(c->cr());
    }
    for (int f = 0; f < 6; ++f) paint(c->cr(), style, f, f * 32, 0, jpeg);
    return jpeg ? c->saveJpeg(path, 92) : c->savePng(path);
}

}  // namespace qm
