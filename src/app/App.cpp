#include "app/App.h"

#include "play/AssetCatalogue.h"
#include "app/GameController.h"
#include "app/AppGlobals.h"
#include "play/OptionsFile.h"
#include "play/TextFace.h"
#include "app/SplashScreen.h"
#include "audio/AudioManager.h"
#include "editor/EditorState.h"
#include "menus/tutorialPageType.h"
#include "playlog/GameLog.h"
#include "runtime/Clock.h"
#include "runtime/Diagnostics.h"
#include "runtime/Files.h"
#include "runtime/FolderLock.h"
#include "runtime/Graphics.h"
#include "runtime/Input.h"
#include "runtime/Prefetch.h"
#include "runtime/Random.h"
#include "runtime/Runtime.h"
#include "runtime/TextConv.h"

namespace qm {

int App::run() {
    debugLog("--                  --");
    debugLog("-- Start of program --");
    // A second copy in the same folder would overwrite the first one's
    // progress with its own older one: it leaves before it reads or writes.
    std::string lockFailure;
    FolderLock lock = lockWorkingFolder(lockFailure);
    if (lock == FolderLock::HeldElsewhere) {
        setWindowTitle("Quillmere");  // the box's title
        notify("Quillmere is already running in this folder (" + currentDir() +
                   ").\n\nSwitch to the game that is open. A second copy would overwrite its progress, so "
                   "this one closes without saving anything.",
               1);
        return 1;
    }
    // A folder that cannot be locked cannot be written either (read-only):
    // no second copy can harm it, so the game plays on.
    if (lock == FolderLock::Failed) debugLog("the working folder could not be locked (" + lockFailure + ")");
    // The music and the art decode on every processor while the rest starts;
    // the loads below take them as they come.
    prefetchFiles({AudioManager::firstTrackFile()});
    prefetchFiles(AssetCatalogue::assetFiles());
    // The developer build keeps the logo up only briefly.
    auto splash = SplashScreen::create("media\\logo.png", developerMode == 1 ? 30 : 2000);
    setWindowTitle("Quillmere");
    programStartSeconds = millisecs() / 1000;
    // A crash in the middle of a save leaves its temporary file behind;
    // with the folder locked, no other copy of the game is writing one.
    int stale = removeStaleTemporaries({"options.dat", "save0.dat", "best0.dat", "uniqueID.idn"});
    if (stale > 0) debugLog("removed " + str(stale) + " stale temporary files");
    OptionsFile::loadOptions();
    AssetCatalogue::openWindow();
    splash->show();
    seedRandom(startupSeed());
    setAutoMidHandle(1);
    for (auto& image : effectImages) image = nullptr;
    audioManager = AudioManager::create(OptionsFile::optionSoundVolume, OptionsFile::optionMusicVolume);
    // A page hidden or closed keeps the options as they are then.
    onPageHidden([] { OptionsFile::saveOptions(); });
    editorState = EditorState::create();
    setDefaultImageFlags(0);
    AssetCatalogue::loadAssets();
    tokensImage = loadAnimImage("media\\tokens.png", 40, 40, 0, 2, -1);
    effectImages[0] = loadImage("media\\trail.png", -1);
    effectImages[1] = loadImage("media\\shade.png", -1);
    effectImages[2] = loadImage("media\\spark.png", -1);
    effectImages[3] = loadImage("media\\glow.png", -1);
    TextFace::load();
    tutorialPageType::loadTutorialImages();
    gameController = GameController::create();
    session = gameController;
    playLog = GameLog::create();
    playLog->programStartSeconds = programStartSeconds;
    splash->waitDone();
    splash = nullptr;
    gameController->startGame();

    debugLog("-- End of program --");
    if (appSuspended()) debugLog("Minimize button clicked. App suspended.");
    if (windowMaximised()) {
        debugLog("Maximize button clicked. App getting large.");
        closeGraphics();
        openGraphics(800, 600, 32, 60, 0);
    }
    return 0;
}

}  // namespace qm
