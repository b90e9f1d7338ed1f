// The level editor's tick: the version notice, the developer toggle, palette
// selection, painting and clearing with the mouse, and the key commands.
// Only the first key-table row that fires runs in a step; the keys of later
// rows are not read, so their presses wait for the next step.
#include "editor/EditorState.h"

#include "play/AssetCatalogue.h"
#include "play/Session.h"
#include "editor/EditorGlobals.h"
#include "play/Globals.h"
#include "play/PlayInput.h"
#include "play/HoverButtonBar.h"
#include "editor/ReachabilityView.h"
#include "play/LevelMap.h"
#include "runtime/Diagnostics.h"
#include "runtime/Graphics.h"
#include "runtime/Input.h"
#include "runtime/TextConv.h"

namespace qm {

namespace {

struct ModeInfo {
    int tile;               // what the left button writes; -1 paints nothing
    const char* selection;  // the debug line on selection, or nullptr
};

// Indexed by mode.
const ModeInfo kModes[25] = {
    {Code::WallBrush, "editor mode: normal"},
    {Code::Floor, "editor mode: clear"},
    {-1, "editor mode: tele"},
    {Code::Key1, "editor mode: key 1"},
    {Code::Key2, "editor mode: key 2"},
    {Code::Lock1, "editor mode: lock 1"},
    {Code::Lock2, "editor mode: lock 2"},
    {Code::Start, "editor mode: start"},
    {Code::End, "editor mode: end"},
    {Code::Shatter, "editor mode: shatter"},
    {Code::WeakShatter, "editor mode: shatter weak"},
    {Code::AngleTopLeft, "editor mode: angle block"},
    {Code::AngleBottomRight, nullptr},
    {Code::AngleTopRight, nullptr},
    {Code::AngleBottomLeft, nullptr},
    {Code::RecallPoint, nullptr},
    {Code::RecallPad, nullptr},
    {Code::BeamHorizontal, nullptr},
    {Code::BeamVertical, nullptr},
    {Code::Switch, nullptr},
    {-1, nullptr},
    {Code::BoosterUp, nullptr},
    {Code::BoosterDown, nullptr},
    {Code::BoosterLeft, nullptr},
    {Code::BoosterRight, nullptr},
};

void recompute() {
    if (reachabilityView) reachabilityView->recomputeReachability();
}

// The brush: every cell painted is searched again at once, so the numbers
// under the pointer follow the painting.
int setTile(LevelMap& map, int x, int y, int code) {
    int changed = map.setTile(x, y, code);
    if (changed == 1) recompute();
    return changed;
}

// A beam laid by the brush, with the lines the rules say about it.
void layBeam(LevelMap& map, int x, int y, int orientation) {
    RuleLog lines;
    map.play.gizmos._setBeam(x, y, orientation, map, &lines);
    for (const std::string& line : lines) debugLog(line);
}

void jumpToLevel(int n) {
    // The bracket keys must not walk off the campaign: there is no level -1
    // or 161, and the profile keeps one state per level 0..160.
    if (n < 0 || n > kLastLevel) return;
    if (session) session->startAtLevel(n);
}

}  // namespace

std::shared_ptr<EditorState> EditorState::create() {
    auto state = std::make_shared<EditorState>();
    state->mode = 0;
    return state;
}

int EditorState::modeForEntry(int entry) {
    switch (entry) {
        case 3: return 0;
        case 4: return 1;
        case 5: return 2;
        case 7: return 5;
        case 8: return 3;
        case 9: return 6;
        case 10: return 4;
        default: break;
    }
    if (entry >= 11 && entry <= 28) return entry - 4;
    return -1;
}

void EditorState::editorTick(int inputAllowed) {
    if (keyHit(86)) notify("Version 1.1.1", 0);

    if (developerMode == 1 && keyHit(69)) {
        if (editorOn == 1) {
            editorOn = 0;
            if (buttonBar) buttonBar->setEditorButtonsActive(0);
        } else {
            editorOn = 1;
            if (buttonBar) buttonBar->setEditorButtonsActive(1);
            recompute();
            PlayInput::resetInputAndFlush();
        }
        return;
    }
    if (editorOn != 1) return;

    selectFromPalette(PlayInput::buttonCode);

    // Holding our own reference: a level jump replaces the current board
    // while its update is still running.
    std::shared_ptr<LevelMap> map = currentMap;
    if (!map) return;
    // A level that started while editing (the slide, a jump) is searched anew.
    if (map.get() != searchedBoard) {
        recompute();
        searchedBoard = map.get();
    }
    runKeyTable(*map, inputAllowed);
}

void EditorState::selectFromPalette(int buttonCode) {
    int selected = modeForEntry(buttonCode);
    if (selected < 0) return;
    mode = selected;
    if (kModes[selected].selection) debugLog(kModes[selected].selection);
}

bool EditorState::runKeyTable(LevelMap& map, int inputAllowed) {
    // Z is read (and so used up) even while an overlay keeps it from acting.
    if (keyHit(90) && inputAllowed == 1) {
        map.randomize(8);
        recompute();
        return true;
    }
    static const int kJumpLevels[9] = {0, 5, 10, 15, 20, 25, 30, 35, 40};
    for (int i = 0; i < 9; ++i) {
        if (keyHit(49 + i)) {
            jumpToLevel(kJumpLevels[i]);
            return true;
        }
    }
    if (keyHit(48)) {
        jumpToLevel(79);
        return true;
    }
    if (keyHit(219)) {
        jumpToLevel(map.levelNumber - 1);
        return true;
    }
    if (keyHit(221)) {
        jumpToLevel(map.levelNumber + 1);
        return true;
    }
    if (keyHit(76)) {
        map.load();
        recompute();
        return true;
    }
    if (keyHit(VK_ENTER)) {
        map.save(1);
        return true;
    }
    if (keyHit(80)) {
        recompute();
        return true;
    }
    if (keyHit(78)) {
        if (session) session->finishLevel(0);
        if (reachabilityView) reachabilityView->buildNextMap();
        return true;
    }
    int cx = LevelMap::mouseCellX();
    int cy = LevelMap::mouseCellY();
    if (mouseDown(1)) {
        paint(map, cx, cy);
        return true;
    }
    if (mouseDown(2)) {
        clear(map, cx, cy);
        return true;
    }
    if (keyHit(187)) {
        setTile(map, cx, cy, Code::Start);
        return true;
    }
    if (keyHit(189)) {
        setTile(map, cx, cy, Code::End);
        return true;
    }
    if (keyHit(81)) {
        if (reachabilityView) reachabilityView->cycleKeyDisplayMode();
        return true;
    }
    for (int k = 0; k <= 7; ++k) {
        if (keyHit(96 + k)) {
            setTile(map, cx, cy, Code::FirstTeleport + k);
            return true;
        }
    }
    if (keyHit(104)) {
        setTile(map, cx, cy, Code::RecallPoint);
        return true;
    }
    if (keyHit(105)) {
        setTile(map, cx, cy, Code::RecallPad);
        return true;
    }
    if (keyHit(65)) {
        map.tileSet += 1;
        if (map.tileSet >= 33) map.tileSet = 0;
        AssetCatalogue::selectArtStyle(map.tileSet);
        return true;
    }
    return false;
}

void EditorState::paint(LevelMap& map, int x, int y) {
    if (map.isOutsideProtected(x, y) != 1) return;
    if (mode < 0 || mode > 24) return;
    if (mode == 20) {
        debugLog("switch 2 unimplemented");
        return;
    }
    int tile = kModes[mode].tile;
    if (tile < 0) return;
    int changed = setTile(map, x, y, tile);
    switch (mode) {
        case 9:
            map.play.gizmos.setCellState(x, y, 0);
            break;
        case 10:
            map.play.gizmos.setCellState(x, y, 1);
            break;
        case 17:
            if (changed == 1) {
                debugLog("created Horizontal beam block");
                layBeam(map, x, y, 2);
            }
            break;
        case 18:
            if (changed == 1) {
                debugLog("created vertical beam block");
                layBeam(map, x, y, 1);
            }
            break;
        default:
            break;
    }
}

// The end may be cleared even inside the protected strip; nothing else there.
void EditorState::clear(LevelMap& map, int x, int y) {
    if (map.isOutsideProtected(x, y) == 1 || map.tileCategory(x, y) == Code::End) setTile(map, x, y, Code::Floor);
}

std::string EditorState::helpLine(int i) {
    switch (i) {
        case 0:
            return "(O)(U)Key (I)(Y)lock| (A)rt Style|Mouse: add\\remove walls| Plus\\Minus: End\\Start points";
        case 1:
            return "LVL " + str(currentMap ? currentMap->levelNumber : 0) +
                   ": (L)oad|(Enter)Save|randomi(Z)e|create (N)extmap|(1-9)Levelskip|(Square brackets)Move level";
        case 2:
            return "(Q) cycle key display mode";
        default:
            return "";
    }
}

}  // namespace qm
