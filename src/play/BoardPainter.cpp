// Drawing the board the player sees: the cells through the board-art
// painter, in the editor's view while the editor is on, then the ball. It
// reads the board and changes nothing.
#include "play/BoardPainter.h"

#include "boardart/BoardCellPainter.h"
#include "play/AssetCatalogue.h"
#include "play/Globals.h"
#include "play/LevelMap.h"

namespace qm {

void BoardPainter::draw(const LevelMap& map, float originX, float originY, int withGlow) {
    BoardLook look;
    look.editing = editorOn != 0;
    look.strip = {map.protectedLeft, map.protectedTop, map.protectedRight, map.protectedBottom};
    look.shiftX = map.shiftX_;
    look.shiftY = map.shiftY_;
    if (withGlow == 1) look.glow = map.glow;
    BoardArt art = AssetCatalogue::boardArt();
    art.editorTiles = editorTilesImage;
    BoardCellPainter::draw(map, map.play, art, look, originX, originY);
    if (map.ball) map.ball->draw(originX, originY);
}

}  // namespace qm
