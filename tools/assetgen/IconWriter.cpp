// A treasure chest with the glowing ball resting on it, on a rounded tile;
// stored as a PNG inside a one-entry ICO directory (the window's icon), as
// the PNG itself (the desktop entry's icon), and drawn again eight times as
// large for the browser version's home-screen icon.
#include "IconWriter.h"

#include <cstdint>
#include <cstdio>

#include "ByteFile.h"
#include "Canvas.h"
#include "GizmoPainter.h"

namespace qm {

using bytefile::put16;
using bytefile::put32;

namespace {

// The picture on a 64-unit square, scaled to the canvas.
std::string paint(int pixels) {
    auto c = Canvas::create(pixels, pixels);
    cairo_t* cr = c->cr();
    cairo_scale(cr, pixels / 64.0, pixels / 64.0);
    roundedRect(cr, 2, 2, 60, 60, 12);
    cairo_pattern_t* g = cairo_pattern_create_linear(0, 0, 0, 64);
    cairo_pattern_add_color_stop_rgb(g, 0, 0.2, 0.25, 0.4);
    cairo_pattern_add_color_stop_rgb(g, 1, 0.08, 0.1, 0.18);
    cairo_set_source(cr, g);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(g);
    setColour(cr, Rgb::hex(0xe2b85a));
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    // the chest
    roundedRect(cr, 12, 30, 40, 24, 3);
    setColour(cr, Rgb::hex(0x8a5a30));
    cairo_fill_preserve(cr);
    setColour(cr, Rgb::hex(0x2a1a10));
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    roundedRect(cr, 12, 24, 40, 11, 5);
    setColour(cr, Rgb::hex(0xa87040));
    cairo_fill_preserve(cr);
    setColour(cr, Rgb::hex(0x2a1a10));
    cairo_stroke(cr);
    cairo_rectangle(cr, 29, 31, 6, 8);
    setColour(cr, Rgb::hex(0xf2c95a));
    cairo_fill(cr);
    for (double x : {18.0, 44.0}) {
        cairo_rectangle(cr, x, 24, 3, 30);
        setColour(cr, Rgb::hex(0xd8a848));
        cairo_fill(cr);
    }
    GizmoPainter::paintBall(cr, 32, 15, 11);
    return c->pngBytes();
}

}  // namespace

bool IconWriter::write(const std::string& icoPath, const std::string& pngPath, const std::string& largePngPath) {
    std::string png = paint(size);
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
    return bytefile::writeBytes(ico, icoPath) && bytefile::writeBytes(png, pngPath) &&
           bytefile::writeBytes(paint(largeSize), largePngPath);
}

}  // namespace qm
