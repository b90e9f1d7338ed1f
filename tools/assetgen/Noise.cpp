// Tileable value noise and cell noise.
#include "Noise.h"

#include <cmath>

#include "Rng.h"

namespace qm {

Noise::Noise(int width, int height, int cellSize, uint64_t seed)
    : nx(width / cellSize), ny(height / cellSize), cell(cellSize) {
    if (nx < 1) nx = 1;
    if (ny < 1) ny = 1;
    Rng rng(seed);
    grid.resize(size_t(nx) * size_t(ny));
    for (auto& g : grid) g = float(rng.uniform());
}

double Noise::at(double x, double y) const {
    double fx = x / cell, fy = y / cell;
    double x0 = std::floor(fx), y0 = std::floor(fy);
    double tx = fx - x0, ty = fy - y0;
    tx = tx * tx * (3 - 2 * tx);
    ty = ty * ty * (3 - 2 * ty);
    auto wrap = [](long v, int n) { long r = v % n; return int(r < 0 ? r + n : r); };
    int ix0 = wrap(long(x0), nx), iy0 = wrap(long(y0), ny);
    int ix1 = (ix0 + 1) % nx, iy1 = (iy0 + 1) % ny;
    double a = grid[size_t(iy0) * nx + ix0], b = grid[size_t(iy0) * nx + ix1];
    double c = grid[size_t(iy1) * nx + ix0], d = grid[size_t(iy1) * nx + ix1];
    return (a + (b - a) * tx) * (1 - ty) + (c + (d - c) * tx) * ty;
}

std::vector<Noise> Noise::octaves(int width, int height, int cellSize, int count, uint64_t seed) {
    // Cell sizes that divide 800 and 600 alike, so every octave repeats with the picture.
    static const int sizes[] = {200, 100, 50, 25, 20, 10, 5, 4, 2};
    std::vector<Noise> out;
    for (int s : sizes) {
        if (s > cellSize || int(out.size()) >= count) continue;
        out.emplace_back(width, height, s, seed + out.size() * 7919);
    }
    return out;
}

double Noise::fbm(const std::vector<Noise>& octaves, double x, double y) {
    double sum = 0, amp = 1, total = 0;
    for (const auto& o : octaves) {
        sum += o.at(x, y) * amp;
        total += amp;
        amp *= 0.5;
    }
    return total > 0 ? sum / total : 0.5;
}

Voronoi::Voronoi(int width, int height, int cellSize, double jitter, uint64_t seed)
    : w(width), h(height), nx(width / cellSize), ny(height / cellSize), cell(cellSize) {
    Rng rng(seed);
    for (int j = 0; j < ny; ++j)
        for (int i = 0; i < nx; ++i) {
            px.push_back((i + 0.5 + jitter * (rng.uniform() - 0.5)) * cell);
            py.push_back((j + 0.5 + jitter * (rng.uniform() - 0.5)) * cell);
        }
}

void Voronoi::query(double x, double y, double& f1, double& f2, int& id) const {
    int cx = int(std::floor(x / cell)), cy = int(std::floor(y / cell));
    f1 = f2 = 1e9;
    id = 0;
    for (int dj = -2; dj <= 2; ++dj)
        for (int di = -2; di <= 2; ++di) {
            int gi = cx + di, gj = cy + dj;
            int wi = ((gi % nx) + nx) % nx, wj = ((gj % ny) + ny) % ny;
            // the point's copy nearest to this sample, across the wrap
            double ox = std::floor(double(gi) / nx) * w, oy = std::floor(double(gj) / ny) * h;
            double dx = px[size_t(wj) * nx + wi] + ox - x, dy = py[size_t(wj) * nx + wi] + oy - y;
            double d = std::sqrt(dx * dx + dy * dy);
            if (d < f1) {
                f2 = f1;
                f1 = d;
                id = wj * nx + wi;
            } else if (d < f2) {
                f2 = d;
            }
        }
}

}  // namespace qm
