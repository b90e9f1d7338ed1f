// The session controller: the top-level loop between play and the menus, the
// play loop with its fixed logic steps and layered drawing, level starts and
// skips.
#include "app/GameController.h"

#include "app/FrameTimer.h"
#include "audio/AudioManager.h"
#include "editor/EditorState.h"
#include "editor/ReachabilityView.h"
#include "menus/instructionsMenuType.h"
#include "menus/levelSelectType.h"
#include "menus/mainMenuType.h"
#include "menus/optionsMenuType.h"
#include "menus/resetProfileMenuType.h"
#include "menus/tutorialPageType.h"
#include "menus/worldMapType.h"
#include "play/AssetCatalogue.h"
#include "play/BoardPainter.h"
#include "play/BoardTransition.h"
#include "app/AppGlobals.h"
#include "play/GroupProgress.h"
#include "play/HoverButtonBar.h"
#include "play/LevelMap.h"
#include "play/OptionsFile.h"
#include "play/Particle.h"
#include "play/PlayInput.h"
#include "play/LevelPars.h"
#include "play/LevelRun.h"
#include "play/PersonalBest.h"
#include "play/PlayerAids.h"
#include "play/PlayerProfile.h"
#include "play/ScreenFlash.h"
#include "playlog/GameLog.h"
#include "runtime/Clock.h"
#include "runtime/Diagnostics.h"
#include "runtime/Files.h"
#include "runtime/Graphics.h"
#include "runtime/Input.h"
#include "runtime/TextConv.h"

namespace qm {

std::shared_ptr<GameController> GameController::create() { return std::make_shared<GameController>(); }

namespace {

constexpr int kKeyU = 85;
constexpr int kKeyH = 72;

// Each loader has left such a file alone for the whole run; the player hears
// of it once, here, and not at every save that is skipped.
void noticeUnreadableFiles() {
    const std::vector<std::string>& files = unreadableKeptFiles();
    if (files.empty()) return;
    std::string list;
    for (const std::string& file : files) list += (list.empty() ? "" : ", ") + file;
    notify("Quillmere cannot read " + list + " in " + currentDir() +
               ".\n\nYou can play, but your progress will not be saved this time. The file is left "
               "as it is, so nothing in it is lost: make it readable again and restart the game.",
           1);
}

}  // namespace

void GameController::runGame() {
    for (;;) {
        if (mode == Mode::Play) {
            playLoop();
        } else if (mode == Mode::Menus) {
            PlayInput::resetInputAndFlush();
            lastActivationTime = millisecs();
            setCurrentScreen(0);
            if (reopenLevelChoice && levelMenu) levelMenu->openMenu();
            reopenLevelChoice = false;
            menuLoop();
        } else {
            if (playLog) playLog->levelFinished(0);
            break;
        }
    }
    shutdown();
}

void GameController::shutdown() {
    if (playLog) playLog->sessionFinished(playerProfile ? playerProfile->currentLevel : 0);
    debugLog("normal: Saving options");
    OptionsFile::saveOptions();
}

void GameController::startGame() {
    playerProfile = PlayerProfile::create(0);
    if (playLog) playLog->sessionStarted(playerProfile->currentLevel);
    playerProfile->save();
    createScreens();
    buttonBar = HoverButtonBar::create();
    Particle::initStyles();
    personalBest = PersonalBest::create(0);
    levelPars = std::make_shared<LevelPars>();
    playerAids = PlayerAids::create();
    noticeUnreadableFiles();
    startAtLevel(playerProfile->playableLevel());
    reachabilityView = ReachabilityView::create();
    afterStartHook();
    runGame();
}

void GameController::createScreens() {
    mainMenu = mainMenuType::create();
    instructionsMenu = instructionsMenuType::create();
    optionsMenu = optionsMenuType::create();
    resetProfileMenu = resetProfileMenuType::create();
    worldMap = worldMapType::create();
    levelMenu = levelSelectType::create();
}

void GameController::startAtLevel(int n) {
    // Whatever starts a level this way (a reset, the editor's keys, the end
    // of a replay) ends any replay that was left unfinished.
    setReplayLevel(-1);
    replayEndSteps = 0;
    loadLevel(n, true);
}

std::shared_ptr<LevelMap> GameController::readLevel(int n) {
    auto map = LevelMap::read(n);
    if (!editorOn && n >= 0) boardLoaded(n);
    map->startPlay();
    return map;
}

void GameController::loadLevel(int n, bool open) {
    debugLog("start at level " + str(n));
    currentMap = readLevel(n);
    if (playLog) playLog->levelStarted(currentMap->levelNumber);
    nextMap = nullptr;
    particleLayer = ParticleNode::create();
    mapTransition = BoardTransition::create(0, 0, 0);
    if (open && playerProfile) playerProfile->openLevel(n);
    mapTransition->startLevel();
    if (buttonBar && buttonBar->progressIndicator) buttonBar->progressIndicator->refresh();
    if (worldMap) worldMap->hideMenu();
    // A level started afresh (not slid in) carries no word of the last one.
    if (playerAids) playerAids->solvedTicks = 0;
    beginRun(true);
}

void GameController::beginRun(bool fileBoard) {
    if (!currentMap) return;
    const LevelMap& map = *currentMap;
    LevelRun::Mode mode = LevelRun::Mode::Campaign;
    if (replayLevel >= 0 && replayLevel == map.levelNumber) mode = LevelRun::Mode::Replay;
    else if (playerProfile && playerProfile->indexInGroup(-1) == 4) mode = LevelRun::Mode::LastOfGroup;
    std::shared_future<int> par = fileBoard && levelPars ? levelPars->of(map.levelNumber, map, map.play)
                                                         : LevelPars::workOut(map, map.play);
    run = std::make_unique<LevelRun>(map, map.play, map.levelNumber, mode, par, personalBest);
}

void GameController::boardLoaded(int levelNumber) {
    int page = -1;
    if (playerProfile && levelNumber < int(std::size(playerProfile->tutorialPages)))
        page = playerProfile->tutorialPages[levelNumber];
    if (playerProfile && playerProfile->markOnce(page) == 1) {
        debugLog("hint shown");
        activeMenu = tutorialPageType::createPage(page);
        if (activeMenu) activeMenu->openMenu();
    } else {
        activeMenu = nullptr;
    }
}

void GameController::playChosenLevel(int n) {
    // The level where Play goes on is simply played; any other is played
    // again without moving the player's progress.
    bool frontier = !playerProfile || n == playerProfile->playableLevel();
    setReplayLevel(frontier ? -1 : n);
    replayEndSteps = 0;
    if (!frontier) debugLog("replay level " + str(n));
    loadLevel(n, frontier);
    if (mainMenu) mainMenu->closeSubmenus(1);
    mode = Mode::Play;
}

void GameController::setReplayLevel(int level) {
    replayLevel = level;
    if (buttonBar && buttonBar->progressIndicator) buttonBar->progressIndicator->replayGroup = level >= 0 ? level / 5 : -1;
}

void GameController::replayFinished(int level, int solved) {
    if (playerProfile) playerProfile->recordReplay(level, solved);
    if (buttonBar && buttonBar->progressIndicator) buttonBar->progressIndicator->refresh();
    // The board shows its sparks a moment; then the choice comes back.
    replayEndSteps = kReplayEndSteps;
}

void GameController::finishLevel(int solved) {
    if (!currentMap) return;
    LevelMap& map = *currentMap;
    // A level played again from the level choice neither moves the player's
    // progress on nor slides to the next board.
    if (replayLevel >= 0 && replayLevel == map.levelNumber) {
        replayFinished(map.levelNumber, solved);
        return;
    }
    int s = playerProfile ? playerProfile->levelState(-1) : 0;
    if (s == 3) s = 0;
    std::shared_ptr<GroupProgress> progress = buttonBar ? buttonBar->progressIndicator : nullptr;
    bool record = false;
    if ((solved == 1 && (s == 0 || s == 2)) || (solved == 0 && s == 0)) {
        if (progress) {
            progress->refresh();
            int k = playerProfile ? playerProfile->indexInGroup(-1) : 0;
            if (k >= 0 && k < 5) progress->states[k] = solved == 1 ? 1 : 2;
        }
        record = true;
    }
    int next = map.levelNumber == kLastLevel ? kLastLevel : map.levelNumber + 1;
    auto following = readLevel(next);
    nextMap = following;
    following->addShift(32 * following->entryX, 32 * following->entryY);
    mapTransition = BoardTransition::create(following->entryPixelX(), following->entryPixelY(), 1);
    // After the last level of a group the world map shows the way on.
    if (mapTransition->groupFinished == 1 && worldMap) worldMap->openMenu();
    if (!playerProfile) return;
    if (record) {
        playerProfile->setLevelResult(map.levelNumber, solved);
    } else {
        playerProfile->advanceFrom(map.levelNumber);
        if (progress) progress->refresh();
    }
}

void GameController::actOn(RunOutcome outcome) {
    // Every outcome ends the level the same way; the finish is told apart by
    // the replay and the transition (the world map after a group's last).
    if (outcome != RunOutcome::Playing && run) finishLevel(run->solved() ? 1 : 0);
}

void GameController::backToLevelChoice() {
    // The choice comes back on the level just played, showing its new best.
    if (levelMenu) levelMenu->openOn = replayLevel;
    setReplayLevel(-1);
    // Play goes on where the player's progress stands, loaded behind the menus.
    startAtLevel(playerProfile ? playerProfile->playableLevel() : 0);
    reopenLevelChoice = true;
    mode = Mode::Menus;
}

namespace {

// The first free "<date> screen<n>.png" from n on, so an earlier screenshot
// of the same day is never overwritten.
std::string freeScreenshotName(int& number) {
    for (;;) {
        std::string name = currentDate() + " screen" + str(number) + ".png";
        if (fileType(name) == FILE_MISSING) return name;
        number += 1;
    }
}

}  // namespace

void GameController::playLoop() {
    FrameTimer timer;
    timer.start();
    int screenshotNumber = 100;
    // A key already held when play starts is not a new press.
    bool printScreenWasDown = printScreenDown() != 0;
    if (audioManager) audioManager->startBallLoop();
    flushKeys();

    while (mode == Mode::Play && PlayInput::menuRequest == 0) {
        delayMs(1);
        timer.measure();
        PlayInput::pollInput();
        while (timer.takeStep()) playStep();
        // While minimised only this redraw runs; a close request still ends it.
        bool closing = false;
        do {
            drawPlayFrame();
            flipFrame(1);
            AssetCatalogue::checkSuspended(1);
            closing = appTerminate() != 0;
        } while (AssetCatalogue::suspended == 1 && !closing);

        if (closing) quit();

        bool printScreenIsDown = printScreenDown() != 0;
        if (printScreenIsDown && !printScreenWasDown) {
            AssetCatalogue::saveScreenshot(freeScreenshotName(screenshotNumber));
            screenshotNumber += 1;
        }
        printScreenWasDown = printScreenIsDown;
    }
    if (audioManager) audioManager->stopBallLoop();
    if (mode == Mode::Play) mode = Mode::Menus;
}

void GameController::playStep() {
    // The next board has slid in: its level starts with a fresh run.
    if (mapTransition && mapTransition->update()) beginRun(true);
    if (buttonBar) buttonBar->update();
    if (flash) flash->update();
    if (activeMenu) activeMenu->updateMenu(0);
    bool overlay = activeMenu && activeMenu->state != 0;
    if (worldMap) worldMap->updateMenu(overlay ? 1 : 0);
    bool boardActive = !overlay && (!worldMap || worldMap->state == 0);
    bool replayEnding = replayEndSteps > 0;
    if (replayEnding) boardActive = false;
    if (playerAids) playerAids->beginStep();
    TickEvents events;
    // A replayed level, once solved, rests on its end until the choice returns.
    if (currentMap && !replayEnding) events = stepBoard(boardActive);
    if (events.solved && playerAids && run) playerAids->showSolved(run->moves());
    if (events.restarted) flash = ScreenFlash::create(0.06f, 1.0f);
    if (editorState) editorState->editorTick(boardActive ? 1 : 0);
    if (run && run->hintTicks > 0 && currentMap && currentMap->ball) currentMap->ball->hoverDirection = run->hintDirection;
    // Skip waits for the slide: during it the board that is current is the
    // one just solved, and skipping it would record it as skipped.
    bool sliding = mapTransition && mapTransition->isAdvancing();
    if (PlayInput::skip && boardActive && !sliding) skipLevel();
    if (particleLayer) particleLayer->update();
    if (replayEnding && --replayEndSteps == 0) backToLevelChoice();
}

TickEvents GameController::stepBoard(bool boardActive) {
    // The aids' keys are read every step, so a press never waits for a later one.
    RunInput input;
    input.undo = keyHit(kKeyU) > 0;
    input.undo = keyHit(VK_BACKSPACE) > 0 || input.undo;
    input.hint = keyHit(kKeyH) > 0;
    if (editorOn == 1) {
        editorWasOn = 1;
        currentMap->idleStep();
        return {};
    }
    // The board left the editor and may have changed: a fresh run on it.
    if (editorWasOn == 1 || !run) {
        editorWasOn = 0;
        if (levelPars) levelPars->clear();
        beginRun(false);
    }
    input.tick = TickInput::fromFlags(PlayInput::up, PlayInput::down, PlayInput::left, PlayInput::right,
                                      PlayInput::restart, boardActive ? 1 : 0);
    bool wasOver = run->over();
    RunStep step = run->step(input);
    currentMap->beforeRunStep(wasOver, step.from);
    currentMap->showBall(step, run->live(), wasOver);
    actOn(step.outcome);
    currentMap->showLocks(step);
    return step.events;
}

void GameController::drawPlayFrame() {
    clearFrame();
    setOrigin(32, 30);
    resetDrawState();
    drawBackground();
    if (particleLayer) particleLayer->draw(47, 47, -1, 1.0f);
    resetDrawState();
    // While the editor is on, the boards show as it edits them, with its markers.
    EditingView editingView{editorTilesImage};
    const EditingView* editing = editorOn == 1 ? &editingView : nullptr;
    if (nextMap) nextMap->draw(47, 47, 0, editing);
    if (currentMap) currentMap->draw(47, 47, 1, editing);
    if (editorOn == 1 && reachabilityView) reachabilityView->drawReachabilityOverlay(47, 47);

    setOrigin(0, 0);
    resetDrawState();
    if (buttonBar) buttonBar->draw(editorOn == 1);
    if (playerAids && run && currentMap && editorOn == 0) playerAids->draw(*run, currentMap->levelNumber);
    if (editorOn == 1) {
        for (int i = 0; i < 3; i++) drawText(EditorState::helpLine(i), 0, float(556 + 14 * i));
    }

    setOrigin(32, 30);
    if (particleLayer) particleLayer->draw(47, 47, 1, 1.0f);
    setOrigin(0, 0);
    resetDrawState();
    if (flash) flash->draw();
    if (worldMap) worldMap->drawMenu();
    if (activeMenu) activeMenu->drawMenu();

    setOrigin(32, 30);
}

void GameController::drawBackground() {
    ImagePtr background = AssetCatalogue::currentBackground;
    if (!background) return;
    if (AssetCatalogue::backgroundScrolls == 1) {
        tileImage(background, float(backgroundOffsetX), float(backgroundOffsetY), 0);
    } else {
        tileImage(background, 31, 0, 0);
    }
}

void GameController::skipLevel() {
    if (!currentMap || currentMap->levelNumber == kLastLevel) return;
    spawnParticles(4, float(currentMap->endX * 32), float(currentMap->endY * 32), 5.0f, 0, 0, nullptr);
    PlayInput::resetInputAndFlush();
    if (playLog) playLog->levelFinished(2);
    if (run) actOn(run->skip());
}

void GameController::menuLoop() {
    FrameTimer timer;
    timer.start();
    while (mode == Mode::Menus) {
        delayMs(1);
        timer.measure();
        while (timer.takeStep()) {
            if (mainMenu) mainMenu->updateMenu(0);
            if (optionsMenu) optionsMenu->updateMenu(0);
            if (instructionsMenu) instructionsMenu->updateMenu(0);
            if (resetProfileMenu) resetProfileMenu->updateMenu(0);
            if (levelMenu) levelMenu->updateMenu(0);
        }
        bool closing = false;
        do {
            clearFrame();
            setOrigin(0, 0);
            resetDrawState();
            if (mainMenu) mainMenu->drawMenu();
            if (optionsMenu) optionsMenu->drawMenu();
            if (instructionsMenu) instructionsMenu->drawMenu();
            if (resetProfileMenu) resetProfileMenu->drawMenu();
            if (levelMenu) levelMenu->drawMenu();
            flipFrame(1);
            AssetCatalogue::checkSuspended(0);
            closing = appTerminate() != 0;
        } while (AssetCatalogue::suspended == 1 && !closing);
        if (closing) quit();
    }
}

void GameController::resetDrawState() {
    setScale(1, 1);
    setBlend(BLEND_ALPHA);
    setAlpha(1);
}

}  // namespace qm
