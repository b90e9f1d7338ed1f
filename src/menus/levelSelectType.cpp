// The level choice screen: a panel over the main menu with six groups of
// five levels at a time, scrolling as the choice moves.
#include "menus/levelSelectType.h"

#include <algorithm>

#include "menus/mainMenuType.h"
#include "play/AssetCatalogue.h"
#include "menus/MenuGlobals.h"
#include "play/Globals.h"
#include "play/LevelMap.h"
#include "play/PersonalBest.h"
#include "play/LevelPars.h"
#include "play/PlayerProfile.h"
#include "play/Session.h"
#include "play/TextFace.h"
#include "runtime/Clock.h"
#include "runtime/Diagnostics.h"
#include "runtime/Graphics.h"
#include "runtime/Input.h"
#include "runtime/TextConv.h"

namespace qm {

namespace {

constexpr int kUnknownPar = -2;
constexpr int kKeyL = 'L';

int levelState(int level) { return playerProfile ? playerProfile->levelState(level) : 0; }

int bestOf(int level) {
    return personalBest ? personalBest->best(level) : 0;
}

// The row's top edge on screen, or -1 when the group is scrolled away.
int rowTop(int group, int firstGroup) {
    int row = group - firstGroup;
    if (row < 0 || row >= levelSelectType::kVisibleGroups) return -1;
    return levelSelectType::kFirstRowY + row * levelSelectType::kRowH;
}

int cellLeft(int indexInGroup) {
    return levelSelectType::kCellsX + indexInGroup * (levelSelectType::kCellW + levelSelectType::kCellGap);
}

void cream(float alpha) {
    setColour(246, 236, 210);
    setAlpha(alpha);
}

}  // namespace

std::shared_ptr<levelSelectType> levelSelectType::create() {
    auto menu = std::make_shared<levelSelectType>();
    menu->setupMenu(0, 0, 0, -1, -1, 0, 0, 0, 0, 0, "levelChoice.png", "", kScreenNumber, "", 0, 0);
    int mid = autoMidHandle();
    setAutoMidHandle(0);
    menu->cells = loadAnimImage("media\\levelCells.png", kCellW, kCellH, 0, 3, -1);
    menu->numbers = loadAnimImage("media\\levelNumbers.png", 52, 30, 0, kLastLevel + 1, -1);
    menu->arrows = loadAnimImage("media\\levelArrows.png", kArrowW, kArrowH, 0, 2, -1);
    setAutoMidHandle(mid);
    menu->pars.assign(kLastLevel + 1, kUnknownPar);
    menu->resetMenu();
    return menu;
}

void levelSelectType::resetMenu() {
    state = CLOSED;
    fade = 0;
    pageTurnOnOpen = 1;
}

void levelSelectType::openMenu() {
    furthestLevel = playerProfile ? std::min(playerProfile->furthestLevel(), kLastLevel) : 0;
    workOutPars();
    firstGroup = 0;
    select(openOn >= 0 ? openOn : playerProfile ? playerProfile->playableLevel() : 0);
    openOn = -1;
    // The choice shows lit until the pointer really moves: a pointer resting
    // where it was does not take the highlight away.
    lastMouseX = mouseX();
    lastMouseY = mouseY();
    mouseWheel();  // turns of the wheel before the choice opened are not for it
    // The screens under this one neither show through nor take the pointer.
    if (mainMenu) {
        mainMenu->closeSubmenus(1);
        mainMenu->blocked = 1;
    }
    menuScreenType::openMenu();
}

void levelSelectType::closeMenu() {
    menuScreenType::closeMenu();
    if (mainMenu) mainMenu->blocked = 0;
}

void levelSelectType::hideMenu() {
    menuScreenType::hideMenu();
    if (mainMenu) mainMenu->blocked = 0;
}

void levelSelectType::leave() { closeMenu(); }

void levelSelectType::workOutPars() {
    for (int level = 0; level <= furthestLevel; ++level) {
        if (pars[size_t(level)] != kUnknownPar) continue;
        Board board;
        if (!LevelMap::readBoard(level, board) || board.endX < 0) {
            pars[size_t(level)] = -1;
            continue;
        }
        PlayState start = PlayState::start(board);
        pars[size_t(level)] = levelPars ? levelPars->of(level, board, start).get() : LevelPars::workOut(board, start).get();
    }
}

void levelSelectType::select(int level) {
    selectedLevel = std::clamp(level, 0, furthestLevel);
    noHighlight = 0;
    int group = selectedLevel / 5;
    if (group < firstGroup) firstGroup = group;
    if (group >= firstGroup + kVisibleGroups) firstGroup = group - kVisibleGroups + 1;
}

void levelSelectType::scroll(int groups) {
    int last = std::max(0, groupCount() - kVisibleGroups);
    int first = std::clamp(firstGroup + groups, 0, last);
    if (first == firstGroup) return;
    firstGroup = first;
    debugLog("level choice shows groups " + str(firstGroup + 1) + " to " +
             str(std::min(groupCount(), firstGroup + kVisibleGroups)));
    int under = buttonAt(mouseX(), mouseY());
    if (under >= 0) {
        select(under);
        return;
    }
    // Keep the choice on screen, in its column.
    int group = std::clamp(selectedLevel / 5, firstGroup, firstGroup + kVisibleGroups - 1);
    int level = std::min(group * 5 + selectedLevel % 5, furthestLevel);
    selectedLevel = level;
}

int levelSelectType::buttonAt(int px, int py) {
    for (int group = firstGroup; group < std::min(groupCount(), firstGroup + kVisibleGroups); ++group) {
        int top = rowTop(group, firstGroup);
        if (py < top || py >= top + kCellH) continue;
        for (int i = 0; i < 5; ++i) {
            int level = group * 5 + i;
            if (level > furthestLevel) break;
            if (px >= cellLeft(i) && px < cellLeft(i) + kCellW) return level;
        }
    }
    return -2;
}

void levelSelectType::handleInput() {
    if (session && session->getCurrentScreen() == screenNumber) {
        int step = 0;
        if (keyHit(VK_LEFT)) step = -1;
        else if (keyHit(VK_RIGHT)) step = 1;
        else if (keyHit(VK_UP)) step = -5;
        else if (keyHit(VK_DOWN)) step = 5;
        else if (int64_t(millisecs()) - lastNavTime > kRepeatDelayMs) {
            // A held key goes on stepping after a pause.
            if (keyDown(VK_LEFT)) step = -1;
            else if (keyDown(VK_RIGHT)) step = 1;
            else if (keyDown(VK_UP)) step = -5;
            else if (keyDown(VK_DOWN)) step = 5;
        }
        if (step != 0) {
            // Up or down from a row with no level there keeps to the edge.
            select(std::clamp(selectedLevel + step, 0, furthestLevel));
            lastNavTime = millisecs();
        }
        if (keyHit(VK_ESCAPE) || keyHit(kKeyL)) {
            leave();
            return;
        }
        if ((keyDown(VK_ENTER) || keyDown(VK_SPACE)) && noHighlight == 0 && activationAllowed()) {
            lastActivationTime = millisecs();
            activate(0);
            return;
        }
    }
    int px = mouseX(), py = mouseY();
    if (std::abs(px - lastMouseX) > 1 || std::abs(py - lastMouseY) > 1) {
        int level = buttonAt(px, py);
        if (level >= 0) select(level);
        else noHighlight = 1;
        lastMouseX = px;
        lastMouseY = py;
    }
    if (int wheel = mouseWheel(); wheel != 0) scroll(-wheel);
    if (mouseDown(1) && activationAllowed()) {
        // The arrows scroll by a group; a click on a cell plays that level,
        // whatever the keyboard had chosen.
        bool onArrows = px >= 400 - kArrowW / 2 - 8 && px < 400 + kArrowW / 2 + 8;
        int level = buttonAt(px, py);
        if (onArrows && py >= kArrowUpY - 4 && py < kFirstRowY && firstGroup > 0) {
            lastActivationTime = millisecs();
            scroll(-1);
        } else if (onArrows && py >= kArrowDownY - 2 && py < kArrowDownY + kArrowH + 4 &&
                   firstGroup + kVisibleGroups < groupCount()) {
            lastActivationTime = millisecs();
            scroll(1);
        } else if (level >= 0) {
            lastActivationTime = millisecs();
            select(level);
            activate(1);
        }
    }
}

void levelSelectType::activate(int byMouse) {
    int level = selectedLevel;
    hideMenu();
    if (session) session->playChosenLevel(level);
}

void levelSelectType::drawMenu() {
    if (state == CLOSED) return;
    float alpha = float(fade) / kFadeSteps;
    setBlend(BLEND_ALPHA);
    setAlpha(alpha);
    if (panel) drawImage(panel, 0, 0, 0);
    for (int group = firstGroup; group < std::min(groupCount(), firstGroup + kVisibleGroups); ++group)
        drawRow(group, rowTop(group, firstGroup), alpha);
    // Arrows where more groups lie above or below.
    setColour(255, 255, 255);
    setAlpha(alpha);
    if (arrows && firstGroup > 0) drawImage(arrows, float(400 - kArrowW / 2), float(kArrowUpY), 0);
    if (arrows && firstGroup + kVisibleGroups < groupCount())
        drawImage(arrows, float(400 - kArrowW / 2), float(kArrowDownY), 1);
    drawFooter(alpha);
    setColour(255, 255, 255);
    setAlpha(1);
}

void levelSelectType::drawRow(int group, int rowY, float alpha) {
    // The group's own art: its background in small and one of its walls.
    ImagePtr back = group < 33 ? AssetCatalogue::backgrounds[group] : nullptr;
    setAlpha(alpha);
    if (back && back->width > 0 && back->height > 0) {
        setScale(124.0f / float(back->width), float(kCellH) / float(back->height));
        drawImage(back, 40, float(rowY), 0);
        setScale(1, 1);
    }
    ImagePtr tiles = group < 33 ? AssetCatalogue::tileSets[group] : nullptr;
    if (tiles) drawImage(tiles, 40 + 124 - 20, float(rowY + kCellH - 20), 0);
    cream(alpha);
    TextFace::draw(TextFace::LABEL, "Group " + str(group + 1), 46, float(rowY + 19));
    for (int i = 0; i < 5; ++i) {
        int level = group * 5 + i;
        if (level > kLastLevel) break;
        drawCell(level, cellLeft(i), rowY, alpha);
    }
}

void levelSelectType::drawCell(int level, int x, int y, float alpha) {
    bool reached = level <= furthestLevel;
    int kind = !reached ? 2 : (level == selectedLevel && noHighlight == 0) ? 1 : 0;
    setColour(255, 255, 255);
    setAlpha(alpha);
    if (cells) drawImage(cells, float(x), float(y), kind);
    if (!reached) return;
    if (numbers) drawImage(numbers, float(x + 2), float(y + 3), level);
    int state = levelState(level);
    if ((state == 1 || state == 2) && tokensImage) {
        setScale(0.6f, 0.6f);
        drawImage(tokensImage, float(x + kCellW - 20), float(y + 18), state == 1 ? 0 : 1);
        setScale(1, 1);
    }
    int best = bestOf(level);
    int par = pars[size_t(level)];
    cream(alpha);
    float baseline = float(y + kCellH - 10);
    TextFace::draw(TextFace::SMALL, par >= 0 ? str(par) : "-", float(x + 82), baseline);
    // A best that reaches par shines gold.
    if (best > 0 && par >= 0 && best <= par) setColour(255, 214, 90);
    TextFace::draw(TextFace::SMALL, best > 0 ? str(best) : "-", float(x + 36), baseline);
}

void levelSelectType::drawFooter(float alpha) {
    int level = selectedLevel;
    int state = levelState(level);
    std::string text = "Level " + str(level + 1);
    text += state == 1 ? ": solved" : state == 2 ? ": skipped" : ": not solved yet";
    int best = bestOf(level);
    if (best > 0) text += ", best " + str(best) + " moves";
    if (pars[size_t(level)] >= 0) text += ", par " + str(pars[size_t(level)]);
    if (playerProfile && level == playerProfile->playableLevel()) text += "  (where Play goes on)";
    cream(alpha);
    TextFace::draw(TextFace::LABEL, text, 400, 546, TextFace::CENTRE);
}

}  // namespace qm
