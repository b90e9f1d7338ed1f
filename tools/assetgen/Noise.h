// Value noise on a torus: fields that repeat exactly every width x height
// pixels, so a background built from them tiles without a seam.
#pragma once
#include <cstdint>
#include <vector>

namespace qm {

class Noise {
public:
    // cellSize should divide both width and height for an exact repeat.
    Noise(int width, int height, int cellSize, uint64_t seed);
    double at(double x, double y) const;  // 0..1, smooth

    // Sum of octaves, cell sizes halving from cellSize; result about 0..1.
    static double fbm(const std::vector<Noise>& octaves, double x, double y);
    static std::vector<Noise> octaves(int width, int height, int cellSize, int count, uint64_t seed);

private:
    int nx, ny, cell;
    std::vector<float> grid;
};

// Jittered points on a torus for cell patterns (cobbles, facets, basalt).
class Voronoi {
public:
    Voronoi(int width, int height, int cellSize, double jitter, uint64_t seed);
    // Distances to the nearest and second nearest points, and the nearest id.
    void query(double x, double y, double& f1, double& f2, int& id) const;

private:
    int w, h, nx, ny, cell;
    std::vector<double> px, py;
};

}  // namespace qm
