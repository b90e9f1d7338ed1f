// Reading and writing level files with the layout the game loads.
#include "LevelFile.h"

#include <cstdint>
#include <fstream>
#include <iterator>
#include <vector>

namespace qm {

namespace {

constexpr size_t kFileSize = 1140;

int32_t intAt(const std::vector<uint8_t>& bytes, size_t offset) {
    uint32_t v = uint32_t(bytes[offset]) | uint32_t(bytes[offset + 1]) << 8 | uint32_t(bytes[offset + 2]) << 16 |
                 uint32_t(bytes[offset + 3]) << 24;
    return int32_t(v);
}

void putInt(std::vector<uint8_t>& bytes, int32_t value) {
    uint32_t v = uint32_t(value);
    for (int i = 0; i < 4; ++i) bytes.push_back(uint8_t(v >> (8 * i)));
}

}  // namespace

std::string LevelFile::pathFor(const std::string& dir, int level) {
    return (dir.empty() ? std::string(".") : dir) + "/" + std::to_string(level) + ".lvl";
}

int LevelFile::levelNumberOf(const std::string& path) {
    size_t slash = path.find_last_of("/\\");
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    size_t dot = name.find('.');
    std::string digits = name.substr(0, dot);
    if (digits.empty() || digits.size() > 6 || digits.find_first_not_of("0123456789") != std::string::npos) return -1;
    return std::stoi(digits);
}

void LevelFile::settle(LevelMap& board) {
    board.endX = board.endY = -1;
    for (int x = 0; x < kBoardWidth; ++x)
        for (int y = 0; y < kBoardHeight; ++y) {
            if (board.cells[x][y] == 1) { board.startX = x; board.startY = y; }
            if (board.cells[x][y] == 2) { board.endX = x; board.endY = y; }
        }
    board.lockTimers[0] = board.lockTimers[1] = 0;
    board.ball = nullptr;
    board.gizmos = GizmoStates::createFrom(&board);
}

LevelMapPtr LevelFile::read(const std::string& path, int levelNumber, std::string* problem) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        if (problem) *problem = "cannot be read";
        return nullptr;
    }
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::string fault;
    if (bytes.size() != kFileSize) fault = "is " + std::to_string(bytes.size()) + " bytes, not 1140";
    size_t offset = 0;
    if (bytes.size() >= 4 && intAt(bytes, 0) == 2) {
        offset = 12;
    } else {
        offset = 4;
        if (fault.empty()) fault = "is not a version-2 file";
    }
    auto board = LevelMap::createEmpty(levelNumber);
    board->tileSet = levelNumber >= 0 ? levelNumber / 5 : 0;
    int starts = 0, ends = 0;
    for (int x = 0; x < kBoardWidth; ++x)
        for (int y = 0; y < kBoardHeight; ++y) {
            size_t at = offset + 4 * size_t(x * kBoardHeight + y);
            int code = at + 4 <= bytes.size() ? intAt(bytes, at) : 0;
            board->cells[x][y] = code;
            starts += code == 1;
            ends += code == 2;
        }
    size_t entryAt = offset + 4 * size_t(kBoardWidth * kBoardHeight);
    board->entryX = entryAt + 4 <= bytes.size() ? intAt(bytes, entryAt) : 0;
    board->entryY = entryAt + 8 <= bytes.size() ? intAt(bytes, entryAt + 4) : 0;
    if (fault.empty() && starts != 1) fault = "has " + std::to_string(starts) + " starts";
    if (fault.empty() && ends != 1) fault = "has " + std::to_string(ends) + " ends";
    settle(*board);
    if (problem) *problem = fault;
    return board;
}

bool LevelFile::write(const LevelMap& board, const std::string& path) {
    std::vector<uint8_t> bytes;
    bytes.reserve(kFileSize);
    putInt(bytes, 2);
    putInt(bytes, board.tileSet);
    putInt(bytes, -1);
    for (int x = 0; x < kBoardWidth; ++x)
        for (int y = 0; y < kBoardHeight; ++y) putInt(bytes, board.cells[x][y]);
    putInt(bytes, board.entryX);
    putInt(bytes, board.entryY);
    // Written beside the target and renamed over it, so a failed write never
    // leaves half a level behind.
    std::string temporary = path + ".tmp";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out) return false;
        out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
        if (!out) return false;
    }
    return std::rename(temporary.c_str(), path.c_str()) == 0;
}

}  // namespace qm
