// Floors are computed per pixel from tileable noise; scenery is drawn with Cairo
// outside the board only. Style 0 scrolls, so it has no margin scenery and all
// of its features wrap round the picture's edges.
#include "BackgroundPainter.h"

#include <algorithm>
#include <cmath>

#include "ArtStyle.h"
#include "Noise.h"
#include "Rng.h"

namespace qm {

namespace {

const double PI = 3.14159265358979;
const int W = 800, H = 600;
using BP = BackgroundPainter;

double clamp01(double v) { return v < 0 ? 0 : (v > 1 ? 1 : v); }
double smooth(double a, double b, double v) {
    double t = clamp01((v - a) / (b - a));
    return t * t * (3 - 2 * t);
}

// Distance of a pixel outside the board rectangle (0 inside).
double outside(double x, double y) {
    double dx = std::max({double(BP::boardLeft) - x, 0.0, x - BP::boardRight});
    double dy = std::max({double(BP::boardTop) - y, 0.0, y - BP::boardBottom});
    return std::sqrt(dx * dx + dy * dy);
}

enum class Shore { None, Sea, Lava, Sky, Space, Pond };

Shore shoreOf(const ArtStyle& s, int style) {
    if (style == 0) return Shore::None;
    switch (s.scenery) {
        case Scenery::Waves: return Shore::Sea;
        case Scenery::Lava: return Shore::Lava;
        case Scenery::Clouds: return Shore::Sky;
        case Scenery::Stars: return Shore::Space;
        case Scenery::Reeds: return Shore::Pond;
        default: return Shore::None;
    }
}

void paintFloor(Canvas& c, const ArtStyle& s, int style) {
    uint64_t seed = Rng::hash(s.name);
    auto big = Noise::octaves(W, H, 100, 4, seed);
    auto fine = Noise::octaves(W, H, 10, 3, seed + 99);
    auto shoreNoise = Noise::octaves(W, H, 50, 3, seed + 7);
    int cellSize = s.floor == FloorPattern::Facets ? 50 : (s.floor == FloorPattern::Cobbles ? 25 : 40);
    Voronoi cells(W, H, cellSize, 0.9, seed + 3);
    Shore shore = shoreOf(s, style);
    unsigned char* data = c.data();
    int stride = c.stride();
    Rng rng(seed + 11);
    for (int y = 0; y < H; ++y) {
        uint32_t* row = reinterpret_cast<uint32_t*>(data + size_t(y) * stride);
        for (int x = 0; x < W; ++x) {
            double n = Noise::fbm(big, x, y), f = Noise::fbm(fine, x, y);
            double v = 0.5 + (n - 0.5) * 1.3 + (f - 0.5) * 0.35;  // 0..1 between dark and light floor
            double glint = 0;                                    // added light
            double f1 = 0, f2 = 0;
            int id = 0;
            switch (s.floor) {
                case FloorPattern::Grass: v += (f - 0.5) * 0.4; break;
                case FloorPattern::Leaves: v += (Noise::fbm(fine, x * 1.0, y) - 0.5) * 0.5; break;
                case FloorPattern::Water: {
                    double a = Noise::fbm(fine, x + 40 * n, y);
                    double line = 1 - std::fabs(2 * a - 1);
                    glint = std::pow(line, 12) * 0.12;
                    break;
                }
                case FloorPattern::Sand: v += 0.18 * std::sin((x * 0.5 + y + 60 * n) / 7.0); break;
                case FloorPattern::Strata: v += 0.22 * std::sin(y / 9.0 + 6 * n) + 0.08 * std::sin(y / 3.0 + 4 * f); break;
                case FloorPattern::Planks: {
                    int gy = ((y - BP::boardTop) % 32 + 32) % 32;
                    int rowIndex = (y - BP::boardTop + 3200) / 32;
                    int gx = ((x - BP::boardLeft + (rowIndex % 2) * 48) % 96 + 96) % 96;
                    v = 0.55 + 0.25 * std::sin(x / 3.0 + 8 * Noise::fbm(fine, x, y * 4.0)) * 0.5 + (n - 0.5) * 0.6;
                    if (gy == 0 || gx == 0) v -= 0.45;
                    if (gy == 1) v += 0.15;
                    break;
                }
                case FloorPattern::Snow: glint = (f > 0.78 ? (f - 0.78) * 1.2 : 0); break;
                case FloorPattern::Ice: {
                    cells.query(x, y, f1, f2, id);
                    if (f2 - f1 < 1.4) glint = 0.12 * (1.4 - (f2 - f1));
                    v = 0.5 + (n - 0.5) * 0.9 + 0.12 * std::sin((x + y) / 40.0 + 5 * n);
                    break;
                }
                case FloorPattern::Cave:
                case FloorPattern::Cobbles: {
                    cells.query(x, y, f1, f2, id);
                    double gap = smooth(0.0, 3.0, f2 - f1);
                    v = v * 0.7 + 0.3 * ((id * 37 % 11) / 10.0);
                    v -= (1 - gap) * (s.floor == FloorPattern::Cobbles ? 0.55 : 0.3);
                    break;
                }
                case FloorPattern::Facets: {
                    cells.query(x, y, f1, f2, id);
                    v = 0.3 + 0.5 * ((id * 53 % 13) / 12.0) + (n - 0.5) * 0.4;
                    if (f2 - f1 < 1.6) glint = 0.16;
                    break;
                }
                case FloorPattern::Ash: {
                    cells.query(x, y, f1, f2, id);
                    if (f2 - f1 < 2.0) v -= 0.35 * (2.0 - (f2 - f1)) / 2.0;
                    break;
                }
                case FloorPattern::Cloud: v = 0.5 + (n - 0.5) * 1.6; break;
                case FloorPattern::Stars: break;
                case FloorPattern::Marble: {
                    int cx = ((x - BP::boardLeft + 3200) / 32), cy = ((y - BP::boardTop + 3200) / 32);
                    bool dark = (cx + cy) % 2 == 0;
                    double vein = std::pow(1 - std::fabs(std::sin((x + y * 0.6) / 23.0 + 7 * n)), 14);
                    v = (dark ? 0.25 : 0.75) + (n - 0.5) * 0.3 - vein * 0.2;
                    break;
                }
                case FloorPattern::Field: v += 0.16 * std::sin(y / 4.0 + 2 * n); break;
            }
            v = clamp01(v);
            Rgb col = s.floorDark.mix(s.floorLight, v);
            col = col.lighter(glint);
            // Scenery ground round the board.
            double d = outside(x, y);
            if (d > 0) {
                double wob = 10 + 26 * Noise::fbm(shoreNoise, x, y);
                if (shore != Shore::None) {
                    double t = smooth(wob - 4, wob + 4, d);
                    Rgb beyond;
                    switch (shore) {
                        case Shore::Sea:
                        case Shore::Pond: {
                            Rgb sea = s.sceneColour.darker(shore == Shore::Pond ? 0.35 : 0.1);
                            double ripple = std::pow(1 - std::fabs(2 * Noise::fbm(fine, x + 60 * n, y) - 1), 8);
                            beyond = sea.mix(s.sceneColour.lighter(0.3), 0.4 * n).lighter(0.35 * ripple);
                            double foam = smooth(3, 0, std::fabs(d - wob)) * 0.8;
                            beyond = beyond.lighter(foam * (shore == Shore::Sea ? 1 : 0.3));
                            break;
                        }
                        case Shore::Lava: {
                            double hot = std::pow(Noise::fbm(fine, x + 50 * n, y), 2);
                            beyond = Rgb{0.45, 0.06, 0.02}.mix(s.sceneAccent, clamp01(hot * 1.8)).mix({1, 0.95, 0.6}, clamp01(hot * 1.8 - 1.0));
                            break;
                        }
                        case Shore::Sky: beyond = s.edge.mix(s.sceneColour, 0.35 * n); break;
                        case Shore::Space: beyond = s.edge.mix(s.sceneAccent, 0.25 * std::pow(n, 2)); break;
                        default: break;
                    }
                    col = col.mix(beyond, t);
                } else if (style != 0) {
                    col = col.mix(s.edge, 0.55 * smooth(0, 60, d));
                }
            }
            auto to8 = [](double v) { return uint32_t(std::lround(clamp01(v) * 255)); };
            row[x] = 0xFF000000u | (to8(col.r) << 16) | (to8(col.g) << 8) | to8(col.b);
        }
    }
    cairo_surface_mark_dirty(c.surface());
}

// Small features over the floor (tufts, leaves, stars); calm enough for the board.
void floorDetails(cairo_t* cr, const ArtStyle& s, int style) {
    Rng rng(Rng::hash(s.name) + 21);
    bool wrap = style == 0;
    auto at = [&](auto&& fn, double x, double y) {
        if (!wrap) {
            fn(x, y);
            return;
        }
        for (int ox = -1; ox <= 1; ++ox)
            for (int oy = -1; oy <= 1; ++oy) fn(x + ox * W, y + oy * H);
    };
    switch (s.floor) {
        case FloorPattern::Grass: {
            cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
            cairo_set_line_width(cr, 1.2);
            for (int i = 0; i < 1400; ++i) {
                double x = rng.range(0, W), y = rng.range(0, H), a = rng.range(-0.5, 0.5), l = rng.range(3, 6);
                bool lightBlade = rng.chance(0.5);
                at([&](double px, double py) {
                    cairo_move_to(cr, px, py);
                    cairo_line_to(cr, px + l * std::sin(a), py - l * std::cos(a));
                    setColour(cr, lightBlade ? s.floorLight.lighter(0.15) : s.floorDark.darker(0.15), 0.35);
                    cairo_stroke(cr);
                }, x, y);
            }
            int flowers = style == 0 ? 70 : 40;
            for (int i = 0; i < flowers; ++i) {
                double x = rng.range(0, W), y = rng.range(0, H);
                Rgb petal = rng.chance(0.5) ? s.sceneColour : s.sceneAccent;
                if (style != 0) petal = Rgb{1, 1, 1}.mix(s.wallAccent, 0.3);
                at([&](double px, double py) {
                    for (int k = 0; k < 5; ++k) {
                        double a = k * 2 * PI / 5;
                        setColour(cr, petal, 0.55);
                        cairo_arc(cr, px + 1.8 * std::cos(a), py + 1.8 * std::sin(a), 1.3, 0, 2 * PI);
                        cairo_fill(cr);
                    }
                    setColour(cr, {1, 0.9, 0.4}, 0.7);
                    cairo_arc(cr, px, py, 0.9, 0, 2 * PI);
                    cairo_fill(cr);
                }, x, y);
            }
            break;
        }
        case FloorPattern::Leaves:
            for (int i = 0; i < 500; ++i) {
                double x = rng.range(0, W), y = rng.range(0, H), a = rng.range(0, PI);
                Rgb c = rng.chance(0.5) ? s.floorLight.lighter(0.12) : s.floorDark.mix(s.wallAccent, 0.3);
                cairo_save(cr);
                cairo_translate(cr, x, y);
                cairo_rotate(cr, a);
                cairo_scale(cr, 3.5, 1.6);
                cairo_arc(cr, 0, 0, 1, 0, 2 * PI);
                cairo_restore(cr);
                setColour(cr, c, 0.35);
                cairo_fill(cr);
            }
            break;
        case FloorPattern::Stars:
            for (int i = 0; i < 700; ++i) {
                double x = rng.range(0, W), y = rng.range(0, H), r = rng.range(0.4, 1.1);
                setColour(cr, rng.chance(0.3) ? s.wallAccent.lighter(0.5) : Rgb{1, 1, 1}, rng.range(0.15, 0.45));
                cairo_arc(cr, x, y, r, 0, 2 * PI);
                cairo_fill(cr);
            }
            break;
        case FloorPattern::Snow:
        case FloorPattern::Sand:
        case FloorPattern::Cave:
            for (int i = 0; i < 260; ++i) {  // pebbles
                double x = rng.range(0, W), y = rng.range(0, H), r = rng.range(1.0, 2.6);
                setColour(cr, s.floorDark.darker(0.3), 0.25);
                cairo_arc(cr, x + 0.6, y + 0.8, r, 0, 2 * PI);
                cairo_fill(cr);
                setColour(cr, s.floorLight.lighter(0.2), 0.3);
                cairo_arc(cr, x, y, r, 0, 2 * PI);
                cairo_fill(cr);
            }
            break;
        default: break;
    }
}

// --- scenery seen from above, outside the board ---

void blob(cairo_t* cr, double x, double y, double r, const Rgb& c, double a = 1) {
    setColour(cr, c, a);
    cairo_arc(cr, x, y, r, 0, 2 * PI);
    cairo_fill(cr);
}

void shadowBlob(cairo_t* cr, double x, double y, double r) {
    cairo_pattern_t* g = cairo_pattern_create_radial(x + r * 0.3, y + r * 0.4, 0, x + r * 0.3, y + r * 0.4, r * 1.2);
    cairo_pattern_add_color_stop_rgba(g, 0, 0, 0, 0, 0.45);
    cairo_pattern_add_color_stop_rgba(g, 1, 0, 0, 0, 0);
    cairo_set_source(cr, g);
    cairo_arc(cr, x + r * 0.3, y + r * 0.4, r * 1.2, 0, 2 * PI);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
}

void shadedBall(cairo_t* cr, double x, double y, double r, const Rgb& c) {
    cairo_pattern_t* g = cairo_pattern_create_radial(x - r * 0.35, y - r * 0.35, r * 0.1, x, y, r);
    Rgb l = c.lighter(0.35), d = c.darker(0.35);
    cairo_pattern_add_color_stop_rgb(g, 0, l.r, l.g, l.b);
    cairo_pattern_add_color_stop_rgb(g, 1, d.r, d.g, d.b);
    cairo_set_source(cr, g);
    cairo_arc(cr, x, y, r, 0, 2 * PI);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
}

void drawObject(cairo_t* cr, const ArtStyle& s, double x, double y, double size, Rng& rng) {
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    switch (s.scenery) {
        case Scenery::Flowers: {
            shadowBlob(cr, x, y, size * 0.5);
            for (int k = 0; k < 6; ++k) {
                double a = k * PI / 3 + rng.range(0, 0.3);
                blob(cr, x + size * 0.28 * std::cos(a), y + size * 0.28 * std::sin(a), size * 0.2,
                     rng.chance(0.5) ? s.sceneColour : s.sceneAccent);
            }
            blob(cr, x, y, size * 0.14, {1, 0.85, 0.3});
            break;
        }
        case Scenery::Trees:
        case Scenery::Palms:
        case Scenery::Pines: {
            shadowBlob(cr, x, y, size * 0.6);
            if (s.scenery == Scenery::Trees) {
                for (int k = 0; k < 6; ++k) {
                    double a = rng.range(0, 2 * PI), r = size * rng.range(0.1, 0.3);
                    shadedBall(cr, x + r * std::cos(a), y + r * std::sin(a), size * rng.range(0.25, 0.35), s.sceneColour);
                }
                for (int k = 0; k < 4; ++k) blob(cr, x + rng.range(-0.3, 0.3) * size, y + rng.range(-0.3, 0.3) * size, size * 0.05, s.sceneAccent);
            } else {
                int arms = s.scenery == Scenery::Palms ? 7 : 9;
                for (int layer = 0; layer < (s.scenery == Scenery::Pines ? 3 : 1); ++layer) {
                    double r = size * (0.55 - layer * 0.15);
                    Rgb c = s.sceneColour.lighter(layer * 0.12);
                    for (int k = 0; k < arms; ++k) {
                        double a = k * 2 * PI / arms + layer * 0.3;
                        cairo_move_to(cr, x, y);
                        cairo_curve_to(cr, x + r * 0.5 * std::cos(a - 0.3), y + r * 0.5 * std::sin(a - 0.3), x + r * std::cos(a - 0.1),
                                       y + r * std::sin(a - 0.1), x + r * std::cos(a), y + r * std::sin(a));
                        cairo_curve_to(cr, x + r * 0.6 * std::cos(a + 0.25), y + r * 0.6 * std::sin(a + 0.25), x, y, x, y);
                        setColour(cr, c);
                        cairo_fill(cr);
                    }
                }
                blob(cr, x, y, size * 0.08, s.scenery == Scenery::Palms ? s.sceneAccent.darker(0.5) : s.sceneColour.darker(0.4));
            }
            break;
        }
        case Scenery::Reeds:
        case Scenery::Wheat: {
            int n = 9;
            for (int k = 0; k < n; ++k) {
                double a = -PI / 2 + rng.range(-0.6, 0.6), l = size * rng.range(0.5, 0.9);
                double ex = x + l * std::cos(a), ey = y + l * std::sin(a);
                cairo_move_to(cr, x, y);
                cairo_line_to(cr, ex, ey);
                setColour(cr, s.sceneColour);
                cairo_set_line_width(cr, 1.6);
                cairo_stroke(cr);
                cairo_save(cr);
                cairo_translate(cr, ex, ey);
                cairo_rotate(cr, a);
                cairo_scale(cr, 3.2, 1.4);
                cairo_arc(cr, 0, 0, 1, 0, 2 * PI);
                cairo_restore(cr);
                setColour(cr, s.sceneAccent);
                cairo_fill(cr);
            }
            break;
        }
        case Scenery::Rocks:
        case Scenery::Cacti: {
            shadowBlob(cr, x, y, size * 0.5);
            if (s.scenery == Scenery::Cacti) {
                shadedBall(cr, x, y, size * 0.32, s.sceneColour);
                cairo_set_line_width(cr, 1);
                for (int k = 0; k < 8; ++k) {
                    double a = k * PI / 4;
                    cairo_move_to(cr, x, y);
                    cairo_line_to(cr, x + size * 0.32 * std::cos(a), y + size * 0.32 * std::sin(a));
                }
                setColour(cr, s.sceneColour.darker(0.4), 0.6);
                cairo_stroke(cr);
                blob(cr, x, y - size * 0.05, size * 0.08, s.sceneAccent);
            } else {
                int n = 7;
                double r0 = size * 0.42;
                for (int k = 0; k < n; ++k) {
                    double a = k * 2 * PI / n, r = r0 * rng.range(0.7, 1.0);
                    if (k == 0) cairo_move_to(cr, x + r * std::cos(a), y + r * std::sin(a));
                    else cairo_line_to(cr, x + r * std::cos(a), y + r * std::sin(a));
                }
                cairo_close_path(cr);
                cairo_pattern_t* g = cairo_pattern_create_linear(x - r0, y - r0, x + r0, y + r0);
                Rgb l = s.sceneColour.lighter(0.3), d = s.sceneColour.darker(0.3);
                cairo_pattern_add_color_stop_rgb(g, 0, l.r, l.g, l.b);
                cairo_pattern_add_color_stop_rgb(g, 1, d.r, d.g, d.b);
                cairo_set_source(cr, g);
                cairo_fill(cr);
                cairo_pattern_destroy(g);
            }
            break;
        }
        case Scenery::Waves: {
            // shells and foam flecks on the water
            if (rng.chance(0.4)) {
                blob(cr, x, y, size * 0.15, s.sceneAccent);
            } else {
                cairo_set_line_width(cr, 2);
                cairo_arc(cr, x, y, size * 0.35, PI * 1.1, PI * 1.9);
                setColour(cr, s.sceneAccent, 0.6);
                cairo_stroke(cr);
            }
            break;
        }
        case Scenery::Shards:
        case Scenery::Stalactites: {
            shadowBlob(cr, x, y, size * 0.45);
            int n = s.scenery == Scenery::Shards ? 4 : 1;
            for (int k = 0; k < n; ++k) {
                double a = rng.range(0, 2 * PI), len = size * rng.range(0.35, 0.6), wdt = size * 0.14;
                if (s.scenery == Scenery::Stalactites) {
                    cairo_pattern_t* g = cairo_pattern_create_radial(x - 3, y - 3, 1, x, y, size * 0.4);
                    Rgb l = s.sceneAccent.mix(s.sceneColour, 0.6).lighter(0.2), d = s.sceneColour.darker(0.4);
                    cairo_pattern_add_color_stop_rgb(g, 0, l.r, l.g, l.b);
                    cairo_pattern_add_color_stop_rgb(g, 1, d.r, d.g, d.b);
                    cairo_set_source(cr, g);
                    cairo_arc(cr, x, y, size * 0.4, 0, 2 * PI);
                    cairo_fill(cr);
                    cairo_pattern_destroy(g);
                    continue;
                }
                double ex = x + len * std::cos(a), ey = y + len * std::sin(a);
                double px = -std::sin(a) * wdt, py = std::cos(a) * wdt;
                cairo_move_to(cr, x + px, y + py);
                cairo_line_to(cr, ex, ey);
                cairo_line_to(cr, x - px, y - py);
                cairo_close_path(cr);
                setColour(cr, k % 2 ? s.sceneAccent : s.sceneColour, 0.95);
                cairo_fill(cr);
                cairo_move_to(cr, x, y);
                cairo_line_to(cr, ex, ey);
                setColour(cr, {1, 1, 1}, 0.6);
                cairo_set_line_width(cr, 1);
                cairo_stroke(cr);
            }
            break;
        }
        case Scenery::Lava:
            shadowBlob(cr, x, y, size * 0.4);
            shadedBall(cr, x, y, size * 0.28, s.sceneColour.lighter(0.1));
            break;
        case Scenery::Clouds: {
            for (int k = 0; k < 5; ++k) {
                double ox = rng.range(-0.4, 0.4) * size, oy = rng.range(-0.2, 0.2) * size, r = size * rng.range(0.22, 0.34);
                blob(cr, x + ox + 2, y + oy + 3, r, s.edge.darker(0.2), 0.25);
                blob(cr, x + ox, y + oy, r, s.sceneColour, 0.9);
            }
            break;
        }
        case Scenery::Stars: {
            double r = size * 0.18;
            cairo_pattern_t* g = cairo_pattern_create_radial(x, y, 0, x, y, r * 3);
            cairo_pattern_add_color_stop_rgba(g, 0, s.sceneColour.r, s.sceneColour.g, s.sceneColour.b, 0.9);
            cairo_pattern_add_color_stop_rgba(g, 1, s.sceneAccent.r, s.sceneAccent.g, s.sceneAccent.b, 0);
            cairo_set_source(cr, g);
            cairo_arc(cr, x, y, r * 3, 0, 2 * PI);
            cairo_fill(cr);
            cairo_pattern_destroy(g);
            for (int k = 0; k < 4; ++k) {
                double a = k * PI / 2;
                cairo_move_to(cr, x + r * 2.4 * std::cos(a), y + r * 2.4 * std::sin(a));
                cairo_line_to(cr, x + r * 0.3 * std::cos(a + PI / 4), y + r * 0.3 * std::sin(a + PI / 4));
                cairo_line_to(cr, x, y);
                cairo_close_path(cr);
                setColour(cr, {1, 1, 1}, 0.9);
                cairo_fill(cr);
            }
            break;
        }
        case Scenery::Columns: {
            shadowBlob(cr, x, y, size * 0.5);
            Rgb c = s.sceneColour;
            shadedBall(cr, x, y, size * 0.42, c.darker(0.1));
            cairo_set_line_width(cr, 1.2);
            setColour(cr, c.darker(0.4), 0.5);
            cairo_arc(cr, x, y, size * 0.3, 0, 2 * PI);
            cairo_stroke(cr);
            shadedBall(cr, x, y, size * 0.22, c.lighter(0.1));
            blob(cr, x, y, size * 0.06, s.sceneAccent);
            break;
        }
        case Scenery::Lanterns: {
            double r = size * 0.9;
            cairo_pattern_t* g = cairo_pattern_create_radial(x, y, 0, x, y, r);
            cairo_pattern_add_color_stop_rgba(g, 0, s.sceneAccent.r, s.sceneAccent.g, s.sceneAccent.b, 0.55);
            cairo_pattern_add_color_stop_rgba(g, 1, s.sceneAccent.r, s.sceneAccent.g, s.sceneAccent.b, 0);
            cairo_set_source(cr, g);
            cairo_arc(cr, x, y, r, 0, 2 * PI);
            cairo_fill(cr);
            cairo_pattern_destroy(g);
            roundedRect(cr, x - size * 0.15, y - size * 0.15, size * 0.3, size * 0.3, 2);
            setColour(cr, s.sceneColour.darker(0.3));
            cairo_fill(cr);
            blob(cr, x, y, size * 0.09, s.sceneAccent.lighter(0.5));
            break;
        }
    }
}

void paintScenery(cairo_t* cr, const ArtStyle& s, int style) {
    if (style == 0) return;
    Rng rng(Rng::hash(s.name) + 77);
    cairo_save(cr);
    // never inside the board: it is the floor
    cairo_rectangle(cr, 0, 0, W, H);
    cairo_rectangle(cr, BP::boardLeft - 3, BP::boardTop - 3, BP::boardRight - BP::boardLeft + 6, BP::boardBottom - BP::boardTop + 6);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
    cairo_clip(cr);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
    int count = 60;
    for (int i = 0; i < count; ++i) {
        double x, y;
        int side = rng.integer(0, 3);
        if (side == 0) { x = rng.range(-10, 60); y = rng.range(-10, H + 10); }
        else if (side == 1) { x = rng.range(-10, W + 10); y = rng.range(-10, 58); }
        else if (side == 2) { x = rng.range(706, W + 10); y = rng.range(-10, H + 10); }
        else { x = rng.range(-10, W + 10); y = rng.range(512, H + 10); }
        double size = rng.range(26, 48);
        if (s.scenery == Scenery::Stars) size *= 0.6;
        // The game tiles the picture from a corner inside the frame, so an
        // object cut by one edge goes on across the opposite one: no seam.
        const Rng before = rng;
        for (double ox : {0.0, -double(W), double(W)})
            for (double oy : {0.0, -double(H), double(H)}) {
                if (x + ox + size < 0 || x + ox - size > W || y + oy + size < 0 || y + oy - size > H) continue;
                Rng same = before;
                drawObject(cr, s, x + ox, y + oy, size, same);
                if (ox == 0 && oy == 0) rng = same;
            }
    }
    cairo_restore(cr);
    // a soft inner shadow where the board meets its surround
    cairo_save(cr);
    cairo_rectangle(cr, BP::boardLeft, BP::boardTop, BP::boardRight - BP::boardLeft, BP::boardBottom - BP::boardTop);
    cairo_clip(cr);
    for (int k = 0; k < 6; ++k) {
        cairo_rectangle(cr, BP::boardLeft + k, BP::boardTop + k, BP::boardRight - BP::boardLeft - 2 * k, BP::boardBottom - BP::boardTop - 2 * k);
        setColour(cr, {0, 0, 0}, 0.07 * (6 - k) / 6);
        cairo_set_line_width(cr, 1);
        cairo_stroke(cr);
    }
    cairo_restore(cr);
}

}  // namespace

std::shared_ptr<Canvas> BackgroundPainter::render(int style) {
    const ArtStyle& s = ArtStyle::all()[size_t(style)];
    auto c = Canvas::create(W, H);
    paintFloor(*c, s, style);
    cairo_save(c->cr());
    if (shoreOf(s, style) != Shore::None) {
        cairo_rectangle(c->cr(), boardLeft - 8, boardTop - 8, boardRight - boardLeft + 16, boardBottom - boardTop + 16);
        cairo_clip(c->cr());
    }
    floorDetails(c->cr(), s, style);
    cairo_restore(c->cr());
    paintScenery(c->cr(), s, style);
    return c;
}

void BackgroundPainter::drawScenery(cairo_t* cr, int style, double x, double y, double size, uint64_t seed) {
    Rng rng(seed);
    cairo_save(cr);
    drawObject(cr, ArtStyle::all()[size_t(style)], x, y, size, rng);
    cairo_restore(cr);
}

bool BackgroundPainter::write(int style, const std::string& path) {
    auto c = render(style);
    bool jpeg = path.size() > 4 && path.substr(path.size() - 4) == ".jpg";
    return jpeg ? c->saveJpeg(path, 85) : c->savePng(path);
}

}  // namespace qm
