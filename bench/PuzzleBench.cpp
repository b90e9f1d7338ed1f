// Median figures for the puzzle core: one simulated move (what the solver and
// the hint pay per move), one board draw, and one tick plus the two draws of a
// particle layer holding a rolling ball's worth of trail.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "play/AssetCatalogue.h"
#include "play/Globals.h"
#include "play/LevelMap.h"
#include "rules/MoveSimulator.h"
#include "rules/TextBoard.h"
#include "play/Particle.h"
#include "play/ParticleNode.h"
#include "runtime/Diagnostics.h"
#include "runtime/Graphics.h"
#include "runtime/Image.h"
#include "runtime/Runtime.h"

using namespace qm;

namespace {

double medianMicros(int rounds, int perRound, const std::function<void()>& body) {
    std::vector<double> samples;
    for (int r = 0; r < rounds; ++r) {
        auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < perRound; ++i) body();
        std::chrono::duration<double, std::micro> took = std::chrono::steady_clock::now() - start;
        samples.push_back(took.count() / perRound);
    }
    std::sort(samples.begin(), samples.end());
    return samples[samples.size() / 2];
}

// A walled board with beams, a switch, keys and shatter blocks on the ball's ways.
std::shared_ptr<LevelMap> benchBoard() {
    const std::vector<std::string> rows = {
        "####################", "#S.......k.........#", "#.###.######.#####.#", "#.#...V....#.#...#.#",
        "#.#.###.##.#.#.x.#.#", "#...#*..#..l...#...#", "###.#.#.#.##.#.#.###", "#...#.#...H..#.....#",
        "#.###.#####.###.##.#", "#.....w.....#....K.#", "#.#########.#.####.#", "#.....m.........E..#",
        "#..................#", "####################"};
    auto board = LevelMap::createEmpty(12);
    TextBoard::fill(*board, rows);
    board->restart();
    return board;
}

}  // namespace

int main() {
    RuntimeOptions options;
    options.headless = true;
    runtimeInit(options);
    setDebugLogTarget("");
    openGraphics(800, 600, 0, 60, 0);

    auto board = benchBoard();
    const PlayState start = board->play;
    PlayState state = start;
    int direction = 0;
    long ticks = 0, moves = 0;
    double move = medianMicros(21, 2000, [&] {
        direction = direction % 4 + 1;
        MoveResult r = MoveSimulator::play(*board, state, direction);
        ticks += r.ticks;
        ++moves;
        if (r.outcome == MoveOutcome::Solved) state = start;
    });
    PlayState copy;
    double saveRestore = medianMicros(21, 20000, [&] { copy = state; });
    std::printf("simulated move: median %.2f us (%.1f ticks a move on average)\n", move, double(ticks) / double(moves));
    std::printf("copy of a play state: median %.3f us\n", saveRestore);

    setAutoMidHandle(1);
    ImagePtr tiles = createImage(32, 32, 6, 0);
    for (int f = 0; f < 6; ++f) {
        Pixmap p = lockImage(tiles, f);
        std::fill(p.pixels.begin(), p.pixels.end(), 0xff808080u);
        setImagePixels(tiles, p, f);
    }
    AssetCatalogue::currentTileSet = tiles;
    AssetCatalogue::gizmoImage = createImage(32, 32, 19, 0);
    AssetCatalogue::tileBorderImage = createImage(32, 32, 1, 0);
    AssetCatalogue::drawTileBorders = 1;
    double draw = medianMicros(21, 50, [&] { board->draw(47, 47, 1); });
    std::printf("board draw (walls with border overlay): median %.1f us\n", draw);

    effectImages[0] = createImage(16, 16, 1, 0);
    effectImages[2] = createImage(8, 8, 1, 0);
    currentMap = board;
    auto layer = ParticleNode::create();
    // A second of rolling: 40 trail sparks a tick for 100 ticks' life, kept topped up.
    double particles = medianMicros(21, 50, [&] {
        spawnParticles(3, 320, 240, 2, 0, 0, layer);
        layer->update();
        layer->draw(47, 47, -1, 1.0f);
        layer->draw(47, 47, 1, 1.0f);
    });
    std::printf("particle tick + two draws, %d particles: median %.1f us\n", layer->count(), particles);
    runtimeShutdown();
    return 0;
}
