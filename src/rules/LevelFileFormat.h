// The level file's bytes: the one reader and writer of the 1140-byte layout,
// shared by the game's loader, the editor's save and the level tool, so a
// damaged file means the same board to all of them.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace qm {

struct LevelFileContents {
    int32_t version = 0;
    int32_t cells[20][14] = {};
    int32_t entryX = 0;
    int32_t entryY = 0;
    size_t size = 0;  // bytes the file held (up to what was read)
};

class LevelFileFormat {
public:
    static constexpr size_t kFileSize = 1140;
    static constexpr int32_t kVersion = 2;

    // A version-2 file skips its tile set and reserved value; any other first
    // value is followed by the cells at once. A file that ends early leaves
    // its remaining cells 0 and its entry (0, 0); a value cut short counts as
    // absent. An entry more than a board away (a damaged file) becomes 0: it
    // would overflow the slide's pixel offset.
    static LevelFileContents decode(const std::vector<uint8_t>& bytes);
    // Version 2, the tile set, -1, the cells column by column, the entry.
    static std::vector<uint8_t> encode(const int32_t (&cells)[20][14], int32_t tileSet, int32_t entryX,
                                       int32_t entryY);
};

}  // namespace qm
