// Drawing the board the player sees: the cells through the board-art
// painter, in the editor's view when the caller asks for it, then the ball.
// It reads the board and changes nothing.
#include "play/BoardPainter.h"

#include "boardart/BoardCellPainter.h"
#include "play/AssetCatalogue.h"
#include "play/LevelMap.h"

namespace qm {

void BoardPainter::draw(const LevelMap& map, float originX, float originY, int withGlow,
                        const EditingView* editing) {
    BoardLook look;
    look.editing = editing != nullptr;
    look.strip = {map.protectedLeft, map.protectedTop, map.protectedRight, map.protectedBottom};
    look.shiftX = map.shiftX_;
    look.shiftY = map.shiftY_;
    if (withGlow == 1) look.glow = map.glow;
    BoardArt art = AssetCatalogue::boardArt();
    if (editing) art.editorTiles = editing->markers;
    BoardCellPainter::draw(map, map.play, art, look, originX, originY);
    if (map.ball) map.ball->draw(originX, originY);
}

}  // namespace qm
