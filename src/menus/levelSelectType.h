// The level choice: every level up to the furthest the player has reached,
// by group of five with the group's art, each with its state (solved,
// skipped, open) and the best against par. Arrows move, Enter plays, Escape
// goes back; the pointer chooses, a click plays the level under it, the wheel
// and the arrows scroll; a pad's d-pad, A and B are those keys. Opened from the main menu (L, the pad's Back button, or a
// click on the postcard).
#pragma once
#include <memory>
#include <vector>

#include "menus/menuScreenType.h"

namespace qm {

class levelSelectType : public menuScreenType {
public:
    static constexpr int kScreenNumber = 10;
    static constexpr int kVisibleGroups = 6;
    // Layout, in screen pixels.
    static constexpr int kFirstRowY = 92, kRowH = 70;
    static constexpr int kCellsX = 176, kCellW = 110, kCellH = 62, kCellGap = 6;
    // The scroll arrows: in the gaps above the first row and below the last.
    static constexpr int kArrowW = 48, kArrowH = 16, kArrowUpY = 72, kArrowDownY = 507;

    int selectedLevel = 0;
    int firstGroup = 0;     // the group in the top row
    int furthestLevel = 0;  // the last level that may be chosen
    std::vector<int> pars;  // per level; -1 unknown or no solution
    // The level the next opening chooses (the one just played again), or -1
    // for the level where Play goes on.
    int openOn = -1;

    static std::shared_ptr<levelSelectType> create();
    void resetMenu() override;
    // Opens on the level play continues with, the screens under it set aside.
    void openMenu() override;
    void closeMenu() override;
    void hideMenu() override;
    void handleInput() override;
    void activate(int byMouse) override;
    void drawMenu() override;
    // The level in the cell under a screen point, or -2.
    int buttonAt(int px, int py) override;

    void select(int level);
    // Shows `groups` more groups below (negative: above); a choice scrolled
    // away follows into view, and a pointer resting on a cell takes it.
    void scroll(int groups);
    int groupCount() const { return furthestLevel / 5 + 1; }

private:
    ImagePtr cells, numbers, arrows;
    void workOutPars();
    void drawRow(int group, int rowY, float alpha);
    void drawCell(int level, int x, int y, float alpha);
    void drawFooter(float alpha);
    // Back to the main menu, which takes the keyboard and the pointer again.
    void leave();
};

}  // namespace qm
