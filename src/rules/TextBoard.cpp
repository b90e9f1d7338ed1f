// The legend of text boards, both ways.
#include "rules/TextBoard.h"

namespace qm {

int TextBoard::codeForChar(char c) {
    switch (c) {
        case '#': return Code::FirstWall;
        case '.': return Code::Floor;
        case 'S': return Code::Start;
        case 'E': return Code::End;
        case '*': return Code::Switch;
        case 'r': return Code::RecallPoint;
        case 'p': return Code::RecallPad;
        case 'k': return Code::Key1;
        case 'K': return Code::Key2;
        case 'l': return Code::Lock1;
        case 'm': return Code::Lock2;
        case 'x': return Code::Shatter;
        case 'w': return Code::WeakShatter;
        case 'V': return Code::BeamVertical;
        case 'H': return Code::BeamHorizontal;
        case '>': return Code::BoosterRight;
        case '<': return Code::BoosterLeft;
        case 'v': return Code::BoosterDown;
        case '^': return Code::BoosterUp;
        case 'A': return Code::AngleBottomRight;
        case 'B': return Code::AngleBottomLeft;
        case 'C': return Code::AngleTopRight;
        case 'D': return Code::AngleTopLeft;
        case '?': return 57;
        case ' ': return Code::WallBrush;
        default: break;
    }
    if (c >= '0' && c <= '9') return Code::FirstTeleport + (c - '0');
    return Code::Floor;
}

char TextBoard::charForCode(int code) {
    if (code >= Code::FirstWall && code <= Code::LastWall) return '#';
    if (code >= Code::FirstTeleport && code <= Code::LastTeleport) return char('0' + code - Code::FirstTeleport);
    for (char c : std::string(".SE*rpkKlmxwVH><v^ABCD "))
        if (codeForChar(c) == code) return c;
    return '?';
}

void TextBoard::fill(Board& board, const std::vector<std::string>& rows, char fillChar) {
    for (int x = 0; x < kBoardWidth; ++x)
        for (int y = 0; y < kBoardHeight; ++y) {
            char c = y < int(rows.size()) && x < int(rows[size_t(y)].size()) ? rows[size_t(y)][size_t(x)] : fillChar;
            board.cells[x][y] = codeForChar(c);
        }
    board.locateStartAndEnd();
}

std::vector<std::string> TextBoard::rows(const Board& board) {
    std::vector<std::string> out;
    for (int y = 0; y < kBoardHeight; ++y) {
        std::string row;
        for (int x = 0; x < kBoardWidth; ++x) row += charForCode(board.cells[x][y]);
        out.push_back(row);
    }
    return out;
}

}  // namespace qm
