// Glyph grids: character c has its edge in cell 2 (c - 32) and its fill in the
// next one. A line is drawn in two passes, every edge and then every fill, so
// no letter's edge eats into its neighbour.
#include "play/TextFace.h"

#include <array>
#include <cmath>
#include <sstream>
#include <vector>

#include "runtime/Files.h"
#include "runtime/Graphics.h"
#include "runtime/Image.h"

namespace qm {

namespace {

constexpr int kFirst = 32, kLast = 126, kGlyphs = kLast - kFirst + 1;
const char* const kNames[TextFace::FACE_COUNT] = {"fontLabel", "fontSmall", "fontTitle"};
// What the built-in font stands in with: its 8 x 16 cell, baseline at 12.
constexpr int kFallbackAdvance = 8, kFallbackBaseline = 12, kFallbackLine = 16;

struct LoadedFace {
    ImagePtr glyphs;
    int cellW = 0, cellH = 0, originX = 0, baseline = 0;
    std::array<int, kGlyphs> advance{};
};

std::array<LoadedFace, TextFace::FACE_COUNT> faces;

bool readMeasures(const std::string& path, LoadedFace& face) {
    std::vector<uint8_t> bytes;
    if (!readWholeFile(path, bytes)) return false;
    std::istringstream in(std::string(bytes.begin(), bytes.end()));
    if (!(in >> face.cellW >> face.cellH >> face.originX >> face.baseline)) return false;
    for (int& a : face.advance)
        if (!(in >> a) || a < 0 || a > face.cellW) return false;
    return face.cellW > 0 && face.cellH > 0;
}

bool printable(char c) { return c >= kFirst && c <= kLast; }

}  // namespace

void TextFace::load() {
    int mid = autoMidHandle();
    setAutoMidHandle(0);
    for (int f = 0; f < FACE_COUNT; ++f) {
        LoadedFace face;
        std::string base = std::string("media\\") + kNames[f];
        if (readMeasures(base + ".txt", face))
            face.glyphs = loadAnimImage(base + ".png", face.cellW, face.cellH, 0, 2 * kGlyphs, -1);
        faces[size_t(f)] = face;
    }
    setAutoMidHandle(mid);
}

void TextFace::forget() { faces = {}; }

bool TextFace::loaded(Face face) { return faces[size_t(face)].glyphs != nullptr; }

int TextFace::width(Face face, const std::string& text) {
    const LoadedFace& f = faces[size_t(face)];
    int w = 0;
    for (char c : text)
        if (printable(c)) w += f.glyphs ? f.advance[size_t(c - kFirst)] : kFallbackAdvance;
    return w;
}

int TextFace::lineHeight(Face face) {
    const LoadedFace& f = faces[size_t(face)];
    return f.glyphs ? f.cellH - 4 : kFallbackLine;
}

void TextFace::draw(Face face, const std::string& text, float x, float y, Align align) {
    const LoadedFace& f = faces[size_t(face)];
    int w = width(face, text);
    // Whole pixels: a glyph between two pixels is drawn soft.
    float left = std::round(align == CENTRE ? x - float(w / 2) : align == RIGHT ? x - float(w) : x);
    float top = std::round(y) - float(f.glyphs ? f.baseline : kFallbackBaseline);
    if (!f.glyphs) {
        drawText(text, left, top);
        return;
    }
    int r = colourRed(), g = colourGreen(), b = colourBlue();
    for (int pass = 0; pass < 2; ++pass) {
        // The edge keeps its own dark colour; the fill takes the caller's.
        if (pass == 0) setColour(255, 255, 255);
        else setColour(r, g, b);
        float pen = left;
        for (char c : text) {
            if (!printable(c)) continue;
            int glyph = c - kFirst;
            if (c != ' ') drawImage(f.glyphs, pen - float(f.originX), top, 2 * glyph + pass);
            pen += float(f.advance[size_t(glyph)]);
        }
    }
}

}  // namespace qm
