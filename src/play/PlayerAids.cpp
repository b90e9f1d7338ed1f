#include "play/PlayerAids.h"

#include <algorithm>

#include "play/Globals.h"
#include "play/PersonalBest.h"
#include "play/BoardTransition.h"
#include "play/LevelMap.h"
#include "play/TextFace.h"
#include "rules/MoveSimulator.h"
#include "runtime/Background.h"
#include "runtime/Graphics.h"
#include "runtime/Input.h"
#include "runtime/TextConv.h"

namespace qm {

namespace {

constexpr int kKeyU = 85;
constexpr int kKeyH = 72;

int directionOfLetter(char letter) {
    switch (letter) {
        case 'U': return 1;
        case 'R': return 2;
        case 'D': return 3;
        case 'L': return 4;
        default: return 0;
    }
}

bool levelIsEnding() { return mapTransition && mapTransition->isAdvancing(); }

}  // namespace

std::shared_ptr<PlayerAids> PlayerAids::create(int profileNumber) {
    auto aids = std::make_shared<PlayerAids>();
    aids->personalBest = PersonalBest::create(profileNumber);
    int mid = autoMidHandle();
    setAutoMidHandle(0);
    aids->movesBox = loadImage("media\\movesBox.png", -1);
    aids->levelPlate = loadImage("media\\levelPlate.png", -1);
    setAutoMidHandle(mid);
    return aids;
}

bool PlayerAids::ballRests(LevelMap& board) {
    if (!board.ball || board.play.ball.direction != 0 || !board.play.ball.atCentre()) {
        restIsFinal = false;
        return false;
    }
    // A halt on a booster or angle block that rolls on by itself is part of
    // the move; only a rest the player must end counts, as for the solver.
    if (!restIsFinal) restIsFinal = MoveSimulator::restsForGood(board, board.play);
    return restIsFinal;
}

void PlayerAids::startAttempt() {
    history.clear();
    moves = 0;
    hintTicks = 0;
    messageTicks = 0;
    restIsFinal = false;
    pendingHint = {};
}

void PlayerAids::startTracking(LevelMap& board) {
    trackedBoard = &board;
    trackedEditor = editorOn;
    startAttempt();
    solvedRecorded = false;
    par = -1;
    if (!board.ball || board.endX < 0) return;
    Solver solver(board, board.play);
    solver.stateCap = kParStateCap;
    SolveResult result = solver.solve();
    if (result.solved) par = int(result.moves.size());
}

void PlayerAids::beforeBoardStep(int boardActive) {
    bool undoPressed = keyHit(kKeyU) > 0;
    undoPressed = keyHit(VK_BACKSPACE) > 0 || undoPressed;
    bool hintPressed = keyHit(kKeyH) > 0;
    if (messageTicks > 0) messageTicks--;
    if (solvedTicks > 0) solvedTicks--;

    LevelMap* board = currentMap.get();
    if (!board || editorOn == 1) {
        trackedEditor = editorOn;
        return;
    }
    // A new board, or a board that left the editor (it may have changed): a
    // fresh attempt with no history.
    if (board != trackedBoard || trackedEditor == 1) startTracking(*board);
    if (pendingHint.valid()) collectHint();
    if (levelIsEnding() || !ballRests(*board)) return;

    if (boardActive == 1 && undoPressed) undo();
    if (boardActive == 1 && hintPressed) requestHint();
}

void PlayerAids::afterBoardStep(const TickEvents& events) {
    LevelMap* board = currentMap.get();
    if (!board || board != trackedBoard || editorOn == 1) return;
    if (events.restarted) {
        // A restart (R or rolling off): a fresh attempt, and the hint or the
        // "no way" notice of the last one no longer applies.
        startAttempt();
        return;
    }
    if (events.startedRolling) {
        // The player's direction is taken at the end of a tick, where the ball
        // stood: that rest, even when the ball only reached it this tick with
        // the key already held. A halt that a gizmo overrules is no move.
        PlayState rest = board->play;
        rest.ball.direction = 0;
        if (MoveSimulator::restsForGood(*board, rest)) {
            history.push_back(rest);
            moves++;
            hintTicks = 0;
        }
    }
    if (!solvedRecorded && events.solved) {
        solvedRecorded = true;
        if (personalBest) personalBest->record(board->levelNumber, moves);
        solvedTicks = kSolvedTicks;
        solvedMoves = moves;
    }
    if (hintTicks > 0 && board->ball) board->ball->hoverDirection = hintDirection;
}

bool PlayerAids::undo() {
    LevelMap* board = currentMap.get();
    if (!board || history.empty() || levelIsEnding() || !ballRests(*board)) return false;
    board->play = history.back();
    history.pop_back();
    moves = moves > 0 ? moves - 1 : 0;
    hintTicks = 0;
    return true;
}

bool PlayerAids::requestHint() {
    LevelMap* board = currentMap.get();
    if (!board || !ballRests(*board) || levelIsEnding()) return false;
    hintFrom = board->play;
    // The worker gets its own copies: the board may be replaced, and the play
    // goes on, while it searches.
    Solver solver(*board, hintFrom);
    solver.stateCap = kHintStateCap;
    pendingHint = startInBackground([solver]() mutable { return solver.solve(); });
    return true;
}

int PlayerAids::collectHint() {
    if (!pendingHint.valid()) return 0;
    SolveResult result = pendingHint.get();
    LevelMap* board = currentMap.get();
    if (!board || board != trackedBoard || !ballRests(*board) || !MoveSimulator::sameRest(*board, board->play, hintFrom))
        return 0;
    if (!result.solved || result.moves.empty()) {
        hintDirection = 0;
        hintTicks = 0;
        messageTicks = kMessageTicks;
        return 0;
    }
    hintDirection = directionOfLetter(result.moves[0]);
    hintTicks = kHintTicks;
    messageTicks = 0;
    if (board->ball) board->ball->hoverDirection = hintDirection;
    return hintDirection;
}

int PlayerAids::hint() { return requestHint() ? collectHint() : 0; }

void PlayerAids::draw() const {
    if (!currentMap || editorOn == 1) return;
    setBlend(BLEND_ALPHA);
    setAlpha(1);
    setColour(255, 255, 255);
    // The level's name above the board (levels as the player counts them).
    constexpr float kBoardMiddle = 384;
    if (levelPlate) drawImage(levelPlate, kBoardMiddle - float(levelPlate->width / 2), 12, 0);
    setColour(255, 231, 160);
    TextFace::draw(TextFace::LABEL, "Level " + str(currentMap->levelNumber + 1), kBoardMiddle, 34, TextFace::CENTRE);
    // The moves box in the free strip of the frame between Menu and Restart.
    setColour(255, 255, 255);
    if (movesBox) drawImage(movesBox, 214, 530, 0);
    setColour(246, 236, 210);
    TextFace::draw(TextFace::LABEL, "Moves " + str(moves), 273, 553, TextFace::CENTRE);
    int best = personalBest ? personalBest->best(currentMap->levelNumber) : 0;
    std::string figures = "par " + (par >= 0 ? str(par) : std::string("-")) + "   best " +
                          (best > 0 ? str(best) : std::string("-"));
    TextFace::draw(TextFace::SMALL, figures, 273, 575, TextFace::CENTRE);
    if (messageTicks > 0) {
        setColour(0, 0, 0);
        setAlpha(0.7f);
        drawRect(230, 246, 340, 60);
        setAlpha(1);
        setColour(255, 220, 120);
        TextFace::draw(TextFace::LABEL, "No way to the goal from here.", 400, 270, TextFace::CENTRE);
        TextFace::draw(TextFace::LABEL, "Press R to restart the level.", 400, 292, TextFace::CENTRE);
    }
    if (solvedTicks > 0) drawSolvedWord();
    setColour(255, 255, 255);
    setAlpha(1);
}

void PlayerAids::drawSolvedWord() const {
    // In at once, out over the last third of a second.
    float alpha = std::min(1.0f, float(solvedTicks) / 20.0f);
    setAlpha(alpha);
    setColour(255, 214, 90);
    TextFace::draw(TextFace::TITLE, "Solved!", 384, 282, TextFace::CENTRE);
    std::string line = str(solvedMoves) + (solvedMoves == 1 ? " move" : " moves");
    if (par >= 0) line += solvedMoves <= par ? ", par reached" : ", par " + str(par);
    setColour(246, 236, 210);
    TextFace::draw(TextFace::LABEL, line, 384, 310, TextFace::CENTRE);
    setAlpha(1);
}

}  // namespace qm
