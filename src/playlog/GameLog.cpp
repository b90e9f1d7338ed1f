// Placeholder definitions; replaced by the real implementation.
#include "playlog/GameLog.h"

namespace qm {

void GameLog::levelStarted() { }
void GameLog::levelFinished(int finishType) { }
std::shared_ptr<GameLog> GameLog::create() { return std::make_shared<GameLog>(); }
void GameLog::sessionStarted(int level) { }
void GameLog::sessionFinished() { }
void GameLog::uploadSession() { }
void GameLog::uploadLevels() { }
std::vector<uint8_t> GameLog::levelsToByteArray() { return {}; }
std::vector<uint8_t> GameLog::sessionLogToByteArray() { return {}; }
std::string GameLog::toString() { return {}; }
void GameLog::optionChanged(int option, int time, int oldValue, int newValue) { }
void GameLog::addLevelRecord(int level, int duration, int finishType, int moves, int resets) { }

}  // namespace qm
