#include "play/Globals.h"
#include "play/TextFace.h"

namespace qm {

std::shared_ptr<GameController> gameController;
std::shared_ptr<Session> session;
std::shared_ptr<AudioManager> audioManager;
std::shared_ptr<PlayerProfile> playerProfile;
std::shared_ptr<GameLog> playLog;
std::shared_ptr<LevelMap> currentMap;
std::shared_ptr<LevelMap> nextMap;
std::shared_ptr<HoverButtonBar> buttonBar;
std::shared_ptr<worldMapType> worldMap;
std::shared_ptr<BoardTransition> mapTransition;
std::shared_ptr<ParticleNode> particleLayer;
std::shared_ptr<ReachabilityView> reachabilityView;
std::shared_ptr<EditorState> editorState;
std::shared_ptr<mainMenuType> mainMenu;
std::shared_ptr<instructionsMenuType> instructionsMenu;
std::shared_ptr<optionsMenuType> optionsMenu;
std::shared_ptr<resetProfileMenuType> resetProfileMenu;
std::shared_ptr<levelSelectType> levelMenu;
std::shared_ptr<PersonalBest> personalBest;
std::shared_ptr<LevelPars> levelPars;
std::shared_ptr<PlayerAids> playerAids;

ImagePtr effectImages[3];
ImagePtr tokensImage;
ImagePtr editorTilesImage;

int editorOn = 0;
int developerMode = QM_DEVELOPER_MODE;
int64_t lastActivationTime = 0;
int programStartSeconds = 0;
int backgroundOffsetX = 0;
int backgroundOffsetY = 0;

}  // namespace qm

namespace qm {

void resetGlobals() {
    gameController = nullptr;
    session = nullptr;
    audioManager = nullptr;
    playerProfile = nullptr;
    playLog = nullptr;
    currentMap = nullptr;
    nextMap = nullptr;
    buttonBar = nullptr;
    worldMap = nullptr;
    mapTransition = nullptr;
    particleLayer = nullptr;
    reachabilityView = nullptr;
    editorState = nullptr;
    mainMenu = nullptr;
    instructionsMenu = nullptr;
    optionsMenu = nullptr;
    resetProfileMenu = nullptr;
    levelMenu = nullptr;
    personalBest = nullptr;
    levelPars = nullptr;
    playerAids = nullptr;
    for (auto& image : effectImages) image = nullptr;
    tokensImage = nullptr;
    TextFace::forget();
    editorTilesImage = nullptr;
    editorOn = 0;
    developerMode = QM_DEVELOPER_MODE;
    lastActivationTime = 0;
    programStartSeconds = 0;
    backgroundOffsetX = 0;
    backgroundOffsetY = 0;
}

}  // namespace qm
