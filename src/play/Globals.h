// The play layer's long-lived objects, one each, kept together so that a test
// can build a fresh set and tear it down with resetPlayGlobals(). Only objects
// of this layer (and the sound and the play log below it) are named here; the
// editor, the menus and the controller keep theirs in their own layer
// (editor/EditorGlobals.h, menus/MenuGlobals.h, app/AppGlobals.h, whose
// resetGlobals() resets every layer). The layers below the controller reach
// it as `session`.
#pragma once
#include <cstdint>
#include <memory>
#include <vector>
#include "runtime/Image.h"

namespace qm {

class Session;
class AudioManager;
class PlayerProfile;
class GameLog;
class LevelMap;
class HoverButtonBar;
class BoardTransition;
class ParticleNode;
class PersonalBest;
class LevelPars;
class PlayerAids;

// The session controller, as the play screen, editor and menus see it.
extern std::shared_ptr<Session> session;
extern std::shared_ptr<AudioManager> audioManager;
extern std::shared_ptr<PlayerProfile> playerProfile;
extern std::shared_ptr<GameLog> playLog;
extern std::shared_ptr<LevelMap> currentMap;
extern std::shared_ptr<LevelMap> nextMap;
extern std::shared_ptr<HoverButtonBar> buttonBar;
extern std::shared_ptr<BoardTransition> mapTransition;
extern std::shared_ptr<ParticleNode> particleLayer;
// The player's fewest moves per level.
extern std::shared_ptr<PersonalBest> personalBest;
// Each level's par, worked out once.
extern std::shared_ptr<LevelPars> levelPars;
// The aids' picture: the moves box, the level's name, the solved word.
extern std::shared_ptr<PlayerAids> playerAids;

// [0] trail, [1] shade, [2] spark, [3] the teleports' soft glow.
extern ImagePtr effectImages[4];
extern ImagePtr tokensImage;

// Background offset that the board slide moves (drawn by the controller).
extern int backgroundOffsetX;
extern int backgroundOffsetY;

// Drops the play layer's objects and puts its values back to their start.
void resetPlayGlobals();

}  // namespace qm
