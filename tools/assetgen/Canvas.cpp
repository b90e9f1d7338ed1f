// Cairo surfaces, PNG and JPEG output, and text in the DejaVu fonts.
#include "Canvas.h"

#include <cairo-ft.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include <jpeglib.h>

#include <cstdio>
#include <map>
#include <sstream>
#include <vector>

namespace qm {

namespace {

const char* fontPath(Font f) {
    switch (f) {
        case Font::Sans: return "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
        case Font::SansBold: return "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf";
        case Font::Serif: return "/usr/share/fonts/truetype/dejavu/DejaVuSerif.ttf";
        case Font::SerifBold: return "/usr/share/fonts/truetype/dejavu/DejaVuSerif-Bold.ttf";
        case Font::Mono: return "/usr/share/fonts/truetype/dejavu/DejaVuSansMono-Bold.ttf";
    }
    return "";
}

FT_Library ftLibrary = nullptr;
std::map<Font, cairo_font_face_t*> faces;

cairo_font_face_t* face(Font f) {
    auto it = faces.find(f);
    if (it != faces.end()) return it->second;
    if (!ftLibrary && FT_Init_FreeType(&ftLibrary) != 0) return nullptr;
    FT_Face ft = nullptr;
    if (FT_New_Face(ftLibrary, fontPath(f), 0, &ft) != 0) {
        std::fprintf(stderr, "assetgen: missing font %s (install fonts-dejavu-core)\n", fontPath(f));
        std::exit(1);
    }
    cairo_font_face_t* cf = cairo_ft_font_face_create_for_ft_face(ft, 0);
    faces[f] = cf;
    return cf;
}

void selectFont(cairo_t* cr, double size, Font f, bool hinted = false) {
    cairo_set_font_face(cr, face(f));
    cairo_set_font_size(cr, size);
    // Fixed rendering options: the same pixels whatever the desktop settings.
    cairo_font_options_t* o = cairo_font_options_create();
    cairo_font_options_set_antialias(o, CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_hint_style(o, hinted ? CAIRO_HINT_STYLE_SLIGHT : CAIRO_HINT_STYLE_NONE);
    cairo_font_options_set_hint_metrics(o, hinted ? CAIRO_HINT_METRICS_ON : CAIRO_HINT_METRICS_OFF);
    cairo_set_font_options(cr, o);
    cairo_font_options_destroy(o);
}

cairo_status_t appendBytes(void* closure, const unsigned char* data, unsigned int length) {
    static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
    return CAIRO_STATUS_SUCCESS;
}

}  // namespace

std::shared_ptr<Canvas> Canvas::create(int width, int height) {
    std::shared_ptr<Canvas> c(new Canvas());
    c->w = width;
    c->h = height;
    c->surf = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
    c->context = cairo_create(c->surf);
    return c;
}

Canvas::~Canvas() {
    if (context) cairo_destroy(context);
    if (surf) cairo_surface_destroy(surf);
}

unsigned char* Canvas::data() {
    cairo_surface_flush(surf);
    return cairo_image_surface_get_data(surf);
}

int Canvas::stride() const { return cairo_image_surface_get_stride(surf); }

bool Canvas::savePng(const std::string& path) const {
    cairo_surface_flush(surf);
    return cairo_surface_write_to_png(surf, path.c_str()) == CAIRO_STATUS_SUCCESS;
}

std::string Canvas::pngBytes() const {
    std::string out;
    cairo_surface_flush(surf);
    cairo_surface_write_to_png_stream(surf, appendBytes, &out);
    return out;
}

bool Canvas::saveJpeg(const std::string& path, int quality) const {
    cairo_surface_flush(surf);
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    jpeg_compress_struct cinfo;
    jpeg_error_mgr jerr;
    cinfo.err = jpeg_std_error(&jerr);
    jpeg_create_compress(&cinfo);
    jpeg_stdio_dest(&cinfo, f);
    cinfo.image_width = JDIMENSION(w);
    cinfo.image_height = JDIMENSION(h);
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE);
    cinfo.optimize_coding = TRUE;
    jpeg_start_compress(&cinfo, TRUE);
    const unsigned char* src = cairo_image_surface_get_data(surf);
    int st = cairo_image_surface_get_stride(surf);
    std::vector<unsigned char> row(size_t(w) * 3);
    while (cinfo.next_scanline < cinfo.image_height) {
        const uint32_t* p = reinterpret_cast<const uint32_t*>(src + size_t(cinfo.next_scanline) * st);
        for (int x = 0; x < w; ++x) {
            // JPEG has no alpha: composite over black as the game's drawing would
            row[size_t(x) * 3] = (p[x] >> 16) & 255;
            row[size_t(x) * 3 + 1] = (p[x] >> 8) & 255;
            row[size_t(x) * 3 + 2] = p[x] & 255;
        }
        JSAMPROW rp = row.data();
        jpeg_write_scanlines(&cinfo, &rp, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    return std::fclose(f) == 0;
}

void setColour(cairo_t* cr, const Rgb& c, double alpha) { cairo_set_source_rgba(cr, c.r, c.g, c.b, alpha); }

void roundedRect(cairo_t* cr, double x, double y, double w, double h, double r) {
    const double pi = 3.14159265358979;
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - r, y + r, r, -pi / 2, 0);
    cairo_arc(cr, x + w - r, y + h - r, r, 0, pi / 2);
    cairo_arc(cr, x + r, y + h - r, r, pi / 2, pi);
    cairo_arc(cr, x + r, y + r, r, pi, 1.5 * pi);
    cairo_close_path(cr);
}

double textWidth(cairo_t* cr, const std::string& text, double size, Font font) {
    selectFont(cr, size, font);
    cairo_text_extents_t e;
    cairo_text_extents(cr, text.c_str(), &e);
    return e.x_advance;
}

double drawText(cairo_t* cr, const std::string& text, double x, double y, double size, Font font, Align align) {
    double tw = textWidth(cr, text, size, font);
    if (align == Align::Centre) x -= tw / 2;
    if (align == Align::Right) x -= tw;
    cairo_move_to(cr, x, y);
    cairo_show_text(cr, text.c_str());
    return tw;
}

void drawLabel(cairo_t* cr, const std::string& text, double x, double y, double size, Font font, const Rgb& fill,
               const Rgb& outline, Align align, double outlineWidth) {
    double tw = textWidth(cr, text, size, font);
    if (align == Align::Centre) x -= tw / 2;
    if (align == Align::Right) x -= tw;
    cairo_save(cr);
    cairo_new_path(cr);
    cairo_move_to(cr, x + 1, y + 2);
    cairo_text_path(cr, text.c_str());
    setColour(cr, {0, 0, 0}, 0.35);
    cairo_set_line_width(cr, outlineWidth + 1);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke(cr);
    cairo_move_to(cr, x, y);
    cairo_text_path(cr, text.c_str());
    setColour(cr, outline);
    cairo_set_line_width(cr, outlineWidth);
    cairo_stroke_preserve(cr);
    setColour(cr, fill);
    cairo_fill(cr);
    cairo_restore(cr);
}

double drawParagraph(cairo_t* cr, const std::string& text, double x, double y, double width, double size, Font font,
                     double lineGap) {
    std::istringstream in(text);
    std::string word, line;
    auto flush = [&]() {
        if (line.empty()) return;
        cairo_move_to(cr, x, y);
        cairo_show_text(cr, line.c_str());
        y += size * lineGap;
        line.clear();
    };
    selectFont(cr, size, font);
    while (in >> word) {
        std::string trial = line.empty() ? word : line + " " + word;
        if (textWidth(cr, trial, size, font) > width && !line.empty()) {
            flush();
            line = word;
        } else {
            line = trial;
        }
    }
    flush();
    return y;
}

void useFont(cairo_t* cr, double size, Font font, bool hinted) { selectFont(cr, size, font, hinted); }

void releaseFonts() {
    for (auto& [f, cf] : faces) cairo_font_face_destroy(cf);
    faces.clear();
}

}  // namespace qm
