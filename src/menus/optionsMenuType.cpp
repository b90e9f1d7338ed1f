// The options screen: the full-screen box, the two volume sliders, the way to
// the reset-profile box, and Back. Volume changes reach the play log once,
// when the screen closes, and the options file then too.
#include "menus/optionsMenuType.h"
#include <algorithm>
#include <cmath>
#include "play/AssetCatalogue.h"
#include "menus/MenuGlobals.h"
#include "play/Globals.h"
#include "play/OptionsFile.h"
#include "audio/AudioManager.h"
#include "menus/mainMenuType.h"
#include "menus/menuSliderType.h"
#include "menus/menuYesNoType.h"
#include "menus/resetProfileMenuType.h"
#include "play/Session.h"
#include "playlog/GameLog.h"
#include "runtime/Clock.h"
#include "runtime/Input.h"

namespace qm {

namespace {
int percent(float volume) { return int(std::lround(volume * 100.0f)); }
}  // namespace

std::shared_ptr<optionsMenuType> optionsMenuType::create() {
    auto menu = std::make_shared<optionsMenuType>();
    menu->setupMenu(430, 145, 5, -1, -1, 100, 90, 154, 30, 30, "submenu1.png", "menuOptions.png", 2, "", 0, 0);
    menu->resetMenu();
    return menu;
}

void optionsMenuType::resetMenu() {
    if (buttons.size() < 5) buttons.resize(5);
    // The sliders' hit areas are wider and taller than the label, so the
    // pointer can reach the bar right of it.
    for (int i = SLOT_EFFECTS; i <= SLOT_MUSIC; i++)
        buttons[i] = menuSliderType::create(100, 90 + i * 60, std::max(154, 400), std::max(30, 60), 30, -10, 100, 30);
    if (audioManager) {
        buttons[SLOT_EFFECTS]->setValue(audioManager->soundVolume / 2.0f * 100.0f);
        buttons[SLOT_MUSIC]->setValue(audioManager->musicVolume / 2.0f * 100.0f);
    }
    buttons[SLOT_FULLSCREEN] = menuYesNoType::create(100, 90, 154 + 50, 30, 60, -15, AssetCatalogue::fullscreen);
    state = CLOSED;
    fade = 0;
}

void optionsMenuType::openMenu() {
    // Reopening while already shown (the reset-profile box hands the
    // keyboard back this way) keeps the snapshot, so changes made before the
    // box opened are still logged when the screen closes.
    if (state == CLOSED || state == CLOSING) snapshotVolumes();
    menuScreenType::openMenu();
}

// Leaving the screen keeps what was chosen on it at once: a player who
// closes the window or the browser's tab later never picks Quit first.
void optionsMenuType::closeMenu() {
    bool shown = state == OPEN || state == OPENING;
    logVolumeChanges();
    menuScreenType::closeMenu();
    if (shown) OptionsFile::saveOptions();
}

void optionsMenuType::hideMenu() {
    bool shown = state != CLOSED;
    logVolumeChanges();
    menuScreenType::hideMenu();
    if (shown) OptionsFile::saveOptions();
}

void optionsMenuType::updateMenu(int suppressInput) {
    // The box shows the mode in force, which the player can also leave the
    // browser's way (Escape, a gesture).
    if (buttons.size() > SLOT_FULLSCREEN && buttons[SLOT_FULLSCREEN])
        buttons[SLOT_FULLSCREEN]->setValue(float(AssetCatalogue::fullscreen));
    menuScreenType::updateMenu(suppressInput);
}

void optionsMenuType::snapshotVolumes() {
    if (!audioManager) return;
    effectsSnapshot = percent(audioManager->soundVolume);
    musicSnapshot = percent(audioManager->musicVolume);
}

void optionsMenuType::logVolumeChanges() {
    if (!audioManager) return;
    int e = percent(audioManager->soundVolume);
    int m = percent(audioManager->musicVolume);
    if (playLog) {
        if (effectsSnapshot != -1 && e != effectsSnapshot) playLog->optionChanged(1, logTime(), effectsSnapshot, e);
        if (musicSnapshot != -1 && m != musicSnapshot) playLog->optionChanged(2, logTime(), musicSnapshot, m);
    }
    effectsSnapshot = e;
    musicSnapshot = m;
}

bool optionsMenuType::goBack() {
    closeMenu();
    return true;
}

void optionsMenuType::handleInput() {
    bool keyboard = session && session->getCurrentScreen() == screenNumber;
    if (keyboard && noHighlight == 0 && (selected == SLOT_EFFECTS || selected == SLOT_MUSIC)) {
        int step = 0;
        if (keyHit(VK_LEFT)) step = -1;
        else if (keyHit(VK_RIGHT)) step = 1;
        else if (int64_t(millisecs()) - lastNavTime > kRepeatDelayMs)
            step = keyDown(VK_LEFT) ? -1 : keyDown(VK_RIGHT) ? 1 : 0;
        if (step != 0) {
            nudgeSlider(step);
            lastNavTime = millisecs();
        }
    }
    menuScreenType::handleInput();
}

void optionsMenuType::nudgeSlider(int direction) {
    const auto& button = buttons[size_t(selected)];
    if (!audioManager || !button) return;
    constexpr int kStep = 10;  // percent of the bar
    int value = std::clamp(int(std::lround(button->getValue())) + direction * kStep, 0, 100);
    button->setValue(float(value));
    float volume = float(value) / 100.0f * 2.0f;
    if (selected == SLOT_EFFECTS) {
        audioManager->setSoundVolume(volume);
        audioManager->playChimes();
    } else {
        audioManager->setMusicVolume(volume, 1);
    }
}

void optionsMenuType::activate(int byMouse) {
    if (selected < 0 || selected >= int(buttons.size()) || !buttons[selected]) return;
    const auto& button = buttons[selected];
    switch (selected) {
        case SLOT_FULLSCREEN: {
            AssetCatalogue::toggleFullscreen();
            int now = AssetCatalogue::fullscreen;
            button->setValue(float(now));
            if (playLog) playLog->optionChanged(0, logTime(), now == 0 ? 1 : 0, now);
            break;
        }
        case SLOT_EFFECTS:
            if (!audioManager) break;
            if (byMouse == 1) {
                if (button->pointerOn(x, y) == 1) {
                    audioManager->setSoundVolume(button->getValue() / 100.0f * 2.0f);
                    // Lifts the guard: a held button keeps the knob on the pointer.
                    lastActivationTime = 0;
                }
            } else {
                audioManager->cycleSoundVolume();
                button->setValue(audioManager->soundVolume / 2.0f * 100.0f);
            }
            // A sample of the new loudness.
            audioManager->playChimes();
            break;
        case SLOT_MUSIC:
            if (!audioManager) break;
            if (byMouse == 1) {
                if (button->pointerOn(x, y) == 1) {
                    audioManager->setMusicVolume(button->getValue() / 100.0f * 2.0f, 1);
                    lastActivationTime = 0;
                }
            } else {
                audioManager->cycleMusicVolume();
                button->setValue(audioManager->musicVolume / 2.0f * 100.0f);
            }
            break;
        case SLOT_RESET:
            blocked = 1;
            if (mainMenu) mainMenu->blocked = 1;
            if (resetProfileMenu) resetProfileMenu->openMenu();
            break;
        case SLOT_BACK:
            closeMenu();
            break;
        default:
            break;
    }
}

}  // namespace qm
