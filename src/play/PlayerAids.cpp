#include "play/PlayerAids.h"

#include <algorithm>
#include <string>

#include "play/LevelRun.h"
#include "play/TextFace.h"
#include "runtime/Graphics.h"
#include "runtime/TextConv.h"

namespace qm {

std::shared_ptr<PlayerAids> PlayerAids::create() {
    auto aids = std::make_shared<PlayerAids>();
    int mid = autoMidHandle();
    setAutoMidHandle(0);
    aids->movesBox = loadImage("media\\movesBox.png", -1);
    aids->levelPlate = loadImage("media\\levelPlate.png", -1);
    setAutoMidHandle(mid);
    return aids;
}

void PlayerAids::draw(const LevelRun& run, int levelNumber) const {
    setBlend(BLEND_ALPHA);
    setAlpha(1);
    setColour(255, 255, 255);
    // The level's name above the board (levels as the player counts them).
    constexpr float kBoardMiddle = 384;
    if (levelPlate) drawImage(levelPlate, kBoardMiddle - float(levelPlate->width / 2), 12, 0);
    setColour(255, 231, 160);
    TextFace::draw(TextFace::LABEL, "Level " + str(levelNumber + 1), kBoardMiddle, 34, TextFace::CENTRE);
    // The moves box in the free strip of the frame between Menu and Restart.
    setColour(255, 255, 255);
    if (movesBox) drawImage(movesBox, 214, 530, 0);
    setColour(246, 236, 210);
    TextFace::draw(TextFace::LABEL, "Moves " + str(run.moves()), 273, 553, TextFace::CENTRE);
    int par = run.par();
    int best = run.best();
    std::string figures = "par " + (par >= 0 ? str(par) : std::string("-")) + "   best " +
                          (best > 0 ? str(best) : std::string("-"));
    TextFace::draw(TextFace::SMALL, figures, 273, 575, TextFace::CENTRE);
    if (run.messageTicks > 0) {
        setColour(0, 0, 0);
        setAlpha(0.7f);
        drawRect(230, 246, 340, 60);
        setAlpha(1);
        setColour(255, 220, 120);
        TextFace::draw(TextFace::LABEL, "No way to the goal from here.", 400, 270, TextFace::CENTRE);
        TextFace::draw(TextFace::LABEL, "Press R to restart the level.", 400, 292, TextFace::CENTRE);
    }
    if (solvedTicks > 0) drawSolvedWord(par);
    setColour(255, 255, 255);
    setAlpha(1);
}

void PlayerAids::drawSolvedWord(int par) const {
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
