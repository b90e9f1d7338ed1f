#include "rules/LevelFileFormat.h"

namespace qm {

namespace {

// The little-endian value at `at`, or `absent` when the file ends inside it.
int32_t valueAt(const std::vector<uint8_t>& bytes, size_t at, int32_t absent) {
    if (at + 4 > bytes.size()) return absent;
    return int32_t(uint32_t(bytes[at]) | uint32_t(bytes[at + 1]) << 8 | uint32_t(bytes[at + 2]) << 16 |
                   uint32_t(bytes[at + 3]) << 24);
}

void put(std::vector<uint8_t>& bytes, int32_t value) {
    uint32_t v = uint32_t(value);
    for (int i = 0; i < 4; ++i) bytes.push_back(uint8_t(v >> (8 * i)));
}

}  // namespace

LevelFileContents LevelFileFormat::decode(const std::vector<uint8_t>& bytes) {
    LevelFileContents file;
    file.size = bytes.size();
    file.version = valueAt(bytes, 0, 0);
    size_t at = file.version == kVersion ? 12 : 4;
    for (auto& column : file.cells)
        for (int32_t& cell : column) {
            cell = valueAt(bytes, at, 0);
            at += 4;
        }
    file.entryX = valueAt(bytes, at, 0);
    file.entryY = valueAt(bytes, at + 4, 0);
    if (file.entryX < -20 || file.entryX > 20) file.entryX = 0;
    if (file.entryY < -14 || file.entryY > 14) file.entryY = 0;
    return file;
}

std::vector<uint8_t> LevelFileFormat::encode(const int32_t (&cells)[20][14], int32_t tileSet, int32_t entryX,
                                             int32_t entryY) {
    std::vector<uint8_t> bytes;
    bytes.reserve(kFileSize);
    put(bytes, kVersion);
    put(bytes, tileSet);
    put(bytes, -1);
    for (const auto& column : cells)
        for (int32_t cell : column) put(bytes, cell);
    put(bytes, entryX);
    put(bytes, entryY);
    return bytes;
}

}  // namespace qm
