// A treasure chest with the glowing ball resting on it, on a rounded tile;
// stored as a PNG inside a one-entry ICO directory (the window's icon) and as
// PNG files of every theme size (the desktop entry's icon).
#include "IconWriter.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>

#include "ByteFile.h"
#include "Canvas.h"
#include "GizmoPainter.h"

namespace qm {

using bytefile::put16;
using bytefile::put32;

namespace {

const int themeSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};

// Drawn on a 64-unit grid and scaled. Below 32 pixels the straps, the lock and
// the thin outlines would smear into a brown blur, so the small icons keep the
// tile, the chest and the ball, with outlines a whole pixel wide.
std::shared_ptr<Canvas> paint(int pixels) {
    auto c = Canvas::create(pixels, pixels);
    cairo_t* cr = c->cr();
    double unit = pixels / 64.0;
    bool small = pixels < 32;
    cairo_scale(cr, unit, unit);
    double line = small ? 1.0 / unit : 2;
    roundedRect(cr, 2, 2, 60, 60, 12);
    cairo_pattern_t* g = cairo_pattern_create_linear(0, 0, 0, 64);
    cairo_pattern_add_color_stop_rgb(g, 0, 0.2, 0.25, 0.4);
    cairo_pattern_add_color_stop_rgb(g, 1, 0.08, 0.1, 0.18);
    cairo_set_source(cr, g);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(g);
    setColour(cr, Rgb::hex(0xe2b85a));
    cairo_set_line_width(cr, line);
    cairo_stroke(cr);
    // the chest
    roundedRect(cr, 12, 30, 40, 24, 3);
    setColour(cr, Rgb::hex(0x8a5a30));
    cairo_fill_preserve(cr);
    setColour(cr, Rgb::hex(0x2a1a10));
    cairo_set_line_width(cr, line);
    cairo_stroke(cr);
    roundedRect(cr, 12, 24, 40, 11, 5);
    setColour(cr, Rgb::hex(0xa87040));
    cairo_fill_preserve(cr);
    setColour(cr, Rgb::hex(0x2a1a10));
    cairo_stroke(cr);
    if (!small) {
        cairo_rectangle(cr, 29, 31, 6, 8);
        setColour(cr, Rgb::hex(0xf2c95a));
        cairo_fill(cr);
        for (double x : {18.0, 44.0}) {
            cairo_rectangle(cr, x, 24, 3, 30);
            setColour(cr, Rgb::hex(0xd8a848));
            cairo_fill(cr);
        }
    }
    GizmoPainter::paintBall(cr, 32, 15, small ? 13 : 11);
    return c;
}

}  // namespace

bool IconWriter::write(const std::string& icoPath) {
    auto c = paint(size);
    std::string png = c->pngBytes();
    std::string ico;
    put16(ico, 0);
    put16(ico, 1);  // icon
    put16(ico, 1);  // one image
    ico.push_back(char(size));
    ico.push_back(char(size));
    ico.push_back(0);  // no palette
    ico.push_back(0);
    put16(ico, 1);   // planes
    put16(ico, 32);  // bits per pixel
    put32(ico, uint32_t(png.size()));
    put32(ico, 22);  // the image follows the directory
    ico += png;
    return bytefile::writeBytes(ico, icoPath);
}

int IconWriter::writeThemeSizes(const std::string& dir) {
    int failures = 0;
    for (int pixels : themeSizes) {
        std::string folder = dir + "/" + std::to_string(pixels) + "x" + std::to_string(pixels) + "/apps";
        std::filesystem::create_directories(folder);
        if (!paint(pixels)->savePng(folder + "/quillmere.png")) {
            std::fprintf(stderr, "assetgen: could not write %s/quillmere.png\n", folder.c_str());
            failures++;
        }
    }
    return failures;
}

}  // namespace qm
