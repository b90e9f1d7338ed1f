// Menus: the main menu's five slots (Play, Instructions, Options, unused, Quit)
// of 256 x 50, the options labels of 154 x 30 left of their widgets, the
// reset-profile box, and the widgets' pictures.
#include "MenuPainter.h"

#include <cmath>

#include "ContactSheet.h"
#include "FramePainter.h"
#include "GizmoPainter.h"
#include "Noise.h"
#include "Rng.h"
#include "TilePainter.h"

namespace qm {

namespace {

const double PI = 3.14159265358979;
const Rgb ink{0.07, 0.06, 0.09};
const Rgb trim = Rgb::hex(0xe2b85a);
const Rgb cream = Rgb::hex(0xf6ecd2);
const Rgb inkBrown = Rgb::hex(0x3a2a1c);

int save(const std::shared_ptr<Canvas>& c, const std::string& path) { return c->savePng(path) ? 0 : 1; }

// Rolling hills under a sky: the title picture and the splash share it.
void landscape(cairo_t* cr, int w, int h, uint64_t seed, bool dusk) {
    cairo_pattern_t* sky = cairo_pattern_create_linear(0, 0, 0, h * 0.6);
    if (dusk) {
        cairo_pattern_add_color_stop_rgb(sky, 0, 0.10, 0.12, 0.28);
        cairo_pattern_add_color_stop_rgb(sky, 0.6, 0.45, 0.30, 0.50);
        cairo_pattern_add_color_stop_rgb(sky, 1, 0.98, 0.70, 0.45);
    } else {
        cairo_pattern_add_color_stop_rgb(sky, 0, 0.36, 0.58, 0.86);
        cairo_pattern_add_color_stop_rgb(sky, 1, 0.86, 0.92, 0.96);
    }
    cairo_set_source(cr, sky);
    cairo_paint(cr);
    cairo_pattern_destroy(sky);
    Rng rng(seed);
    // clouds
    for (int i = 0; i < 7; ++i) {
        double cx = rng.range(0, w), cy = rng.range(40, h * 0.35);
        for (int k = 0; k < 6; ++k) {
            setColour(cr, dusk ? Rgb{1, 0.85, 0.8} : Rgb{1, 1, 1}, dusk ? 0.25 : 0.55);
            cairo_arc(cr, cx + rng.range(-50, 50), cy + rng.range(-10, 10), rng.range(14, 30), 0, 2 * PI);
            cairo_fill(cr);
        }
    }
    // hills, far to near
    const Rgb far = dusk ? Rgb::hex(0x5a4a7a) : Rgb::hex(0x8ab0c8);
    const Rgb near = dusk ? Rgb::hex(0x24402a) : Rgb::hex(0x4f8a34);
    for (int layer = 0; layer < 5; ++layer) {
        double base = h * (0.45 + layer * 0.1);
        Rgb c = far.mix(near, layer / 4.0);
        cairo_move_to(cr, 0, h);
        double phase = rng.range(0, 6), amp = rng.range(15, 35), len = rng.range(180, 320);
        for (int x = 0; x <= w; x += 8) cairo_line_to(cr, x, base - amp * std::sin(x / len + phase) - 10 * std::sin(x / 57.0 + phase * 2));
        cairo_line_to(cr, w, h);
        cairo_close_path(cr);
        setColour(cr, c);
        cairo_fill(cr);
        // trees on the nearer hills
        if (layer >= 2) {
            for (int i = 0; i < 10 + layer * 4; ++i) {
                double x = rng.range(0, w);
                double y = base - amp * std::sin(x / len + phase) - 10 * std::sin(x / 57.0 + phase * 2) + rng.range(4, 30);
                double r = 5 + layer * 2.2 + rng.range(0, 3);
                setColour(cr, c.darker(0.25));
                cairo_arc(cr, x, y, r, 0, 2 * PI);
                cairo_fill(cr);
                setColour(cr, c.lighter(0.12));
                cairo_arc(cr, x - r * 0.3, y - r * 0.3, r * 0.55, 0, 2 * PI);
                cairo_fill(cr);
            }
        }
    }
}

void glowOrb(cairo_t* cr, double cx, double cy, double r) {
    cairo_pattern_t* g = cairo_pattern_create_radial(cx, cy, 0, cx, cy, r * 2.5);
    cairo_pattern_add_color_stop_rgba(g, 0, 1, 0.85, 0.5, 0.6);
    cairo_pattern_add_color_stop_rgba(g, 1, 1, 0.6, 0.2, 0);
    cairo_set_source(cr, g);
    cairo_arc(cr, cx, cy, r * 2.5, 0, 2 * PI);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
    GizmoPainter::paintBall(cr, cx, cy, r);
}

// A menu button cell: the label on a plaque; the highlighted frame glows.
void menuButton(cairo_t* cr, double x, double y, double w, double h, const std::string& label, bool lit, double size,
                bool leftAligned = false, double textLeft = 10) {
    if (lit) FramePainter::softGlow(cr, x, y, w, h, h / 2, Rgb::hex(0xffd98a), 0.45);
    FramePainter::plaque(cr, x + 4, y + 4, w - 8, h - 9, (h - 9) / 2.2, lit);
    if (lit) {
        // A gold ring: the chosen button shows from across the room.
        roundedRect(cr, x + 3, y + 3, w - 6, h - 7, (h - 7) / 2.2);
        setColour(cr, trim.lighter(0.25));
        cairo_set_line_width(cr, 2.5);
        cairo_stroke(cr);
    }
    Rgb fill = lit ? Rgb::hex(0xffe7a0) : cream;
    double baseline = y + h / 2 + size * 0.36 - 1;
    if (leftAligned) drawLabel(cr, label, x + textLeft, baseline, size, Font::SansBold, fill, ink, Align::Left, 2.5);
    else drawLabel(cr, label, x + w / 2, baseline, size, Font::SansBold, fill, ink, Align::Centre, 2.5);
}

double fitSize(cairo_t* cr, const std::string& text, double size, double width, Font f) {
    while (size > 8 && textWidth(cr, text, size, f) > width) size -= 0.5;
    return size;
}

void instructionsCard(cairo_t* cr, bool lit) {
    const double W = 325, H = 402;
    MenuPainter::parchment(cr, 4, 4, W - 8, H - 8);
    if (lit) {
        roundedRect(cr, 5, 5, W - 10, H - 10, 14);
        setColour(cr, Rgb::hex(0xffcf6a), 0.9);
        cairo_set_line_width(cr, 3);
        cairo_stroke(cr);
    }
    setColour(cr, inkBrown);
    drawText(cr, "How to play", W / 2, 40, 23, Font::SerifBold, Align::Centre);
    struct Row {
        int icon;
        const char* head;
        const char* text;
    };
    // One line each, so every key the game knows fits on the card.
    const Row rows[] = {
        {0, "Roll", "Arrow keys, or click beside the ball."},
        {1, "Goal", "Reach the sparkling cell."},
        {2, "Undo", "U or Backspace takes back a move."},
        {3, "Hint", "H shows the best next move."},
        {4, "Restart", "R or Restart starts the level again."},
        {5, "Skip", "S or Skip moves on; L brings it back."},
        {6, "Levels", "L here chooses any level reached."},
        {7, "Menu", "Esc or Menu comes back here."},
    };
    double y = 54;
    for (const Row& r : rows) {
        double cx = 30, cy = y + 19;
        cairo_save(cr);
        cairo_arc(cr, cx, cy, 17, 0, 2 * PI);
        setColour(cr, Rgb::hex(0x2a3450));
        cairo_fill(cr);
        switch (r.icon) {
            case 0: {
                GizmoPainter::paintBall(cr, cx - 4, cy, 8);
                cairo_move_to(cr, cx + 7, cy - 5);
                cairo_line_to(cr, cx + 13, cy);
                cairo_line_to(cr, cx + 7, cy + 5);
                setColour(cr, {1, 0.95, 0.8});
                cairo_set_line_width(cr, 2.5);
                cairo_stroke(cr);
                break;
            }
            case 1: {
                cairo_pattern_t* g = cairo_pattern_create_radial(cx, cy, 0, cx, cy, 16);
                cairo_pattern_add_color_stop_rgba(g, 0, 1, 0.8, 0.4, 1);
                cairo_pattern_add_color_stop_rgba(g, 1, 1, 0.4, 0, 0);
                cairo_set_source(cr, g);
                cairo_arc(cr, cx, cy, 16, 0, 2 * PI);
                cairo_fill(cr);
                cairo_pattern_destroy(g);
                break;
            }
            default: {
                const char* keys[] = {"U", "H", "R", "S", "L", "Esc"};
                setColour(cr, cream);
                drawText(cr, keys[r.icon - 2], cx, cy + 6, r.icon == 7 ? 11 : 16, Font::SansBold, Align::Centre);
                break;
            }
        }
        cairo_restore(cr);
        setColour(cr, inkBrown);
        drawText(cr, r.head, 56, y + 15, 14, Font::SansBold);
        setColour(cr, inkBrown.lighter(0.15));
        drawText(cr, r.text, 56, y + 32, 12, Font::Sans);
        y += 40;
    }
    setColour(cr, inkBrown.lighter(0.3));
    drawText(cr, "Enter, Esc or a click closes", W / 2, H - 14, 11, Font::Sans, Align::Centre);
}

}  // namespace

void MenuPainter::title(cairo_t* cr, double cx, double baseline, double size) {
    const std::string t = "Quillmere";
    double w = textWidth(cr, t, size, Font::SerifBold);
    double x = cx - w / 2;
    cairo_save(cr);
    cairo_new_path(cr);
    cairo_move_to(cr, x + 3, baseline + 4);
    cairo_text_path(cr, t.c_str());
    setColour(cr, {0, 0, 0}, 0.45);
    cairo_fill(cr);
    cairo_move_to(cr, x, baseline);
    cairo_text_path(cr, t.c_str());
    setColour(cr, ink);
    cairo_set_line_width(cr, size / 10);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke_preserve(cr);
    cairo_pattern_t* g = cairo_pattern_create_linear(0, baseline - size * 0.8, 0, baseline);
    cairo_pattern_add_color_stop_rgb(g, 0, 1, 0.95, 0.7);
    cairo_pattern_add_color_stop_rgb(g, 0.5, 0.95, 0.75, 0.3);
    cairo_pattern_add_color_stop_rgb(g, 1, 0.7, 0.45, 0.15);
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
    cairo_restore(cr);
}

void MenuPainter::parchment(cairo_t* cr, double x, double y, double w, double h) {
    roundedRect(cr, x + 3, y + 5, w, h, 16);
    setColour(cr, {0, 0, 0}, 0.35);
    cairo_fill(cr);
    roundedRect(cr, x, y, w, h, 16);
    cairo_pattern_t* g = cairo_pattern_create_radial(x + w / 2, y + h / 2, std::min(w, h) * 0.2, x + w / 2, y + h / 2, std::max(w, h) * 0.7);
    cairo_pattern_add_color_stop_rgb(g, 0, 0.98, 0.94, 0.84);
    cairo_pattern_add_color_stop_rgb(g, 1, 0.86, 0.77, 0.6);
    cairo_set_source(cr, g);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(g);
    setColour(cr, Rgb::hex(0x6a4a2a));
    cairo_set_line_width(cr, 2.5);
    cairo_stroke(cr);
    roundedRect(cr, x + 7, y + 7, w - 14, h - 14, 11);
    setColour(cr, Rgb::hex(0xa8844a), 0.7);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
}

void MenuPainter::panel(cairo_t* cr, double x, double y, double w, double h) {
    roundedRect(cr, x + 3, y + 5, w, h, 14);
    setColour(cr, {0, 0, 0}, 0.4);
    cairo_fill(cr);
    roundedRect(cr, x, y, w, h, 14);
    cairo_pattern_t* g = cairo_pattern_create_linear(x, y, x, y + h);
    // Opaque: nothing of the screen below shows through.
    cairo_pattern_add_color_stop_rgb(g, 0, 0.16, 0.2, 0.32);
    cairo_pattern_add_color_stop_rgb(g, 1, 0.08, 0.1, 0.17);
    cairo_set_source(cr, g);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(g);
    setColour(cr, ink);
    cairo_set_line_width(cr, 3);
    cairo_stroke_preserve(cr);
    setColour(cr, trim);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
}

int MenuPainter::writeAll(const std::string& media) {
    int failures = 0;

    // splash
    {
        auto c = Canvas::create(800, 600);
        cairo_t* cr = c->cr();
        landscape(cr, 800, 600, 5, true);
        glowOrb(cr, 400, 150, 34);
        title(cr, 400, 330, 110);
        drawLabel(cr, "a rolling puzzle journey", 400, 380, 24, Font::Serif, cream, ink, Align::Centre, 3);
        failures += save(c, media + "/logo.png");
    }

    // title postcard: buttons sit in a column centred at x 226 (y 242..342), Quit at (146, 559)
    {
        auto c = Canvas::create(800, 600);
        cairo_t* cr = c->cr();
        landscape(cr, 800, 600, 11, false);
        // a postcard of a board, tilted on the right
        auto scene = ContactSheet::scene(0);
        cairo_save(cr);
        cairo_translate(cr, 590, 330);
        cairo_rotate(cr, 0.07);
        double sw = 340, sh = 255;
        cairo_rectangle(cr, -sw / 2 - 10 + 4, -sh / 2 - 10 + 6, sw + 20, sh + 20);
        setColour(cr, {0, 0, 0}, 0.35);
        cairo_fill(cr);
        cairo_rectangle(cr, -sw / 2 - 10, -sh / 2 - 10, sw + 20, sh + 20);
        setColour(cr, Rgb::hex(0xf8f2e4));
        cairo_fill(cr);
        cairo_translate(cr, -sw / 2, -sh / 2);
        cairo_scale(cr, sw / 800, sh / 600);
        cairo_set_source_surface(cr, scene->surface(), 0, 0);
        cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_GOOD);
        cairo_paint(cr);
        cairo_restore(cr);
        // the column behind the buttons
        roundedRect(cr, 82, 205, 288, 176, 20);
        setColour(cr, Rgb::hex(0x10182a), 0.45);
        cairo_fill(cr);
        title(cr, 226, 150, 72);
        drawLabel(cr, "a rolling puzzle journey", 226, 185, 18, Font::Serif, cream, ink, Align::Centre, 3);
        c->saveJpeg(media + "/postcard.jpg", 92) ? void() : void(++failures);
    }

    // main menu strip: 5 slots x 2 frames of 256 x 50
    {
        auto c = Canvas::create(256 * 10, 50);
        // Slot 1 opens the card titled "How to play", and says so.
        const char* labels[5] = {"Play", "How to play", "Options", "", "Quit"};
        for (int i = 0; i < 5; ++i)
            for (int lit = 0; lit < 2; ++lit) {
                if (i == 3) continue;  // never shown
                menuButton(c->cr(), (2 * i + lit) * 256 + 18, 0, 220, 50, labels[i], lit, 22);
            }
        failures += save(c, media + "/mainMenu.png");
    }

    // the submenu panel at (430, 145): options column and the instructions card
    {
        auto c = Canvas::create(330, 410);
        panel(c->cr(), 2, 2, 326, 404);
        // the instructions card covers this heading; the options show it
        drawLabel(c->cr(), "Options", 165, 46, 24, Font::SerifBold, Rgb::hex(0xffe7a0), ink, Align::Centre, 3);
        failures += save(c, media + "/submenu1.png");
    }

    // options labels, 154 x 30: text left of the yes/no box and the sliders
    {
        auto c = Canvas::create(154 * 10, 30);
        cairo_t* cr = c->cr();
        // Short labels, all one size: the slider bars start 130 pixels in.
        const char* labels[5] = {"Full screen", "Effects", "Music", "Reset profile", "Back"};
        for (int i = 0; i < 5; ++i)
            for (int lit = 0; lit < 2; ++lit) {
                double x = (2 * i + lit) * 154;
                bool widgetRow = i <= 2;
                double room = widgetRow ? (i == 0 ? 120 : 96) : 140;
                double size = fitSize(cr, labels[i], 15, room, Font::SansBold);
                if (lit) FramePainter::softGlow(cr, x, 1, widgetRow ? room + 8 : 154, 28, 12, Rgb::hex(0xffd98a), 0.5);
                Rgb fill = lit ? Rgb::hex(0xffe7a0) : cream;
                if (widgetRow) drawLabel(cr, labels[i], x + 4, 20, size, Font::SansBold, fill, ink, Align::Left, 2.5);
                else {
                    FramePainter::plaque(cr, x + 10, 3, 134, 24, 10, lit);
                    drawLabel(cr, labels[i], x + 77, 20, size, Font::SansBold, fill, ink, Align::Centre, 2.5);
                }
            }
        failures += save(c, media + "/menuOptions.png");
    }

    // instructions: one large button of 325 x 402, normal and highlighted
    {
        auto c = Canvas::create(325 * 2, 402);
        cairo_t* cr = c->cr();
        instructionsCard(cr, false);
        cairo_save(cr);
        cairo_translate(cr, 325, 0);
        instructionsCard(cr, true);
        cairo_restore(cr);
        failures += save(c, media + "/menuInstructions.png");
    }

    // reset-profile box at (230, 205), buttons centred at x 100, y 90 and 150
    {
        auto c = Canvas::create(200, 190);
        cairo_t* cr = c->cr();
        panel(cr, 2, 2, 196, 186);
        drawLabel(cr, "Reset profile?", 100, 32, 17, Font::SansBold, Rgb::hex(0xffe7a0), ink, Align::Centre, 2.5);
        setColour(cr, cream);
        drawText(cr, "All your progress", 100, 52, 12, Font::Sans, Align::Centre);
        drawText(cr, "will be forgotten.", 100, 67, 12, Font::Sans, Align::Centre);
        failures += save(c, media + "/submenu2.png");
    }
    {
        auto c = Canvas::create(158 * 4, 30);
        const char* labels[2] = {"Yes", "No"};
        for (int i = 0; i < 2; ++i)
            for (int lit = 0; lit < 2; ++lit) menuButton(c->cr(), (2 * i + lit) * 158 + 10, 0, 138, 30, labels[i], lit, 15);
        failures += save(c, media + "/menuResetProf.png");
    }

    // yes/no box, 2 cells of 30 x 30 (off, on)
    {
        auto c = Canvas::create(60, 30);
        cairo_t* cr = c->cr();
        for (int on = 0; on < 2; ++on) {
            double x = on * 30;
            roundedRect(cr, x + 4, 4, 22, 22, 5);
            setColour(cr, Rgb::hex(0x0e1220));
            cairo_fill_preserve(cr);
            setColour(cr, trim);
            cairo_set_line_width(cr, 2);
            cairo_stroke(cr);
            if (on) {
                cairo_move_to(cr, x + 9, 15);
                cairo_line_to(cr, x + 14, 21);
                cairo_line_to(cr, x + 23, 8);
                setColour(cr, Rgb::hex(0x8af07a));
                cairo_set_line_width(cr, 3.5);
                cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
                cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
                cairo_stroke(cr);
            }
        }
        failures += save(c, media + "/menuYesNo.png");
    }

    // slider: a bar of length 100 and a knob 20 wide, both drawn from the same top edge
    {
        auto bar = Canvas::create(100, 20);
        cairo_t* cr = bar->cr();
        roundedRect(cr, 1, 7, 98, 7, 3.5);
        setColour(cr, Rgb::hex(0x0e1220));
        cairo_fill_preserve(cr);
        setColour(cr, trim.darker(0.2));
        cairo_set_line_width(cr, 1.2);
        cairo_stroke(cr);
        for (int i = 0; i <= 4; ++i) {
            cairo_rectangle(cr, 1 + i * 24.5, 16, 1, 3);
            setColour(cr, trim, 0.6);
            cairo_fill(cr);
        }
        failures += save(bar, media + "/sliderBack.png");
        auto knob = Canvas::create(20, 20);
        cr = knob->cr();
        cairo_arc(cr, 10, 10.5, 8, 0, 2 * PI);
        cairo_pattern_t* g = cairo_pattern_create_radial(7, 7, 1, 10, 10, 9);
        cairo_pattern_add_color_stop_rgb(g, 0, 1, 0.95, 0.75);
        cairo_pattern_add_color_stop_rgb(g, 1, 0.75, 0.5, 0.2);
        cairo_set_source(cr, g);
        cairo_fill_preserve(cr);
        cairo_pattern_destroy(g);
        setColour(cr, ink);
        cairo_set_line_width(cr, 1.5);
        cairo_stroke(cr);
        failures += save(knob, media + "/sliderX.png");
    }

    // the tutorial panel at (64, 64) under the 640 x 448 page
    {
        auto c = Canvas::create(640, 448);
        parchment(c->cr(), 6, 6, 628, 436);
        failures += save(c, media + "/blank.png");
    }
    return failures;
}

}  // namespace qm
