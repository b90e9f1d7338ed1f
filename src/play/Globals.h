// The game's long-lived objects, one each, kept together so that a test can
// build a fresh set and tear it down with resetGlobals(). Only the types are
// named here; each layer uses the objects of its own layer and below, and
// the layers below the session controller reach it as `session`.
#pragma once
#include <cstdint>
#include <memory>
#include <vector>
#include "runtime/Image.h"

namespace qm {

class GameController;
class Session;
class AudioManager;
class PlayerProfile;
class GameLog;
class LevelMap;
class HoverButtonBar;
class worldMapType;
class BoardTransition;
class ParticleNode;
class ReachabilityView;
class EditorState;
class mainMenuType;
class instructionsMenuType;
class optionsMenuType;
class resetProfileMenuType;
class levelSelectType;
class PersonalBest;
class LevelPars;
class PlayerAids;

extern std::shared_ptr<GameController> gameController;
// The same object as gameController, as the play screen, editor and menus see it.
extern std::shared_ptr<Session> session;
extern std::shared_ptr<AudioManager> audioManager;
extern std::shared_ptr<PlayerProfile> playerProfile;
extern std::shared_ptr<GameLog> playLog;
extern std::shared_ptr<LevelMap> currentMap;
extern std::shared_ptr<LevelMap> nextMap;
extern std::shared_ptr<HoverButtonBar> buttonBar;
extern std::shared_ptr<worldMapType> worldMap;
extern std::shared_ptr<BoardTransition> mapTransition;
extern std::shared_ptr<ParticleNode> particleLayer;
extern std::shared_ptr<ReachabilityView> reachabilityView;
extern std::shared_ptr<EditorState> editorState;
extern std::shared_ptr<mainMenuType> mainMenu;
extern std::shared_ptr<instructionsMenuType> instructionsMenu;
extern std::shared_ptr<optionsMenuType> optionsMenu;
extern std::shared_ptr<resetProfileMenuType> resetProfileMenu;
// The level choice, opened from the main menu.
extern std::shared_ptr<levelSelectType> levelMenu;
// The player's fewest moves per level.
extern std::shared_ptr<PersonalBest> personalBest;
// Each level's par, worked out once.
extern std::shared_ptr<LevelPars> levelPars;
// The aids' picture: the moves box, the level's name, the solved word.
extern std::shared_ptr<PlayerAids> playerAids;

// [0] trail, [1] shade, [2] spark.
extern ImagePtr effectImages[3];
extern ImagePtr tokensImage;
// The editor's marker strip "media\tiles\tileseditor.png", loaded by the reachability search.
extern ImagePtr editorTilesImage;

extern int editorOn;
extern int developerMode;           // fixed by the build; tests may set it
extern int64_t lastActivationTime;  // shared by every menu
extern int programStartSeconds;

// Background offset that the board slide moves (drawn by the controller).
extern int backgroundOffsetX;
extern int backgroundOffsetY;

// Drops every global object and puts the flags back to their start values.
void resetGlobals();

}  // namespace qm
