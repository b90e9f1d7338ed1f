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
    // Build settings (QM_UPLOADS_ENABLED, QM_COLLECTION_HOST), kept in
    // variables so a test can point the uploads at its own server.
    static int uploadsEnabled;
    static std::string collectionHost;  // a host name, optionally ":port"
    static constexpr const char* kRequestPath = "/upload/01.php?a=";
    static constexpr int kAttempts = 2;
    static constexpr int kMaxOptionRecords = 20;
    static constexpr int kLevelBatch = 20;
    static constexpr int kArraySize = 240;
    static constexpr const char* kIdFile = "uniqueID.idn";

    int32_t uniqueID = 0;
    uint16_t logNumber = 0;
    uint16_t sessionSeconds = 0;
    uint8_t levelFrom = 0;
    uint8_t levelTo = 0;
    int sessionState = 0;  // 0 not started, -1 started, 1 finished
    int levelCount = 0;
    int optionCount = 0;
    std::shared_ptr<OptionLogRecord> options;
    std::shared_ptr<LevelLogRecord> levels;
    uint8_t currentLevel = 255;  // 255: no level in progress
    uint16_t levelStartSeconds = 0;
    uint16_t moves = 0;
    uint16_t resets = 0;
    // The clock's whole seconds when the program started, which the session's
    // length is counted from; the game sets it when it makes the log.
    int programStartSeconds = 0;

    // Starts timing the level that starts (again, without a record, when one
    // was already being timed).
    void levelStarted(int level);
    // Records the level in progress; finishType 0 quit, 1 solved, 2 skipped.
    void levelFinished(int finishType);
    // Reads "uniqueID.idn" and writes it back with the next session number.
    static std::shared_ptr<GameLog> create();
    void sessionStarted(int level);
    // `levelTo` is the level the player's progress stands at now.
    void sessionFinished(int levelTo);
    void uploadSession();
    void uploadLevels();
    std::vector<uint8_t> levelsToByteArray();
    std::vector<uint8_t> sessionLogToByteArray();
    std::string toString();
    void optionChanged(int option, int time, int oldValue, int newValue);
    void addLevelRecord(int level, int duration, int finishType, int moves, int resets);

    // One request; "Disabled" when uploads are off, "Error!" when the
    // connection fails, else the reply body's lines joined.
    static std::string fetchReply(const std::string& url);
    // Sends one encoded array, at most kAttempts requests, until a reply
    // starts with "success" in any letter case. Returns the last reply.
    static std::string sendEncoded(const std::string& encoded, int& attempts);
};

}  // namespace qm
