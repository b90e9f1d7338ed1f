// Median milliseconds per headless frame: a full 800 x 600 picture, 300
// additive sprites on top, and the flip. Also the same with every sprite
// turned and scaled, the costliest way the game draws.
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <vector>

#include "BenchClock.h"
#include "runtime/Graphics.h"
#include "runtime/Image.h"
#include "runtime/Random.h"
#include "runtime/Runtime.h"

using namespace qm;

namespace {

using bench::cpuMs;
using bench::wallMs;

ImagePtr background() {
    ImagePtr image = createImage(800, 600, 1, 0);
    Pixmap p = lockImage(image);
    for (int y = 0; y < 600; ++y)
        for (int x = 0; x < 800; ++x)
            p.pixels[size_t(y) * 800 + size_t(x)] = 0xFF000000u | uint32_t((x ^ y) & 255) << 16 | uint32_t(x / 4) << 8 | uint32_t(y / 3);
    setImagePixels(image, p);
    return image;
}

// A soft round glow, bright in the middle, see-through at the edge.
ImagePtr glow() {
    setAutoMidHandle(1);
    ImagePtr image = createImage(32, 32, 1, 0);
    Pixmap p = lockImage(image);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            double d = std::hypot(x - 15.5, y - 15.5) / 16.0;
            uint32_t a = uint32_t(std::max(0.0, 1.0 - d) * 255.0);
            p.pixels[size_t(y) * 32 + size_t(x)] = a << 24 | 0xFFE0A0u;
        }
    setImagePixels(image, p);
    return image;
}

struct Figures {
    double wallMs, cpuMs;
};

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

Figures medianFrame(const ImagePtr& back, const ImagePtr& sprite, bool turned, int frames) {
    struct Sprite {
        float x, y, r, g, b, angle;
    };
    seedRandom(1234);
    std::vector<Sprite> sprites(300);
    for (Sprite& s : sprites)
        s = {randomFloat(0, 800), randomFloat(0, 600), randomFloat(100, 255), randomFloat(100, 255),
             randomFloat(100, 255), randomFloat(0, 360)};
    std::vector<double> wall, cpu;
    for (int f = 0; f < frames + 20; ++f) {
        auto start = std::chrono::steady_clock::now();
        double cpuStart = cpuMs();
        setBlend(BLEND_SOLID);
        setColour(255, 255, 255);
        drawImage(back, 0, 0);
        setBlend(BLEND_LIGHT);
        setAlpha(0.8f);
        for (Sprite& s : sprites) {
            s.x = std::fmod(s.x + 1.5f, 800.0f);
            setColour(int(s.r), int(s.g), int(s.b));
            if (turned) {
                setRotation(s.angle + float(f) * 3.0f);
                setScale(1.5f, 1.5f);
            }
            drawImage(sprite, s.x, s.y);
        }
        setRotation(0);
        setScale(1, 1);
        flipFrame(1);
        auto ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        if (f >= 20) {  // the first frames make the textures
            wall.push_back(ms);
            cpu.push_back(cpuMs() - cpuStart);
        }
    }
    return {median(wall), median(cpu)};
}

}  // namespace

int main() {
    RuntimeOptions options;
    options.headless = true;
    if (!runtimeInit(options) || !openGraphics(800, 600, 0, 60, 0)) {
        std::fprintf(stderr, "bench: the headless frame could not be opened\n");
        return 1;
    }
    ImagePtr back = background();
    ImagePtr sprite = glow();
    const int frames = 300;
    Figures plain = medianFrame(back, sprite, false, frames);
    Figures turned = medianFrame(back, sprite, true, frames);
    std::printf("median ms per headless frame over %d frames (wall clock / CPU time of the drawing thread)\n", frames);
    std::printf("  800 x 600 picture + 300 additive 32 x 32 sprites:        %6.2f / %6.2f\n", plain.wallMs, plain.cpuMs);
    std::printf("  the same, every sprite rotated and scaled 1.5:           %6.2f / %6.2f\n", turned.wallMs, turned.cpuMs);
    runtimeShutdown();
    return 0;
}
