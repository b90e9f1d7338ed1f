// The anonymous record of one play session: option changes and, per level,
// its duration and how it ended; sent to the collection host when enabled.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace qm {

class OptionLogRecord;
class LevelLogRecord;

class GameLog {
public:
    int32_t uniqueID = 0;
    uint16_t logNumber = 0;
    uint16_t sessionSeconds = 0;
    uint8_t levelFrom = 0;
    uint8_t levelTo = 0;
    int sessionState = 0;
    int levelCount = 0;
    int optionCount = 0;
    std::shared_ptr<OptionLogRecord> options;
    std::shared_ptr<LevelLogRecord> levels;
    uint8_t currentLevel = 255;
    uint16_t levelStartSeconds = 0;
    uint16_t moves = 0;
    uint16_t resets = 0;

    void levelStarted();
    void levelFinished(int finishType);
    static std::shared_ptr<GameLog> create();
    void sessionStarted(int level);
    void sessionFinished();
    void uploadSession();
    void uploadLevels();
    std::vector<uint8_t> levelsToByteArray();
    std::vector<uint8_t> sessionLogToByteArray();
    std::string toString();
    void optionChanged(int option, int time, int oldValue, int newValue);
    void addLevelRecord(int level, int duration, int finishType, int moves, int resets);
};

}  // namespace qm
