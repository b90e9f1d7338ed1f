// Reading and writing level files with the layout the game loads.
#include "LevelFile.h"

#include "rules/TextBoard.h"

#include <cstdint>
#include <fstream>
#include <vector>

#include "rules/LevelFileFormat.h"
#include "runtime/Files.h"

namespace qm {

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

void LevelFile::settle(Board& board) { board.locateStartAndEnd(); }

BoardPtr LevelFile::readText(const std::string& path, std::string* problem) {
    std::ifstream in(path);
    if (!in) {
        if (problem) *problem = "cannot be read";
        return nullptr;
    }
    std::vector<std::string> rows;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line[0] == ';') continue;
        rows.push_back(line);
    }
    auto board = std::make_shared<Board>();
    TextBoard::fill(*board, rows, '#');
    int starts = 0, ends = 0;
    for (int x = 0; x < kBoardWidth; ++x)
        for (int y = 0; y < kBoardHeight; ++y) {
            starts += board->cells[x][y] == Code::Start;
            ends += board->cells[x][y] == Code::End;
        }
    std::string fault;
    if (rows.size() > size_t(kBoardHeight)) fault = "has more than 14 rows";
    for (const std::string& row : rows)
        if (fault.empty() && row.size() > size_t(kBoardWidth)) fault = "has a row longer than 20 cells";
    if (fault.empty() && starts != 1) fault = "has " + std::to_string(starts) + " starts";
    if (fault.empty() && ends != 1) fault = "has " + std::to_string(ends) + " ends";
    settle(*board);
    if (problem) *problem = fault;
    return board;
}

BoardPtr LevelFile::read(const std::string& path, std::string* problem) {
    if (path.size() > 4 && path.substr(path.size() - 4) == ".txt") return readText(path, problem);
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        if (problem) *problem = "cannot be read";
        return nullptr;
    }
    // One byte past the layout is enough to tell a file that is too long.
    std::vector<uint8_t> bytes(LevelFileFormat::kFileSize + 1);
    in.read(reinterpret_cast<char*>(bytes.data()), std::streamsize(bytes.size()));
    bytes.resize(size_t(in.gcount()));
    std::string fault;
    if (bytes.size() != LevelFileFormat::kFileSize)
        fault = bytes.size() > LevelFileFormat::kFileSize ? "is more than 1140 bytes"
                                                          : "is " + std::to_string(bytes.size()) + " bytes, not 1140";
    LevelFileContents file = LevelFileFormat::decode(bytes);
    if (fault.empty() && file.version != LevelFileFormat::kVersion) fault = "is not a version-2 file";
    auto board = std::make_shared<Board>();
    int starts = 0, ends = 0;
    for (int x = 0; x < kBoardWidth; ++x)
        for (int y = 0; y < kBoardHeight; ++y) {
            board->cells[x][y] = file.cells[x][y];
            starts += file.cells[x][y] == Code::Start;
            ends += file.cells[x][y] == Code::End;
        }
    board->entryX = file.entryX;
    board->entryY = file.entryY;
    if (fault.empty() && starts != 1) fault = "has " + std::to_string(starts) + " starts";
    if (fault.empty() && ends != 1) fault = "has " + std::to_string(ends) + " ends";
    settle(*board);
    if (problem) *problem = fault;
    return board;
}

bool LevelFile::write(const Board& board, const std::string& path) {
    // The game draws a level in the art style of its group of five, whatever the file says.
    int level = levelNumberOf(path);
    std::vector<uint8_t> bytes = LevelFileFormat::encode(board.cells, level >= 0 ? level / 5 : 0, board.entryX, board.entryY);
    // Written beside the target and renamed over it, so a failed write never
    // leaves half a level behind.
    StreamPtr out = writeFileSafely(path);
    if (!out) return false;
    out->writeBytes(bytes.data(), bytes.size());
    return out->close();
}

}  // namespace qm
