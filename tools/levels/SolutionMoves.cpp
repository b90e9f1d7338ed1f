// Each move of a solution played twice: once as the solution plays it,
// watching tick by tick what the ball meets, and once from the same rest
// with the gizmos as the level starts.
#include "SolutionMoves.h"

#include <cstdlib>
#include <vector>

#include "rules/MoveSimulator.h"
#include "rules/PlayState.h"

namespace qm {

namespace {

int directionOf(char letter) {
    switch (letter) {
        case 'U': return Dir::Up;
        case 'R': return Dir::Right;
        case 'D': return Dir::Down;
        case 'L': return Dir::Left;
        default: return Dir::None;
    }
}

bool isWall(const Board& board, int x, int y) {
    int code = board.code(x, y);
    return Board::onBoard(x, y) && code >= board.firstWallCode && code <= board.lastWallCode;
}

// What one move did, seen tick by tick.
struct Watched {
    bool gizmo = false;
    int heading = Dir::None;  // the way the ball last rolled
};

// Whether a tick from `before` to `after` worked a gizmo: a lock began to
// change (a key), a beam block turned (a switch), a shatter block cracked,
// the ball jumped (a teleport or a recall) or stands on a booster or angle.
bool workedGizmo(const Board& board, const PlayState& before, const PlayState& after) {
    for (int i = 0; i < 2; ++i)
        if (before.gizmos.lockStates[i] != after.gizmos.lockStates[i] && after.gizmos.lockStates[i] == 2) return true;
    if (std::abs(before.ball.x - after.ball.x) + std::abs(before.ball.y - after.ball.y) > 1) return true;
    int under = board.tileCategory(after.ball.x, after.ball.y);
    if (after.ball.atCentre() && (under == Category::Booster || (under >= Code::AngleBottomRight &&
                                                                 under <= Code::AngleTopLeft)))
        return true;
    for (int x = 0; x < kBoardWidth; ++x)
        for (int y = 0; y < kBoardHeight; ++y) {
            int c = board.tileCategory(x, y);
            if ((c == Category::BeamBlock || c == Category::Shatter) &&
                before.gizmos.cellStates[x][y] != after.gizmos.cellStates[x][y])
                return true;
        }
    return false;
}

MoveResult playWatched(const Board& board, PlayState& state, int direction, Watched& watched) {
    PlayState previous = state;
    return MoveSimulator::play(board, state, direction, MoveSimulator::kDefaultTickCap, [&](const PlayState& now) {
        watched.gizmo = watched.gizmo || workedGizmo(board, previous, now);
        if (now.ball.direction != Dir::None) watched.heading = now.ball.direction;
        previous = now;
    });
}

}  // namespace

bool SolutionMoves::classify(const Board& source, const std::string& solution, IdeaMeasures& out) {
    Board board = source;
    board.locateStartAndEnd();
    out.gizmoMoves = out.plainMoves = out.dependentMoves = 0;
    PlayState state = PlayState::start(board);
    for (char letter : solution) {
        int direction = directionOf(letter);
        // The same rest, with the board as the level starts.
        PlayState fresh = PlayState::start(board);
        fresh.ball = state.ball;
        MoveResult alone = MoveSimulator::play(board, fresh, direction);

        Watched watched;
        MoveResult move = playWatched(board, state, direction, watched);
        if (move.outcome != MoveOutcome::Rested && move.outcome != MoveOutcome::Solved) return false;
        if (alone.outcome != move.outcome || fresh.ball.x != state.ball.x || fresh.ball.y != state.ball.y)
            ++out.dependentMoves;
        if (watched.gizmo) {
            ++out.gizmoMoves;
        } else if (move.outcome == MoveOutcome::Rested) {
            int x = state.ball.x, y = state.ball.y;
            Board::step(watched.heading, x, y);
            out.plainMoves += isWall(board, x, y);
        }
    }
    return true;
}

void SolutionMoves::wallShapes(const Board& board, IdeaMeasures& out) {
    out.loneStones = out.interiorWalls = out.bigPieces = 0;
    for (int x = 1; x < kBoardWidth - 1; ++x)
        for (int y = 1; y < kBoardHeight - 1; ++y) {
            if (!isWall(board, x, y)) continue;
            ++out.interiorWalls;
            bool alone = !isWall(board, x - 1, y) && !isWall(board, x + 1, y) && !isWall(board, x, y - 1) &&
                         !isWall(board, x, y + 1);
            out.loneStones += alone;
        }
    // Pieces: wall cells joined side by side, anywhere on the board.
    std::vector<int> piece(size_t(kBoardWidth * kBoardHeight), -1);
    int pieces = 0;
    for (int x = 0; x < kBoardWidth; ++x)
        for (int y = 0; y < kBoardHeight; ++y) {
            if (!isWall(board, x, y) || piece[size_t(x * kBoardHeight + y)] >= 0) continue;
            std::vector<int> stack{x * kBoardHeight + y};
            piece[size_t(stack[0])] = pieces;
            int size = 0;
            while (!stack.empty()) {
                int cell = stack.back();
                stack.pop_back();
                ++size;
                for (int d = Dir::Up; d <= Dir::Left; ++d) {
                    int nx = cell / kBoardHeight, ny = cell % kBoardHeight;
                    Board::step(d, nx, ny);
                    if (!isWall(board, nx, ny) || piece[size_t(nx * kBoardHeight + ny)] >= 0) continue;
                    piece[size_t(nx * kBoardHeight + ny)] = pieces;
                    stack.push_back(nx * kBoardHeight + ny);
                }
            }
            ++pieces;
            out.bigPieces += size >= 4;
        }
}

}  // namespace qm
