// Each teaching page pairs a short text with a small board drawn by the same
// code as the game's tiles and gizmos, so the pictures match what is in play.
#include "TutorialPainter.h"

#include <cmath>
#include <string>
#include <vector>

#include "BackgroundPainter.h"
#include "Canvas.h"
#include "GizmoPainter.h"
#include "MenuPainter.h"
#include "TilePainter.h"

namespace qm {

namespace {

const double PI = 3.14159265358979;
const Rgb inkBrown = Rgb::hex(0x3a2a1c);
const Rgb tintSwitch{123 / 255.0, 50 / 255.0, 75 / 255.0};
const Rgb tintBeamOn{79 / 255.0, 123 / 255.0, 45 / 255.0};
const Rgb tintBeamFloor{200 / 255.0, 223 / 255.0, 245 / 255.0};

void glowSpot(cairo_t* cr, double cx, double cy, double r, const Rgb& c) {
    cairo_pattern_t* g = cairo_pattern_create_radial(cx, cy, 0, cx, cy, r);
    cairo_pattern_add_color_stop_rgba(g, 0, c.r, c.g, c.b, 0.95);
    cairo_pattern_add_color_stop_rgba(g, 0.4, c.r, c.g, c.b, 0.5);
    cairo_pattern_add_color_stop_rgba(g, 1, c.r, c.g, c.b, 0);
    cairo_set_source(cr, g);
    cairo_arc(cr, cx, cy, r, 0, 2 * PI);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
}

void tintedTile(cairo_t* cr, int style, double x, double y, const Rgb& t) {
    auto tmp = Canvas::create(32, 32);
    TilePainter::paint(tmp->cr(), style, 2, 0, 0, true);
    cairo_set_operator(tmp->cr(), CAIRO_OPERATOR_MULTIPLY);
    setColour(tmp->cr(), t);
    cairo_paint(tmp->cr());
    auto mask = Canvas::create(32, 32);
    TilePainter::paint(mask->cr(), style, 2, 0, 0, true);
    cairo_set_operator(tmp->cr(), CAIRO_OPERATOR_DEST_IN);
    cairo_set_source_surface(tmp->cr(), mask->surface(), 0, 0);
    cairo_paint(tmp->cr());
    cairo_set_source_surface(cr, tmp->surface(), x, y);
    cairo_paint(cr);
}

// A little board: '#' wall, 'o' ball, '*' goal, 'L' lock 1, 'M' faded lock 2,
// 'N' closed lock 2, 'S' switch, 'B' beam block, '-' '|' beam floor, 'T' teleport,
// gizmo letters as on the review sheet, '>' '<' '^' 'v' path marks.
void board(cairo_t* cr, double x, double y, const std::vector<std::string>& rows, double scale) {
    // the first group's style: the one the player sees while learning
    const int style = 0;
    static auto floor = BackgroundPainter::render(style);
    int cols = int(rows[0].size()), n = int(rows.size());
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_scale(cr, scale, scale);
    roundedRect(cr, -4, -4, cols * 32 + 8, n * 32 + 8, 6);
    setColour(cr, Rgb::hex(0x1d2438));
    cairo_fill(cr);
    cairo_save(cr);
    cairo_rectangle(cr, 0, 0, cols * 32, n * 32);
    cairo_clip(cr);
    cairo_set_source_surface(cr, floor->surface(), -BackgroundPainter::boardLeft - 64, -BackgroundPainter::boardTop - 96);
    cairo_paint(cr);
    cairo_restore(cr);
    for (int r = 0; r < n; ++r)
        for (int c = 0; c < cols; ++c) {
            char ch = rows[size_t(r)][size_t(c)];
            double px = c * 32, py = r * 32;
            const std::string gizmoKeys = "kK123rRpwxyz^v<>";
            size_t k = gizmoKeys.find(ch);
            if (ch == '#') {
                TilePainter::paint(cr, style, (c * 5 + r * 3) % 6 == 2 ? 0 : (c * 5 + r * 3) % 6, px, py, true);
            } else if (ch == 'L') {
                TilePainter::paint(cr, style, 0, px, py, true);
                GizmoPainter::paint(cr, 0, px, py);
            } else if (ch == 'M' || ch == 'N') {
                cairo_push_group(cr);
                TilePainter::paint(cr, style, 1, px, py, true);
                cairo_pop_group_to_source(cr);
                cairo_paint_with_alpha(cr, ch == 'M' ? 0.35 : 1.0);
            } else if (ch == 'S') {
                tintedTile(cr, style, px, py, tintSwitch);
            } else if (ch == 'B') {
                tintedTile(cr, style, px, py, tintBeamOn);
            } else if (ch == '=') {
                tintedTile(cr, style, px, py, tintBeamFloor);
            } else if (ch == 'o') {
                cairo_set_operator(cr, CAIRO_OPERATOR_ADD);
                GizmoPainter::paintBall(cr, px + 16, py + 16, 15.5);
                cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
            } else if (ch == '*') {
                glowSpot(cr, px + 16, py + 16, 16, Rgb::hex(0xff8a2a));
                glowSpot(cr, px + 12, py + 12, 6, Rgb::hex(0xffe0a0));
                glowSpot(cr, px + 22, py + 19, 5, Rgb::hex(0xffe0a0));
            } else if (ch == 'T') {
                glowSpot(cr, px + 16, py + 16, 18, Rgb::hex(0xff7a1a));
                glowSpot(cr, px + 16, py + 16, 8, Rgb::hex(0xffd080));
            } else if (ch == '.' || ch == ' ') {
            } else if (k != std::string::npos) {
                GizmoPainter::paint(cr, int(k) + 1, px, py);
            } else if (ch == 'a' || ch == 'b' || ch == 'c' || ch == 'd') {
                // path marks: a = right, b = left, c = down, d = up
                double ang = ch == 'a' ? 0 : ch == 'b' ? PI : ch == 'c' ? PI / 2 : -PI / 2;
                cairo_save(cr);
                cairo_translate(cr, px + 16, py + 16);
                cairo_rotate(cr, ang);
                cairo_move_to(cr, -5, -6);
                cairo_line_to(cr, 4, 0);
                cairo_line_to(cr, -5, 6);
                setColour(cr, {1, 0.95, 0.75}, 0.85);
                cairo_set_line_width(cr, 3);
                cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
                cairo_stroke(cr);
                cairo_restore(cr);
            }
        }
    cairo_restore(cr);
}

struct Page {
    std::string title;
    std::vector<std::string> paragraphs;
    std::vector<std::string> picture;  // empty: none
    std::string caption;
};

void drawPage(cairo_t* cr, const Page& p) {
    setColour(cr, inkBrown);
    drawText(cr, p.title, 320, 62, 30, Font::SerifBold, Align::Centre);
    cairo_move_to(cr, 200, 76);
    cairo_line_to(cr, 440, 76);
    setColour(cr, Rgb::hex(0xa8844a));
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    bool picture = !p.picture.empty();
    double textW = picture ? 280 : 520, textX = picture ? 40 : 60;
    double y = 112;
    // A page with more to say sets it a little smaller, above the footer.
    double size = p.paragraphs.size() > 3 ? 14 : 16;
    for (const auto& para : p.paragraphs) {
        setColour(cr, inkBrown);
        y = drawParagraph(cr, para, textX, y, textW, size, Font::Sans, 1.4) + size * 0.6;
    }
    if (picture) {
        double cols = p.picture[0].size(), rows = p.picture.size();
        double scale = std::min(250.0 / (cols * 32), 260.0 / (rows * 32));
        double w = cols * 32 * scale, h = rows * 32 * scale;
        double bx = 345 + (255 - w) / 2, by = 100 + (270 - h) / 2;
        board(cr, bx, by, p.picture, scale);
        setColour(cr, inkBrown.lighter(0.2));
        drawParagraph(cr, p.caption, 345, by + h + 24, 260, 12.5, Font::Sans, 1.3);
    }
    setColour(cr, inkBrown.lighter(0.35));
    drawText(cr, "Press any key or click to go on", 320, 420, 12, Font::Sans, Align::Centre);
}

std::vector<Page> pages() {
    return {
        {"Roll the ball",
         {"Press an arrow key, or click beside the ball on the side it should go.",
          "The ball rolls until something stops it. Reach the sparkling goal to finish the level. Roll off the board and the level starts again.",
          "U or Backspace takes back a move, H shows the best next move, R starts again.",
          "On the main menu, L chooses any level you have reached."},
         {"#######", "#oaaa*#", "#.....#", "#######"},
         "The ball stops on the goal."},
        {"Shatter blocks",
         {"A shatter block stops the ball like a wall, but each time the ball rolls into it, it cracks.",
          "Hit it often enough and it breaks away, opening the way on."},
         {"######", "#o.1.#", "#..2.#", "#..3.#", "######"},
         "Whole, cracked and nearly broken."},
        {"Angles and boosters",
         {"An angle block lets the ball in only through its two open sides and turns it round the corner.",
          "A booster sends the ball on in the direction of its arrows, with power to cross beams."},
         {"#######", "#w.x..#", "#.....#", "#y.z..#", "#^v<>.#", "#######"},
         "Four corners, four boosters."},
        {"Keys and locks",
         {"Take the round gold key and the round lock opens for good.",
          "The diamond key does the opposite: it closes hidden gaps, which shimmer as the ball rolls by. Take it when the ball is safely past."},
         {"#######", "#k..L.#", "#.....#", "#K..M.#", "#######"},
         "Round key, round lock. Diamond key, hidden gap."},
        {"Beams and switches",
         {"A beam block sends a beam along its row or column, and the ball cannot cross it.",
          "Roll over a switch to turn every beam block on the board."},
         {"#######", "#B===.#", "#.....#", "#..S..#", "#######"},
         "A beam bars the floor; the switch turns it."},
        {"Teleports and recall",
         {"Teleports come in pairs: roll into one and come out of its twin.",
          "Roll over a recall point to store it. A recall pad sends the ball back to the stored point."},
         {"#######", "#T...T#", "#.....#", "#r.R.p#", "#######"},
         "A glowing pair; a point, a lit point and a pad."},
        {"Well done!",
         {"You have rolled the whole journey, from the first meadow to the Golden Citadel.",
          "Every shatter block cracked, every lock opened, every beam turned. Thank you for playing Quillmere!"},
         {},
         ""},
        {"Credits",
         {"Quillmere was designed, written, drawn and composed by the Quillmere team.",
          "Every picture, sound and note of music in the game is made by its own generator, from code, when the game is built."},
         {},
         ""},
        {"Tips",
         {"Look for the cells where the ball can stop: every wall, block and lock is a place to rest.",
          "Work backwards from the goal. If you are stuck, press H for a hint, or Skip: L on the main menu brings any skipped level back."},
         {},
         ""},
        {"Thank you",
         {"Thank you for playing. Every level you have reached waits in the level choice (L on the main menu): beat your best, reach par."},
         {},
         ""},
    };
}

}  // namespace

int TutorialPainter::writeAll(const std::string& media) {
    int failures = 0;
    auto list = pages();
    for (size_t i = 0; i < list.size(); ++i) {
        auto c = Canvas::create(640, 448);
        cairo_t* cr = c->cr();
        drawPage(cr, list[i]);
        if (i == 6) {
            for (int k = 0; k < 5; ++k) GizmoPainter::paintToken(cr, 0, 220 + k * 50, 330);
        }
        if (i >= 7) MenuPainter::title(cr, 320, 370, 48);
        std::string name = media + "/tutorialtext0" + std::to_string(i) + ".png";
        failures += c->savePng(name) ? 0 : 1;
    }
    return failures;
}

}  // namespace qm
