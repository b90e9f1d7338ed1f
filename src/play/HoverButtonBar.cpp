// The play screen's frame, its menu/restart/skip buttons, the editor palette
// down the right edge, and the ball's hover arrow that follows the pointer.
#include "play/HoverButtonBar.h"

#include "play/AssetCatalogue.h"
#include "play/Globals.h"
#include "play/GroupProgress.h"
#include "play/PlayInput.h"
#include "play/LevelMap.h"
#include "runtime/Diagnostics.h"
#include "runtime/Graphics.h"
#include "runtime/TextConv.h"

namespace qm {

namespace {

constexpr int kFirstPaletteEntry = 3;
constexpr int kPaletteCount = 26;

// The glow pictures are placed by their top-left corner, not their centre.
ImagePtr loadCornerImage(const std::string& path) {
    setAutoMidHandle(0);
    ImagePtr image = loadImage(path, -1);
    setAutoMidHandle(1);
    return image;
}

// The board cell under a screen pixel; the quotient truncates toward zero,
// so the strip just left of and above the board still counts as column/row 0.
int cellOfPixel(int pixel) { return (pixel - 64) / 32; }

}  // namespace

std::shared_ptr<HoverButtonBar> HoverButtonBar::create() {
    auto bar = std::make_shared<HoverButtonBar>();
    bar->progressIndicator = GroupProgress::create();
    ImagePtr menuGlow = loadCornerImage("media\\hover_menu.png");
    ImagePtr restartGlow = loadCornerImage("media\\hover_restart.png");
    ImagePtr skipGlow = loadCornerImage("media\\hover_skip.png");
    bar->buttonCount = 29;
    bar->buttons.assign(size_t(bar->buttonCount), nullptr);
    bar->buttons[0] = MouseButton::create(60, 208, 525, 590, 58, 527, menuGlow);
    bar->buttons[1] = MouseButton::create(336, 527, 525, 599, 337, 529, restartGlow);
    bar->buttons[2] = MouseButton::create(584, 707, 523, 594, 584, 526, skipGlow);
    bar->initializeEditorButtons();
    return bar;
}

void HoverButtonBar::initializeEditorButtons() {
    debugLog("initializeEditorButtons");
    setAutoMidHandle(0);
    ImagePtr glowSmall = loadImage("media\\editorbuttonglowsmall.png", -1);
    editorHud = loadImage("media\\editorhud.png", -1);
    setAutoMidHandle(1);
    if (int(buttons.size()) < buttonCount) buttons.resize(size_t(buttonCount));
    // Two columns by thirteen rows, numbered left to right, then down.
    for (int n = 0; n < kPaletteCount; ++n) {
        int c = n % 2;
        int r = n / 2;
        int x1 = 706 + 32 * c;
        int y1 = 58 + 32 * r;
        auto button = MouseButton::create(x1, x1 + 32, y1, y1 + 32, x1, y1, glowSmall);
        button->active = 0;
        buttons[size_t(kFirstPaletteEntry + n)] = button;
        debugLog("editor button " + str(n) + " at " + str(x1) + "," + str(y1));
    }
}

void HoverButtonBar::setEditorButtonsActive(int flag) {
    for (int i = kFirstPaletteEntry; i < int(buttons.size()); ++i) {
        if (buttons[size_t(i)]) buttons[size_t(i)]->active = flag;
    }
}

void HoverButtonBar::update() {
    if (currentMap && currentMap->ball) currentMap->ball->hoverDirection = 0;
    for (auto& button : buttons) {
        if (!button) continue;
        button->fade();
        button->hover(PlayInput::mouseX, PlayInput::mouseY);
    }
    updateHoverDirection();
}

void HoverButtonBar::updateHoverDirection() {
    if (!currentMap || !currentMap->ball) return;
    if (PlayInput::isMouseIdle() == 1) return;
    int direction = directionFromBall(LevelMap::mouseCellX(), LevelMap::mouseCellY());
    if (direction != 0) currentMap->ball->hoverDirection = direction;
}

int HoverButtonBar::directionFromBall(int cx, int cy) {
    if (!currentMap || !currentMap->ball) return 0;
    if (cx < 0 || cx > 19 || cy < 0 || cy > 13) return 0;
    int dx = cx - currentMap->play.ball.x;
    int dy = cy - currentMap->play.ball.y;
    if (dx == 0 && dy == 0) return 0;
    // By quadrant; when |dx| equals |dy| the vertical direction wins.
    if (dx >= 0 && dy <= 0) return dx > -dy ? Dir::Right : Dir::Up;
    if (dx < 0 && dy <= 0) return -dx > -dy ? Dir::Left : Dir::Up;
    if (dx < 0) return -dx > dy ? Dir::Left : Dir::Down;
    return dx > dy ? Dir::Right : Dir::Down;
}

void HoverButtonBar::draw(bool withEditorHud) {
    if (AssetCatalogue::borderImage) drawImage(AssetCatalogue::borderImage, 0, 0, 0);
    if (progressIndicator) progressIndicator->draw();
    setAlpha(1);
    if (withEditorHud && editorHud) drawImage(editorHud, 706, 0, 0);
    setBlend(BLEND_LIGHT);
    for (auto& button : buttons) {
        if (button) button->draw();
    }
    setAlpha(1);
    setBlend(BLEND_ALPHA);
}

int HoverButtonBar::hitTest(int x, int y) {
    for (int i = 0; i < int(buttons.size()); ++i) {
        if (buttons[size_t(i)] && buttons[size_t(i)]->contains(x, y)) {
            debugLog("Click!");
            return i;
        }
    }
    if (currentMap && currentMap->tileCategory(cellOfPixel(x), cellOfPixel(y)) != Category::OffBoard) return 99;
    return -1;
}

}  // namespace qm
