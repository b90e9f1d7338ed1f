#include "play/PlayerAids.h"

#include "play/Globals.h"
#include "play/PersonalBest.h"
#include "play/BoardTransition.h"
#include "play/LevelMap.h"
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
    wasResting = false;
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
    if (hintTicks > 0) hintTicks--;
    if (messageTicks > 0) messageTicks--;

    LevelMap* board = currentMap.get();
    wasResting = false;
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
    wasResting = true;
    restingState = board->play;
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
    if (wasResting && board->play.ball.direction != 0) {
        history.push_back(restingState);
        moves++;
        hintTicks = 0;
    }
    if (!solvedRecorded && events.solved) {
        solvedRecorded = true;
        if (personalBest) personalBest->record(board->levelNumber, moves);
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
    // The free strip of the frame between the Menu and Restart buttons.
    setBlend(BLEND_ALPHA);
    setColour(0, 0, 0);
    setAlpha(0.55f);
    drawRect(214, 532, 116, 52);
    setAlpha(1);
    setColour(255, 240, 200);
    drawText("Moves " + str(moves), 222, 536);
    drawText(par >= 0 ? "Par   " + str(par) : "Par   -", 222, 552);
    int best = personalBest ? personalBest->best(currentMap->levelNumber) : 0;
    drawText(best > 0 ? "Best  " + str(best) : "Best  -", 222, 568);
    if (messageTicks > 0) {
        const std::string first = "No way to the goal from here.";
        const std::string second = "Press R to restart the level.";
        setColour(0, 0, 0);
        setAlpha(0.7f);
        drawRect(250, 250, 300, 52);
        setAlpha(1);
        setColour(255, 220, 120);
        drawText(first, 400 - 4.0f * float(first.size()), 258);
        drawText(second, 400 - 4.0f * float(second.size()), 278);
    }
    setColour(255, 255, 255);
}

}  // namespace qm
