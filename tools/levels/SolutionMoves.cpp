// Each move of a solution played twice: once as the solution plays it,
// watching tick by tick what the ball meets, and once from the same rest
// with the gizmos as the level starts.
#include "SolutionMoves.h"

#include <cstdlib>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "rules/MoveSimulator.h"
#include "rules/PlayState.h"
#include "rules/Solver.h"
#include "TickWork.h"

namespace qm {

namespace {

bool isWall(const Board& board, int x, int y) {
    int code = board.code(x, y);
    return Board::onBoard(x, y) && code >= board.firstWallCode && code <= board.lastWallCode;
}

// What one move did, seen tick by tick.
struct Watched {
    unsigned work = 0;
    int heading = Dir::None;  // the way the ball last rolled
    std::set<int> knocked;    // shatter cells cracked or broken, x * kBoardHeight + y
};

MoveResult playWatched(const Board& board, PlayState& state, int direction, Watched& watched) {
    PlayState previous = state;
    return MoveSimulator::play(board, state, direction, MoveSimulator::kDefaultTickCap, [&](const PlayState& now) {
        TickWork tick = TickWork::between(board, previous, now);
        watched.work |= tick.work;
        watched.knocked.insert(tick.knocked.begin(), tick.knocked.end());
        if (now.ball.direction != Dir::None) watched.heading = now.ball.direction;
        previous = now;
    });
}

// "key1+teleport" for the gizmos one move works.
std::string workName(unsigned work) {
    std::string name;
    for (int i = 0; i < 8; ++i)
        if (work & (1u << i)) name += (name.empty() ? "" : "+") + std::string(TickWork::kNames[i]);
    return name;
}

}  // namespace

bool SolutionMoves::classify(const Board& source, const std::string& solution, IdeaMeasures& out) {
    Board board = source;
    board.locateStartAndEnd();
    out.gizmoMoves = out.plainMoves = out.dependentMoves = out.grindMoves = out.grind = out.shatterGrind = 0;
    out.worked.clear();
    std::string lastWork;
    int repeats = 0;
    auto flushWork = [&] {
        if (lastWork.empty()) return;
        out.worked += (out.worked.empty() ? "" : ", ") + lastWork + (repeats > 1 ? " x" + std::to_string(repeats) : "");
    };
    PlayState state = PlayState::start(board);
    // Where the ball has rested and which blocks it has knocked: a move back
    // to either is a loop.
    std::set<int> rests{state.ball.x * kBoardHeight + state.ball.y}, knocked;
    int loops = 0;
    // Each rest's last visit (the move after which the ball stood there) and
    // the last move that knocked a block: a rest left and found again with a
    // knock between is a loop on the block.
    std::map<int, int> lastVisit{{state.ball.x * kBoardHeight + state.ball.y, 0}};
    int lastKnock = -1, moveNumber = 0, shatterLoops = 0;
    for (char letter : solution) {
        int direction = directionOfLetter(letter);
        // The same rest, with the board as the level starts.
        PlayState fresh = PlayState::start(board);
        fresh.ball = state.ball;
        MoveResult alone = MoveSimulator::play(board, fresh, direction);

        Watched watched;
        MoveResult move = playWatched(board, state, direction, watched);
        if (move.outcome != MoveOutcome::Rested && move.outcome != MoveOutcome::Solved) return false;
        if (alone.outcome != move.outcome || fresh.ball.x != state.ball.x || fresh.ball.y != state.ball.y)
            ++out.dependentMoves;
        ++moveNumber;
        int rest = state.ball.x * kBoardHeight + state.ball.y;
        bool again = !rests.insert(rest).second;
        bool knockedAgain = false;
        for (int cell : watched.knocked) knockedAgain = !knocked.insert(cell).second || knockedAgain;
        loops += again || knockedAgain;
        if (!watched.knocked.empty()) lastKnock = moveNumber;
        auto visit = lastVisit.find(rest);
        shatterLoops += knockedAgain || (visit != lastVisit.end() && lastKnock > visit->second);
        lastVisit[rest] = moveNumber;
        if (watched.work) {
            ++out.gizmoMoves;
            // Runs of the same work are one step of the story: "shatter x3".
            std::string name = workName(watched.work);
            if (name == lastWork) {
                ++repeats;
                out.grindMoves += watched.work == TickWork::Shatter;
            } else {
                flushWork();
                lastWork = name;
                repeats = 1;
            }
        } else if (move.outcome == MoveOutcome::Rested) {
            int x = state.ball.x, y = state.ball.y;
            Board::step(watched.heading, x, y);
            out.plainMoves += isWall(board, x, y);
        }
    }
    flushWork();
    out.grind = loops > 2 ? loops - 2 : 0;
    out.shatterGrind = shatterLoops > 2 ? shatterLoops - 2 : 0;
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
