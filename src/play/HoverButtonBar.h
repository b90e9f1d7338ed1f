// The play screen's frame, its menu/restart/skip buttons, the editor palette
// and the ball's hover arrow that follows the pointer.
#pragma once
#include <memory>
#include <vector>
#include "play/MouseButton.h"

namespace qm {

class GroupProgress;

class HoverButtonBar {
public:
    std::vector<std::shared_ptr<MouseButton>> buttons;
    int buttonCount = 29;
    std::shared_ptr<GroupProgress> progressIndicator;
    ImagePtr editorHud;

    static std::shared_ptr<HoverButtonBar> create();
    void initializeEditorButtons();
    void setEditorButtonsActive(int flag);
    void update();
    void updateHoverDirection();
    // The way from the ball to a board cell (1 up, 2 right, 3 down, 4 left),
    // 0 off the board or on the ball's own cell.
    static int directionFromBall(int cellX, int cellY);
    // The editor's palette shows over the frame while the editor is on (the controller says).
    void draw(bool withEditorHud = false);
    int hitTest(int x, int y);
};

}  // namespace qm
