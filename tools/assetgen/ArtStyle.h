// The 33 art styles of the journey: for each, the floor, the wall material,
// the scenery round the board and their colours.
#pragma once
#include <string>
#include <vector>

#include "Canvas.h"

namespace qm {

enum class FloorPattern { Grass, Leaves, Water, Sand, Strata, Planks, Snow, Ice, Cave, Facets, Ash, Cloud, Stars, Marble, Cobbles, Field };
enum class WallMaterial { Stone, Hedge, Log, Brick, Sandstone, Coral, Crate, Ice, Crystal, Basalt, Metal, Cloud, Moonstone, Gold, Mushroom };
enum class Scenery { Flowers, Trees, Pines, Reeds, Rocks, Cacti, Palms, Waves, Shards, Stalactites, Lava, Clouds, Stars, Columns, Wheat, Lanterns };

struct ArtStyle {
    std::string name;
    FloorPattern floor;
    Rgb floorDark, floorLight;   // the board's floor, kept mid-tone so the glowing ball reads
    WallMaterial wall;
    Rgb wallColour, wallAccent;
    Scenery scenery;
    Rgb sceneColour, sceneAccent;
    Rgb edge;                    // the tint of the screen margins

    static const std::vector<ArtStyle>& all();
};

}  // namespace qm
