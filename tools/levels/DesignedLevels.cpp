// Reading, dressing and installing hand-made boards; see the header.
#include "DesignedLevels.h"

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "BoardJoin.h"
#include "BoardShaper.h"
#include "Curriculum.h"
#include "LevelFile.h"

namespace qm {

namespace {

bool isWall(int code) { return code >= Code::FirstWall && code <= Code::LastWall; }
bool onFrame(int x, int y) { return x == 0 || y == 0 || x == kBoardWidth - 1 || y == kBoardHeight - 1; }

// One of two variants per cell, scattered rather than striped, the same every time.
int variantOf(int x, int y) {
    unsigned h = unsigned(x) * 374761393u + unsigned(y) * 668265263u;
    h = (h ^ (h >> 13)) * 1274126177u;
    return int((h >> 16) & 1u);
}

std::string cellName(int x, int y) { return "(" + std::to_string(x) + ", " + std::to_string(y) + ")"; }

}  // namespace

std::string DesignedLevels::pathFor(const std::string& levelsDir, int level) {
    char name[16];
    std::snprintf(name, sizeof name, "%03d.txt", level);
    return (levelsDir.empty() ? std::string(".") : levelsDir) + "/designed/" + name;
}

std::vector<int> DesignedLevels::list(const std::string& levelsDir) {
    std::vector<int> levels;
    for (int level = 0; level < Curriculum::kLevels; ++level) {
        std::error_code error;
        if (std::filesystem::exists(pathFor(levelsDir, level), error)) levels.push_back(level);
    }
    return levels;
}

BoardPtr DesignedLevels::read(const std::string& levelsDir, int level, std::string* problem) {
    const std::string path = pathFor(levelsDir, level);
    std::string fault;
    auto board = LevelFile::readText(path, &fault);
    if (!board) {
        if (problem) *problem = path + " " + fault;
        return nullptr;
    }
    // A designed board is drawn whole: a short row would silently become wall.
    if (fault.empty()) {
        FILE* in = std::fopen(path.c_str(), "r");
        char line[256];
        int rows = 0;
        while (in && std::fgets(line, sizeof line, in)) {
            std::string row(line);
            while (!row.empty() && (row.back() == '\n' || row.back() == '\r')) row.pop_back();
            if (row.empty() || row[0] == ';') continue;
            if (fault.empty() && row.size() != size_t(kBoardWidth))
                fault = "row " + std::to_string(rows) + " has " + std::to_string(row.size()) + " cells, not 20";
            ++rows;
        }
        if (in) std::fclose(in);
        if (fault.empty() && rows != kBoardHeight) fault = "has " + std::to_string(rows) + " rows, not 14";
    }
    if (fault.empty() && !onFrame(board->startX, board->startY)) fault = "has its start off the frame";
    if (fault.empty() && !onFrame(board->endX, board->endY)) fault = "has its end off the frame";
    for (int x = 0; x < kBoardWidth && fault.empty(); ++x)
        for (int y = 0; y < kBoardHeight && fault.empty(); ++y) {
            int code = board->cells[x][y];
            if (onFrame(x, y) && !isWall(code) && code != Code::Start && code != Code::End)
                fault = "has an opening in its frame at " + cellName(x, y);
        }
    if (!fault.empty()) {
        if (problem) *problem = path + " " + fault;
        return nullptr;
    }
    return board;
}

std::string DesignedLevels::idea(const std::string& levelsDir, int level) {
    std::ifstream in(pathFor(levelsDir, level));
    std::string line;
    while (std::getline(in, line)) {
        if (line.rfind("; idea:", 0) != 0) continue;
        size_t from = line.find_first_not_of(' ', 7), to = line.find_last_not_of(" \r");
        return from == std::string::npos ? "" : line.substr(from, to + 1 - from);
    }
    return "";
}

void DesignedLevels::dress(Board& board, const Board& frame) {
    auto wall = [&](int x, int y) { return Board::onBoard(x, y) && isWall(board.cells[x][y]); };
    Board plain = board;
    for (int x = 0; x < kBoardWidth; ++x)
        for (int y = 0; y < kBoardHeight; ++y) {
            if (!isWall(plain.cells[x][y])) continue;
            int& code = board.cells[x][y];
            if (onFrame(x, y)) {
                code = isWall(frame.cells[x][y]) ? frame.cells[x][y] : Code::FrameWall + variantOf(x, y);
                continue;
            }
            bool piece = wall(x - 1, y) || wall(x + 1, y) || wall(x, y - 1) || wall(x, y + 1);
            code = (piece ? Code::PieceWall : Code::StoneWall) + variantOf(x, y);
        }
}

bool DesignedLevels::sameCells(const Board& a, const Board& b, std::string* where) {
    for (int y = 0; y < kBoardHeight; ++y)
        for (int x = 0; x < kBoardWidth; ++x) {
            int ca = a.cells[x][y], cb = b.cells[x][y];
            if (ca == cb || (isWall(ca) && isWall(cb))) continue;
            if (where) *where = "cell " + cellName(x, y) + " holds " + std::to_string(cb) + ", not " + std::to_string(ca);
            return false;
        }
    return true;
}

bool DesignedLevels::install(const std::string& levelsDir, int level, std::string* report) {
    auto say = [&](const std::string& text) {
        if (report) *report = "level " + std::to_string(level) + ": " + text;
    };
    std::string problem;
    auto designed = read(levelsDir, level, &problem);
    if (!designed) {
        say(problem);
        return false;
    }
    const std::string path = LevelFile::pathFor(levelsDir, level);
    auto current = LevelFile::read(path, &problem);
    if (!current) {
        say(path + " " + problem + ": the level file gives the tile set, entry and frame");
        return false;
    }
    auto board = BoardShaper::copyOf(*designed);
    board->entryX = current->entryX;
    board->entryY = current->entryY;
    dress(*board, *current);

    // The entry line exactly as the level before leaves it.
    if (level > 0) {
        auto previous = LevelFile::read(LevelFile::pathFor(levelsDir, level - 1), &problem);
        if (!previous) {
            say("level " + std::to_string(level - 1) + " cannot be read: " + problem);
            return false;
        }
        auto joined = BoardShaper::copyOf(*board);
        BoardJoin::apply(*previous, *joined);
        LevelFile::settle(*joined);
        std::string where;
        if (!sameCells(*board, *joined, &where)) {
            say("the designed board does not start where level " + std::to_string(level - 1) + " leaves (" + where +
                " once joined); move its start or regenerate level " + std::to_string(level - 1));
            return false;
        }
        board = joined;
    }

    // The next level's entry line from the designed board: only wall variants may change.
    BoardPtr next;
    if (level + 1 < Curriculum::kLevels) {
        next = LevelFile::read(LevelFile::pathFor(levelsDir, level + 1), &problem);
        if (next) {
            auto joined = BoardShaper::copyOf(*next);
            BoardJoin::apply(*board, *joined);
            LevelFile::settle(*joined);
            std::string where;
            if (!sameCells(*next, *joined, &where) || joined->entryX != next->entryX ||
                joined->entryY != next->entryY) {
                say("level " + std::to_string(level + 1) + " does not start where the designed board ends (" +
                    (where.empty() ? std::string("its entry moves") : where) + " once joined); keep the end where " +
                    "it was or regenerate level " + std::to_string(level + 1));
                return false;
            }
            next = joined;
        }
    }
    if (!LevelFile::write(*board, path) ||
        (next && !LevelFile::write(*next, LevelFile::pathFor(levelsDir, level + 1)))) {
        say("could not be written");
        return false;
    }
    say("installed from " + pathFor(levelsDir, level) +
        (next ? ", level " + std::to_string(level + 1) + " joined to it" : std::string()));
    return true;
}

bool DesignedLevels::installed(const std::string& levelsDir, int level, std::string* problem) {
    auto designed = read(levelsDir, level, problem);
    if (!designed) return false;
    auto current = LevelFile::read(LevelFile::pathFor(levelsDir, level), problem);
    if (!current) return false;
    std::string where;
    if (sameCells(*designed, *current, &where)) return true;
    if (problem) *problem = "differs from its designed board " + pathFor(levelsDir, level) + ": " + where;
    return false;
}

}  // namespace qm
