// The journey: meadow to palace, one entry per group of five levels.
#include "ArtStyle.h"

namespace qm {

namespace {
Rgb h(unsigned v) { return Rgb::hex(v); }
}  // namespace

const std::vector<ArtStyle>& ArtStyle::all() {
    using F = FloorPattern;
    using W = WallMaterial;
    using S = Scenery;
    static const std::vector<ArtStyle> styles = {
        {"Meadow", F::Grass, h(0x3f6e2c), h(0x5d8f3a), W::Stone, h(0x9a9486), h(0x6d8f4a), S::Flowers, h(0xf4e36a), h(0xe86f8e), h(0x2c4f1f)},
        {"Orchard", F::Grass, h(0x4a6f2a), h(0x6c8c38), W::Hedge, h(0x3f7d35), h(0xd84a3c), S::Trees, h(0x3f7f36), h(0xd64a3b), h(0x2f4a1c)},
        {"Old Forest", F::Leaves, h(0x4b4026), h(0x6d5a33), W::Log, h(0x8a6240), h(0x5a7a36), S::Trees, h(0x2f5f2c), h(0x7d5a35), h(0x1f2e17)},
        {"Mossy Hollow", F::Cobbles, h(0x46563a), h(0x5e7048), W::Stone, h(0x80877a), h(0x5f9a3c), S::Pines, h(0x28502c), h(0x4d7a3a), h(0x18281a)},
        {"Willow River", F::Water, h(0x2f5f6a), h(0x4a8290), W::Stone, h(0x8b8f86), h(0x4f8a66), S::Reeds, h(0x5d8a3c), h(0xc9b26a), h(0x1d3c44)},
        {"Lily Marsh", F::Water, h(0x34603e), h(0x4f7d55), W::Hedge, h(0x4f7f3a), h(0xf2a5c8), S::Reeds, h(0x4e7f36), h(0xf3b3d0), h(0x20402a)},
        {"Harvest Fields", F::Field, h(0x7a6a34), h(0x97843f), W::Crate, h(0xd8b25a), h(0x9a6a2f), S::Wheat, h(0xe2c25a), h(0xb07a30), h(0x4f4220)},
        {"Hill Ruins", F::Cobbles, h(0x5e5a4c), h(0x7a7562), W::Brick, h(0xa86a4e), h(0x6f9a48), S::Columns, h(0xd8d0bc), h(0x7b9a50), h(0x3a3a30)},
        {"Dune Sea", F::Sand, h(0x9a7a48), h(0xb49358), W::Sandstone, h(0xd9b47a), h(0xa86e3c), S::Cacti, h(0x5f8a3e), h(0xd8a060), h(0x6a4e2a)},
        {"Oasis", F::Water, h(0x2f7a70), h(0x4a9a8c), W::Sandstone, h(0xe2c490), h(0x3f9a8a), S::Palms, h(0x3e8a3a), h(0x42a6b0), h(0x5e4a2a)},
        {"Red Canyon", F::Strata, h(0x8a4a30), h(0xa5603c), W::Sandstone, h(0xc97a4e), h(0x7a3a24), S::Rocks, h(0xb05a38), h(0xe09a60), h(0x4a2216)},
        {"Mesa Dusk", F::Strata, h(0x6e3e48), h(0x8a5358), W::Sandstone, h(0xc98a6a), h(0x6a4a7a), S::Rocks, h(0x7a3e4e), h(0xf0a070), h(0x2e1a2e)},
        {"Pebble Coast", F::Sand, h(0x8c8068), h(0xa69a7c), W::Stone, h(0xb7b4a8), h(0x5a8aa0), S::Waves, h(0x3a8ab0), h(0xe8f4f4), h(0x2a4a5a)},
        {"Coral Bay", F::Water, h(0x2a6a80), h(0x3f8ca0), W::Coral, h(0xf08a7a), h(0xf4d07a), S::Waves, h(0x2a7fa8), h(0xf2906e), h(0x123c58)},
        {"Harbour Docks", F::Planks, h(0x6a5038), h(0x86674a), W::Crate, h(0xb58a56), h(0x6a8aa0), S::Lanterns, h(0x3a5a70), h(0xf4c060), h(0x1e2a36)},
        {"Tundra", F::Snow, h(0x7f8c96), h(0x97a4ad), W::Stone, h(0x8a8e96), h(0xdfe8ee), S::Pines, h(0x2e4a40), h(0xf2f6f8), h(0x3a4a58)},
        {"Glacier", F::Ice, h(0x5f8aa5), h(0x79a3bb), W::Ice, h(0xbfe6f6), h(0x7fc0e6), S::Shards, h(0xcdeefa), h(0x8acbea), h(0x27445a)},
        {"Ice Cave", F::Ice, h(0x3e5f86), h(0x557aa0), W::Ice, h(0xa6d2f2), h(0x6aa0e0), S::Stalactites, h(0xa8d6f4), h(0x5a8ad0), h(0x141e36)},
        {"Deep Caves", F::Cave, h(0x4a4440), h(0x5f5852), W::Stone, h(0x86796a), h(0xd0a040), S::Stalactites, h(0x5a4e44), h(0xe0a850), h(0x141010)},
        {"Old Mine", F::Planks, h(0x4a3a2c), h(0x62503c), W::Crate, h(0x9a7448), h(0x9aa0a8), S::Lanterns, h(0x4a3a2e), h(0xf6c050), h(0x181210)},
        {"Crystal Grotto", F::Facets, h(0x4a3a6a), h(0x62508a), W::Crystal, h(0xc8a6f4), h(0x7ae0f0), S::Shards, h(0xb890f0), h(0x7ad8f0), h(0x1a1030)},
        {"Emerald Deep", F::Facets, h(0x24584a), h(0x33705e), W::Crystal, h(0x8af0c0), h(0xe0f870), S::Shards, h(0x5ae0a0), h(0xd8f870), h(0x0c241e)},
        {"Glowcap Woods", F::Leaves, h(0x3a3050), h(0x4c4066), W::Mushroom, h(0xe07a9a), h(0x8af0e0), S::Trees, h(0x5a3a7a), h(0x8af0e0), h(0x160e24)},
        {"Ash Slopes", F::Ash, h(0x5c5658), h(0x746c6c), W::Basalt, h(0x6e6668), h(0xe0703a), S::Rocks, h(0x3a3434), h(0xf08040), h(0x1a1414)},
        {"Lava Fields", F::Ash, h(0x463030), h(0x5a3c36), W::Basalt, h(0x5a4a4a), h(0xff8a30), S::Lava, h(0x2a1a1a), h(0xffa040), h(0x200a06)},
        {"Ember Forge", F::Marble, h(0x3c3a44), h(0x545260), W::Metal, h(0xa0a4ac), h(0xf09a40), S::Lanterns, h(0x3a3038), h(0xff9a40), h(0x1a1218)},
        {"Cloud Steps", F::Cloud, h(0x8a86b4), h(0xa4a0c8), W::Cloud, h(0xf4f6fa), h(0xf6d890), S::Clouds, h(0xf6f8fc), h(0xf8e0a0), h(0x5a78a8)},
        {"Sky Gardens", F::Grass, h(0x4f7a6a), h(0x679480), W::Hedge, h(0x6aa85a), h(0xf4e070), S::Clouds, h(0xffffff), h(0xf4c0d8), h(0x4a6aa0)},
        {"Sunset Heights", F::Cloud, h(0x8a5a6a), h(0xa4707a), W::Cloud, h(0xf8e0d0), h(0xffb070), S::Clouds, h(0xffd0b0), h(0xff9a70), h(0x5a2a4a)},
        {"Moonlit Night", F::Stars, h(0x2a3458), h(0x38446c), W::Moonstone, h(0xc8d0ec), h(0x8aa0f0), S::Stars, h(0xf8f4d8), h(0x9ab0ff), h(0x0a1028)},
        {"Aurora", F::Stars, h(0x1e4450), h(0x2a5864), W::Ice, h(0xb0f0e8), h(0x7ff0b0), S::Stars, h(0x7ff0b0), h(0xc080ff), h(0x081820)},
        {"Starlight Road", F::Stars, h(0x32285a), h(0x423470), W::Moonstone, h(0xd8c8f8), h(0xf0c0ff), S::Stars, h(0xffffff), h(0xf0a0ff), h(0x0c0620)},
        {"Golden Citadel", F::Marble, h(0x7a6a5a), h(0x948270), W::Gold, h(0xf2c95a), h(0xfff0b0), S::Columns, h(0xf4ecd8), h(0xf2c95a), h(0x3a2a1a)},
    };
    return styles;
}

}  // namespace qm
