#include "play/Globals.h"
#include "play/TextFace.h"

namespace qm {

std::shared_ptr<Session> session;
std::shared_ptr<AudioManager> audioManager;
std::shared_ptr<PlayerProfile> playerProfile;
std::shared_ptr<GameLog> playLog;
std::shared_ptr<LevelMap> currentMap;
std::shared_ptr<LevelMap> nextMap;
std::shared_ptr<HoverButtonBar> buttonBar;
std::shared_ptr<BoardTransition> mapTransition;
std::shared_ptr<ParticleNode> particleLayer;
std::shared_ptr<PersonalBest> personalBest;
std::shared_ptr<LevelPars> levelPars;
std::shared_ptr<PlayerAids> playerAids;

ImagePtr effectImages[4];
ImagePtr tokensImage;

int backgroundOffsetX = 0;
int backgroundOffsetY = 0;

void resetPlayGlobals() {
    session = nullptr;
    audioManager = nullptr;
    playerProfile = nullptr;
    playLog = nullptr;
    currentMap = nullptr;
    nextMap = nullptr;
    buttonBar = nullptr;
    mapTransition = nullptr;
    particleLayer = nullptr;
    personalBest = nullptr;
    levelPars = nullptr;
    playerAids = nullptr;
    for (auto& image : effectImages) image = nullptr;
    tokensImage = nullptr;
    TextFace::forget();
    backgroundOffsetX = 0;
    backgroundOffsetY = 0;
}

}  // namespace qm
