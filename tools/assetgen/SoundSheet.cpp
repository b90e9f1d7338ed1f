// Spectrograms on a logarithmic frequency axis (50 Hz to 16 kHz), one
// Hann-windowed FFT of 2048 samples per pixel column, coloured by level from
// -100 dB (dark) to -10 dB (pale yellow) in 5 dB steps.
#include "SoundSheet.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <cstdint>
#include <cstdio>

#include "Canvas.h"

namespace qm {

namespace {

const double PI = 3.14159265358979;
const int kWidth = 1200, kLeft = 64, kPlot = 1100;
const int kFft = 2048;
const double kLowHz = 50, kHighHz = 16000;

void fft(std::vector<std::complex<double>>& a) {
    const size_t n = a.size();
    for (size_t i = 1, j = 0; i < n; ++i) {
        size_t bit = n >> 1;
        for (; j & bit; bit >>= 1) j ^= bit;
        j ^= bit;
        if (i < j) std::swap(a[i], a[j]);
    }
    for (size_t len = 2; len <= n; len <<= 1) {
        std::complex<double> w(std::cos(-2 * PI / double(len)), std::sin(-2 * PI / double(len)));
        for (size_t i = 0; i < n; i += len) {
            std::complex<double> z(1);
            for (size_t k = 0; k < len / 2; ++k) {
                std::complex<double> u = a[i + k], v = a[i + k + len / 2] * z;
                a[i + k] = u + v;
                a[i + k + len / 2] = u - v;
                z *= w;
            }
        }
    }
}

Rgb heat(double x) {
    static const Rgb stops[] = {Rgb::hex(0x0b0b1e), Rgb::hex(0x35206a), Rgb::hex(0xa33a6c), Rgb::hex(0xef8a3c), Rgb::hex(0xfbee9a)};
    // in 18 steps of 5 dB: plenty to read, and the picture packs small
    x = std::round(std::clamp(x, 0.0, 1.0) * 18) / 18 * 4;
    int i = std::min(3, int(x));
    return stops[i].mix(stops[i + 1], x - i);
}

double mono(const StereoBuffer& s, size_t i) { return 0.5 * (double(s.left[i]) + double(s.right[i])); }

double yOfHz(double hz, double top, double height) {
    return top + height * (1 - std::log(hz / kLowHz) / std::log(kHighHz / kLowHz));
}

void spectrogram(Canvas& c, const StereoBuffer& s, double from, double seconds, int top, int height) {
    const size_t n = s.frames();
    std::vector<double> window(kFft);
    for (int i = 0; i < kFft; ++i) window[size_t(i)] = 0.5 - 0.5 * std::cos(2 * PI * i / (kFft - 1));
    unsigned char* data = c.data();
    std::vector<std::complex<double>> bins(kFft);
    for (int x = 0; x < kPlot; ++x) {
        // the loop goes round: a window at the very start reads the end
        double centre = (from + seconds * (x + 0.5) / kPlot) * s.rate;
        size_t first = (size_t(centre) + n * 4 - kFft / 2) % n;
        for (int i = 0; i < kFft; ++i) bins[size_t(i)] = mono(s, (first + size_t(i)) % n) * window[size_t(i)];
        fft(bins);
        for (int y = 0; y < height; ++y) {
            double hz = kLowHz * std::pow(kHighHz / kLowHz, 1 - (y + 0.5) / height);
            double bin = hz * kFft / s.rate;
            size_t b = std::min(size_t(kFft / 2 - 2), size_t(bin));
            double frac = bin - double(b);
            double mag = std::abs(bins[b]) * (1 - frac) + std::abs(bins[b + 1]) * frac;
            double db = 20 * std::log10(mag / (kFft / 4.0) + 1e-9);
            Rgb col = heat((db + 100) / 90);
            uint32_t* row = reinterpret_cast<uint32_t*>(data + size_t(top + y) * size_t(c.stride()));
            row[kLeft + x] = 0xff000000u | uint32_t(col.r * 255) << 16 | uint32_t(col.g * 255) << 8 | uint32_t(col.b * 255);
        }
    }
    cairo_surface_mark_dirty(c.surface());
    cairo_t* cr = c.cr();
    for (double hz : {100.0, 300.0, 1000.0, 3000.0, 10000.0}) {
        double y = yOfHz(hz, top, height);
        setColour(cr, {1, 1, 1}, 0.25);
        cairo_rectangle(cr, kLeft, y, kPlot, 1);
        cairo_fill(cr);
        setColour(cr, Rgb::hex(0x303040));
        std::string label = hz >= 1000 ? std::to_string(int(hz / 1000)) + " kHz" : std::to_string(int(hz)) + " Hz";
        drawText(cr, label, kLeft - 6, y + 4, 10, Font::Sans, Align::Right);
    }
    double step = seconds > 30 ? 10 : 1;
    for (double t = std::ceil(from / step) * step; t <= from + seconds + 1e-9; t += step) {
        double x = kLeft + (t - from) / seconds * kPlot;
        setColour(cr, Rgb::hex(0x303040));
        cairo_rectangle(cr, x, top + height, 1, 4);
        cairo_fill(cr);
        drawText(cr, std::to_string(int(t)) + " s", x, top + height + 15, 10, Font::Sans, Align::Centre);
    }
}

void waveform(cairo_t* cr, const StereoBuffer& s, int top, int height) {
    const size_t n = s.frames();
    const double mid = top + height / 2.0, half = height / 2.0;
    setColour(cr, Rgb::hex(0xe6e6ee));
    cairo_rectangle(cr, kLeft, top, kPlot, height);
    cairo_fill(cr);
    for (int x = 0; x < kPlot; ++x) {
        size_t a = n * size_t(x) / kPlot, b = n * size_t(x + 1) / kPlot;
        double lo = 0, hi = 0, sq = 0;
        for (size_t i = a; i < b; ++i) {
            double v = mono(s, i);
            lo = std::min(lo, v);
            hi = std::max(hi, v);
            sq += v * v;
        }
        double r = std::sqrt(sq / double(std::max<size_t>(1, b - a)));
        setColour(cr, Rgb::hex(0x5a6fb0));
        cairo_rectangle(cr, kLeft + x, mid - hi * half, 1, std::max(1.0, (hi - lo) * half));
        cairo_fill(cr);
        setColour(cr, Rgb::hex(0x1f2d5c));
        cairo_rectangle(cr, kLeft + x, mid - r * half, 1, std::max(1.0, 2 * r * half));
        cairo_fill(cr);
    }
    setColour(cr, Rgb::hex(0x303040));
    drawText(cr, "+1", kLeft - 6, top + 9, 10, Font::Sans, Align::Right);
    drawText(cr, "-1", kLeft - 6, top + height, 10, Font::Sans, Align::Right);
}

// The last and the first 20 ms side by side: the loop point in the middle.
void seam(cairo_t* cr, const StereoBuffer& s, int top, int height) {
    const size_t n = s.frames(), span = size_t(0.02 * s.rate);
    const double width = kPlot * 0.5, mid = top + height / 2.0;
    setColour(cr, Rgb::hex(0xe6e6ee));
    cairo_rectangle(cr, kLeft, top, width, height);
    cairo_fill(cr);
    double peak = 1e-6;
    for (size_t k = 0; k < 2 * span; ++k) {
        size_t i = (n - span + k) % n;
        peak = std::max({peak, std::fabs(double(s.left[i])), std::fabs(double(s.right[i]))});
    }
    for (int ch = 0; ch < 2; ++ch) {
        const std::vector<float>& v = ch ? s.right : s.left;
        setColour(cr, ch ? Rgb::hex(0xc0503a) : Rgb::hex(0x2f4f9f));
        cairo_set_line_width(cr, 1.2);
        for (size_t k = 0; k < 2 * span; ++k) {
            double x = kLeft + width * double(k) / double(2 * span - 1);
            double y = mid - v[(n - span + k) % n] / peak * height * 0.45;
            if (k == 0) cairo_move_to(cr, x, y);
            else cairo_line_to(cr, x, y);
        }
        cairo_stroke(cr);
    }
    setColour(cr, Rgb::hex(0x303040));
    cairo_rectangle(cr, kLeft + width / 2, top, 1, height);
    cairo_fill(cr);
    drawText(cr, "end | start (20 ms each; scaled to the largest sample there)", kLeft + width / 2, top + height + 14, 10,
             Font::Sans, Align::Centre);
}

}  // namespace

bool SoundSheet::write(const std::vector<Track>& tracks, const std::string& path) {
    const int wave = 70, spectrum = 190, zoom = 190, joint = 80, block = 34 + wave + 16 + spectrum + 30 + zoom + 30 + joint + 40;
    auto canvas = Canvas::create(kWidth, block * int(tracks.size()) + 10);
    cairo_t* cr = canvas->cr();
    setColour(cr, Rgb::hex(0xf7f7fa));
    cairo_paint(cr);
    int top = 10;
    for (const Track& t : tracks) {
        const StereoBuffer& s = *t.sound;
        double sum = 0, peak = 0;
        for (size_t i = 0; i < s.frames(); ++i) {
            sum += double(s.left[i]) * s.left[i] + double(s.right[i]) * s.right[i];
            peak = std::max({peak, std::fabs(double(s.left[i])), std::fabs(double(s.right[i]))});
        }
        char facts[160];
        std::snprintf(facts, sizeof facts, "%.1f s loop, peak %.2f, RMS %.1f dBFS", double(s.frames()) / s.rate, peak,
                      10 * std::log10(sum / double(2 * s.frames())));
        setColour(cr, Rgb::hex(0x202030));
        double w = drawText(cr, t.title, kLeft, top + 20, 16, Font::SansBold);
        drawText(cr, facts, kLeft + w + 14, top + 20, 12, Font::Sans);
        top += 34;
        waveform(cr, s, top, wave);
        top += wave + 16;
        spectrogram(*canvas, s, 0, double(s.frames()) / s.rate, top, spectrum);
        top += spectrum + 30;
        spectrogram(*canvas, s, t.zoomFrom, t.zoomSeconds, top, zoom);
        top += zoom + 30;
        seam(cr, s, top, joint);
        top += joint + 40;
    }
    return canvas->savePng(path);
}

}  // namespace qm
