#include "play/PlayerAids.h"

#include <string>

#include "play/LevelRun.h"
#include "runtime/Graphics.h"
#include "runtime/TextConv.h"

namespace qm {

void PlayerAids::draw(const LevelRun& run) {
    // The free strip of the frame between the Menu and Restart buttons.
    setBlend(BLEND_ALPHA);
    setColour(0, 0, 0);
    setAlpha(0.55f);
    drawRect(214, 532, 116, 52);
    setAlpha(1);
    setColour(255, 240, 200);
    drawText("Moves " + str(run.moves()), 222, 536);
    int par = run.par();
    drawText(par >= 0 ? "Par   " + str(par) : "Par   -", 222, 552);
    int best = run.best();
    drawText(best > 0 ? "Best  " + str(best) : "Best  -", 222, 568);
    if (run.messageTicks > 0) {
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
