// The road is computed with the same cubic formula as the game's route
// (single-precision powers, rounded to whole pixels), so the glowing dots the
// game draws run along the middle of it.
#include "WorldMapPainter.h"

#include <algorithm>
#include <cmath>

#include "ArtStyle.h"
#include "BackgroundPainter.h"
#include "Canvas.h"
#include "Noise.h"
#include "Rng.h"

namespace qm {

namespace {

const double PI = 3.14159265358979;

// start, control 1, end, control 2 (the order the game's table uses)
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

int bezier(float t, int p0, int p1, int p2, int p3) {
    float c = 3.0f * float(p1 - p0);
    float b = 3.0f * float(p2 - p1) - c;
    float a = float(p3 - p0) - c - b;
    float t2 = t * t, t3 = t2 * t;
    return int(std::lround(a * t3 + b * t2 + c * t + float(p0)));
}

struct Place {
    double x, y;
    int style;
};

}  // namespace

std::vector<std::vector<WorldMapPainter::Point>> WorldMapPainter::routePoints(int steps) {
    std::vector<std::vector<Point>> out;
    for (const auto& s : route) {
        std::vector<Point> seg;
        for (int i = 0; i <= steps; ++i) {
            float t = float(i) * (1.0f / float(steps));
            seg.push_back({bezier(t, s[0], s[2], s[6], s[4]), bezier(t, s[1], s[3], s[7], s[5])});
        }
        out.push_back(seg);
    }
    return out;
}

bool WorldMapPainter::write(const std::string& path) {
    const int W = 800, H = 600;
    auto c = Canvas::create(W, H);
    cairo_t* cr = c->cr();
    auto segs = routePoints(100);
    std::vector<Point> line;
    for (auto& s : segs) line.insert(line.end(), s.begin(), s.end());
    // arc length along the polyline
    std::vector<double> along(line.size(), 0.0);
    for (size_t i = 1; i < line.size(); ++i)
        along[i] = along[i - 1] + std::hypot(double(line[i].x - line[i - 1].x), double(line[i].y - line[i - 1].y));
    double total = along.back();
    auto pointAt = [&](double d) {
        size_t i = 1;
        while (i < line.size() - 1 && along[i] < d) ++i;
        double seg = along[i] - along[i - 1];
        double t = seg > 0 ? (d - along[i - 1]) / seg : 0;
        return std::pair<double, double>{line[i - 1].x + (line[i].x - line[i - 1].x) * t, line[i - 1].y + (line[i].y - line[i - 1].y) * t};
    };
    const auto& styles = ArtStyle::all();
    int n = int(styles.size());

    // sea, shore and land in one pass: each land pixel takes the colours of the
    // part of the journey whose stretch of road is nearest
    auto waves = Noise::octaves(W, H, 50, 4, 404);
    auto coast = Noise::octaves(W, H, 50, 3, 405);
    std::vector<std::pair<double, double>> samples;
    std::vector<int> sampleStyle;
    for (size_t i = 0; i < line.size(); i += 3) {
        samples.push_back({double(line[i].x), double(line[i].y)});
        sampleStyle.push_back(std::min(n - 1, int(along[i] / total * n)));
    }
    unsigned char* data = c->data();
    for (int y = 0; y < H; y += 2) {
        for (int x = 0; x < W; x += 2) {
            double best = 1e18;
            int style = 0;
            // borders between the parts of the journey wander like real ones
            double jx = x + 60 * (Noise::fbm(coast, x + 313, y) - 0.5), jy = y + 60 * (Noise::fbm(coast, x, y + 211) - 0.5);
            for (size_t i = 0; i < samples.size(); ++i) {
                double dx = samples[i].first - jx, dy = samples[i].second - jy, d = dx * dx + dy * dy;
                if (d < best) {
                    best = d;
                    style = sampleStyle[i];
                }
            }
            double dist = std::sqrt(best);
            for (int oy = 0; oy < 2; ++oy) {
                uint32_t* row = reinterpret_cast<uint32_t*>(data + size_t(y + oy) * c->stride());
                for (int ox = 0; ox < 2; ++ox) {
                    int px = x + ox, py = y + oy;
                    double v = Noise::fbm(waves, px, py);
                    double reach = 62 + 45 * Noise::fbm(coast, px, py);
                    Rgb col;
                    if (dist > reach + 12) {
                        col = Rgb::hex(0x1c4a78).mix(Rgb::hex(0x3a7ab0), v);
                        if (dist < reach + 24) col = col.lighter(0.25 * (1 - (dist - reach - 12) / 12));
                    } else if (dist > reach) {
                        col = Rgb::hex(0xe8d7a0).mix(Rgb::hex(0xc8b078), v);
                    } else {
                        const ArtStyle& st = styles[size_t(style)];
                        col = st.floorDark.mix(st.floorLight, 0.3 + 0.9 * (v - 0.3)).lighter(0.08);
                        col = col.darker(0.25 * std::max(0.0, (dist - reach + 20) / 20));
                    }
                    auto to8 = [](double d) { return uint32_t(std::lround(std::clamp(d, 0.0, 1.0) * 255)); };
                    row[px] = 0xFF000000u | (to8(col.r) << 16) | (to8(col.g) << 8) | to8(col.b);
                }
            }
        }
    }
    cairo_surface_mark_dirty(c->surface());
    Rng rng(99);

    // the road under the route
    auto stroke = [&](double width, const Rgb& col, double alpha, bool dashed) {
        cairo_new_path(cr);
        for (size_t i = 0; i < line.size(); ++i) {
            if (i == 0) cairo_move_to(cr, line[i].x, line[i].y);
            else cairo_line_to(cr, line[i].x, line[i].y);
        }
        cairo_set_line_width(cr, width);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        if (dashed) {
            double d[2] = {5, 7};
            cairo_set_dash(cr, d, 2, 0);
        }
        setColour(cr, col, alpha);
        cairo_stroke(cr);
        cairo_set_dash(cr, nullptr, 0, 0);
    };
    stroke(13, {0, 0, 0}, 0.3, false);
    stroke(11, Rgb::hex(0x5a4028), 1, false);
    stroke(8, Rgb::hex(0xd8b878), 1, false);
    stroke(1.6, Rgb::hex(0xfff4d0), 0.8, true);

    // the 33 places of the journey, evenly along the road, each with its scenery
    std::vector<Place> places;
    for (int i = 0; i < n; ++i) {
        double d = (i + 0.5) / n * total;
        auto [x, y] = pointAt(d);
        auto [x2, y2] = pointAt(std::min(total, d + 4));
        double nx = -(y2 - y), ny = x2 - x, len = std::hypot(nx, ny);
        if (len > 0) {
            nx /= len;
            ny /= len;
        }
        double side = (i % 2) ? 1 : -1;
        places.push_back({x + nx * 22 * side, y + ny * 22 * side, i});
    }
    for (const Place& p : places) BackgroundPainter::drawScenery(cr, p.style, p.x, p.y, 24, 1000 + p.style);
    // milestones on the road where each place lies
    for (int i = 0; i < n; ++i) {
        auto [x, y] = pointAt((i + 0.5) / n * total);
        cairo_arc(cr, x, y, 3.2, 0, 2 * PI);
        setColour(cr, Rgb::hex(0x3a2a1a));
        cairo_fill(cr);
        cairo_arc(cr, x, y, 2.2, 0, 2 * PI);
        setColour(cr, Rgb::hex(0xf2c95a));
        cairo_fill(cr);
    }

    // region names, a title cartouche and a compass
    struct Label {
        int style;
        double dx, dy;
    };
    // The last one sits inside the loop, off the road where the ball starts.
    const Label labels[] = {{0, -40, -38}, {8, 0, 50}, {16, 42, 40}, {24, 58, -30}, {28, 0, -46}, {32, 76, 24}};
    for (const Label& l : labels) {
        auto [x, y] = pointAt((l.style + 0.5) / n * total);
        drawLabel(cr, styles[size_t(l.style)].name, x + l.dx, y + l.dy, 14, Font::SerifBold, Rgb::hex(0xfff4d8), Rgb::hex(0x2a1a10),
                  Align::Centre, 3);
    }
    roundedRect(cr, 250, 488, 300, 86, 12);
    setColour(cr, Rgb::hex(0xf2e6c8), 0.92);
    cairo_fill_preserve(cr);
    setColour(cr, Rgb::hex(0x6a4a2a));
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    setColour(cr, Rgb::hex(0x3a2a1c));
    drawText(cr, "The Quillmere Journey", 400, 522, 22, Font::SerifBold, Align::Centre);
    drawText(cr, "follow the road, one level at a time", 400, 542, 12, Font::Serif, Align::Centre);
    // The map waits for the player: say how to go on.
    setColour(cr, Rgb::hex(0x8a3a1a));
    drawText(cr, "Press any key or click to go on", 400, 562, 13, Font::SerifBold, Align::Centre);
    double cx = 720, cy = 510;
    for (int i = 0; i < 4; ++i) {
        double a = i * PI / 2 - PI / 2;
        cairo_move_to(cr, cx + 34 * std::cos(a), cy + 34 * std::sin(a));
        cairo_line_to(cr, cx + 7 * std::cos(a + PI / 2), cy + 7 * std::sin(a + PI / 2));
        cairo_line_to(cr, cx + 7 * std::cos(a - PI / 2), cy + 7 * std::sin(a - PI / 2));
        cairo_close_path(cr);
        setColour(cr, i == 0 ? Rgb::hex(0xe85a3a) : Rgb::hex(0xf2e6c8));
        cairo_fill_preserve(cr);
        setColour(cr, Rgb::hex(0x2a1a10));
        cairo_set_line_width(cr, 1.2);
        cairo_stroke(cr);
    }
    setColour(cr, Rgb::hex(0xf2e6c8));
    drawText(cr, "N", cx, cy - 40, 14, Font::SerifBold, Align::Centre);
    // a darkened rim frames the map
    cairo_pattern_t* v = cairo_pattern_create_radial(400, 300, 250, 400, 300, 520);
    cairo_pattern_add_color_stop_rgba(v, 0, 0, 0, 0, 0);
    cairo_pattern_add_color_stop_rgba(v, 1, 0, 0, 0, 0.45);
    cairo_set_source(cr, v);
    cairo_paint(cr);
    cairo_pattern_destroy(v);
    return c->savePng(path);
}

}  // namespace qm
