// A Cairo drawing surface with the writers the game's files need (PNG, JPEG),
// plus the colour and text helpers shared by every painter.
#pragma once
#include <cairo.h>

#include <memory>
#include <string>

namespace qm {

struct Rgb {
    double r = 0, g = 0, b = 0;
    Rgb mix(const Rgb& o, double t) const { return {r + (o.r - r) * t, g + (o.g - g) * t, b + (o.b - b) * t}; }
    Rgb scale(double k) const { return {r * k, g * k, b * k}; }
    Rgb lighter(double t) const { return mix({1, 1, 1}, t); }
    Rgb darker(double t) const { return mix({0, 0, 0}, t); }
    double luma() const { return 0.299 * r + 0.587 * g + 0.114 * b; }
    static Rgb hex(unsigned v) { return {((v >> 16) & 255) / 255.0, ((v >> 8) & 255) / 255.0, (v & 255) / 255.0}; }
};

enum class Font { Sans, SansBold, Serif, SerifBold, Mono };
enum class Align { Left, Centre, Right };

class Canvas {
public:
    static std::shared_ptr<Canvas> create(int width, int height);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    cairo_t* cr() const { return context; }
    cairo_surface_t* surface() const { return surf; }
    int width() const { return w; }
    int height() const { return h; }

    bool savePng(const std::string& path) const;
    bool saveJpeg(const std::string& path, int quality) const;
    // The PNG bytes, for the icon.
    std::string pngBytes() const;

    // Per-pixel access for procedural fills (premultiplied ARGB32).
    unsigned char* data();
    int stride() const;

private:
    Canvas() = default;
    int w = 0, h = 0;
    cairo_surface_t* surf = nullptr;
    cairo_t* context = nullptr;
};

void setColour(cairo_t* cr, const Rgb& c, double alpha = 1.0);
void roundedRect(cairo_t* cr, double x, double y, double w, double h, double r);
// Text in one of the DejaVu faces, baseline at y; returns the advance width.
double drawText(cairo_t* cr, const std::string& text, double x, double y, double size, Font font,
                Align align = Align::Left);
double textWidth(cairo_t* cr, const std::string& text, double size, Font font);
// Text with a soft outline and shadow so it reads on any picture.
void drawLabel(cairo_t* cr, const std::string& text, double x, double y, double size, Font font, const Rgb& fill,
               const Rgb& outline, Align align = Align::Centre, double outlineWidth = 3.0);
// A rule-wrapped paragraph; returns the y below it.
double drawParagraph(cairo_t* cr, const std::string& text, double x, double y, double width, double size, Font font,
                     double lineGap = 1.35);
// Makes a face current for cairo's own text calls; hinted snaps stems and
// advances to whole pixels (small text the game sets glyph by glyph).
void useFont(cairo_t* cr, double size, Font font, bool hinted);
// Releases the font faces (at exit).
void releaseFonts();

}  // namespace qm
