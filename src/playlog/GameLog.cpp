// The play-session logger: the player file, the session and level arrays,
// and their upload.
#include "playlog/GameLog.h"

#include <cstdint>

#include "playlog/LevelLogRecord.h"
#include "playlog/LogEncoder.h"
#include "playlog/OptionLogRecord.h"
#include "runtime/Clock.h"
#include "runtime/Diagnostics.h"
#include "runtime/Files.h"
#include "runtime/Http.h"
#include "runtime/Random.h"
#include "runtime/TextConv.h"

#ifndef QM_UPLOADS_ENABLED
#define QM_UPLOADS_ENABLED 0
#endif
#ifndef QM_COLLECTION_HOST
#define QM_COLLECTION_HOST "stats.quillmere.invalid"
#endif

namespace qm {

int GameLog::uploadsEnabled = QM_UPLOADS_ENABLED;
std::string GameLog::collectionHost = QM_COLLECTION_HOST;

namespace {

// Whole seconds of the millisecond clock.
int clockSeconds() { return millisecs() / 1000; }

bool startsWithSuccess(const std::string& reply) { return lowerCase(reply).rfind("success", 0) == 0; }

}  // namespace

std::shared_ptr<GameLog> GameLog::create() {
    int32_t id = 0;
    uint16_t number = 0;
    KeptFile kept = readKeptFile(kIdFile, 6);
    const std::vector<uint8_t>& bytes = kept.bytes;
    if (kept.outcome == KeptFileOutcome::Missing) {
        id = randomInt(INT32_MIN, INT32_MAX);
        debugLog("game log - first run - unique ID " + str(id));
    } else if (kept.outcome == KeptFileOutcome::Unreadable) {
        // It may still name this player: this session gets a number of its
        // own and the file is left as it is.
        id = randomInt(INT32_MIN, INT32_MAX);
        debugLog("game log - " + std::string(kIdFile) + " cannot be read (" + kept.reason +
                 ") - left as it is, unique ID " + str(id) + " for this session");
    } else if (bytes.size() >= 6) {
        id = static_cast<int32_t>(uint32_t(bytes[0]) | uint32_t(bytes[1]) << 8 | uint32_t(bytes[2]) << 16 |
                                  uint32_t(bytes[3]) << 24);
        number = static_cast<uint16_t>(bytes[4] | bytes[5] << 8);
        debugLog("game log - unique ID " + str(id) + ", log number " + str(int(number)));
    } else {
        // A truncated file cannot be trusted to name this player: start
        // afresh as on a first run, and rewrite it below so the next run reads
        // a whole file and counts on from there.
        id = randomInt(INT32_MIN, INT32_MAX);
        debugLog("game log - damaged " + std::string(kIdFile) + " - new unique ID " + str(id));
    }

    if (kept.outcome != KeptFileOutcome::Unreadable) {
        // Written beside the old file and renamed over it, so a failed write
        // leaves the previous file whole.
        StreamPtr out = writeKeptFile(kIdFile);
        out->writeInt(id);
        out->writeShort(static_cast<uint16_t>(number + 1));
        if (!out->close()) debugLog("game log - could not write " + std::string(kIdFile));
    }

    auto log = std::make_shared<GameLog>();
    log->uniqueID = id;
    log->logNumber = number;
    return log;
}

void GameLog::levelStarted(int level) {
    currentLevel = static_cast<uint8_t>(level);
    levelStartSeconds = static_cast<uint16_t>(clockSeconds());
    moves = 0;
    resets = 0;
}

void GameLog::levelFinished(int finishType) {
    if (currentLevel == 255) return;
    const uint16_t duration = static_cast<uint16_t>(clockSeconds() - levelStartSeconds);
    // Cleared before the record is added: the twentieth record sends a batch,
    // and nothing in that send should see this level still in progress.
    const uint8_t level = currentLevel;
    currentLevel = 255;
    addLevelRecord(level, duration, finishType, moves, resets);
}

void GameLog::sessionStarted(int level) {
    levelFrom = static_cast<uint8_t>(level);
    sessionState = sessionState - 1;
}

void GameLog::sessionFinished(int level) {
    debugLog("game log: session finishing");
    if (sessionState == -1) sessionState = 1;
    sessionSeconds = static_cast<uint16_t>(clockSeconds() - programStartSeconds);
    levelTo = static_cast<uint8_t>(level);
    uploadSession();
    uploadLevels();
}

std::string GameLog::fetchReply(const std::string& url) {
    if (uploadsEnabled == 0) return "Disabled";
    StreamPtr stream = openHttpStream(url);
    if (!stream) return "Error!";
    std::string reply;
    while (!stream->eof()) {
        reply += stream->readLine();
        if (stream->failed()) break;
    }
    stream->close();
    return reply;
}

std::string GameLog::sendEncoded(const std::string& encoded, int& attempts) {
    std::string reply;
    attempts = 0;
    while (!startsWithSuccess(reply) && attempts < kAttempts) {
        ++attempts;
        reply = fetchReply("http::" + collectionHost + kRequestPath + encoded);
    }
    return reply;
}

void GameLog::uploadSession() {
    int attempts = 0;
    const std::string reply = sendEncoded(LogEncoder::encode(sessionLogToByteArray(), false), attempts);
    debugLog("game log: RESPONSE: " + reply);
    if (attempts > 1) debugLog("upload attempts: " + str(attempts));
}

void GameLog::uploadLevels() {
    if (!levels) return;
    debugLog("game log: uploading " + str(levelCount) + " level logs");
    const std::string encoded = LogEncoder::encode(levelsToByteArray(), false);
    int attempts = 0;
    const std::string reply = sendEncoded(encoded, attempts);
    debugLog("game log: uploading lvls " + encoded);
    debugLog("game log: RESPONSE: " + reply);
    if (attempts > 1) debugLog("upload attempts: " + str(attempts));
    levels = nullptr;
    levelCount = 0;
}

std::vector<uint8_t> GameLog::levelsToByteArray() {
    std::vector<uint8_t> bytes(kArraySize, 0);
    bytes[1] = 0x4E;  // N
    LogEncoder::writeIntBE(uniqueID, bytes, 2);
    int position = 6;
    if (levels) position = levels->writeTo(bytes, position);
    bytes[position] = 0;
    bytes[0] = static_cast<uint8_t>(position + 1);
    return bytes;
}

std::vector<uint8_t> GameLog::sessionLogToByteArray() {
    if (sessionState == 0) notify("sessionLogToByteArray called on incomplete session :(", 0);
    std::vector<uint8_t> bytes(kArraySize, 0);
    bytes[1] = 0x4D;  // M
    LogEncoder::writeIntBE(uniqueID, bytes, 2);
    LogEncoder::writeShortBE(logNumber, bytes, 6);
    LogEncoder::writeShortBE(sessionSeconds, bytes, 8);
    bytes[10] = levelFrom;
    bytes[11] = levelTo;
    LogEncoder::writeIntBE(uniqueID, bytes, 12);
    LogEncoder::writeIntBE(uniqueID, bytes, 16);
    int position = 20;
    if (options) position = options->writeTo(bytes, position);
    bytes[position] = 0;
    bytes[0] = static_cast<uint8_t>(position + 1);
    return bytes;
}

std::string GameLog::toString() {
    if (sessionState == 0) notify("toString called on incomplete log :(", 0);
    std::string text = "ID: " + str(uniqueID) + ", session " + str(int(logNumber)) + ", took " +
                       str(int(sessionSeconds)) + " s, from level " + str(int(levelFrom)) + " to " +
                       str(int(levelTo));
    if (options) text += options->toString();
    if (levels) text += levels->toString();
    return text + "0";
}

void GameLog::optionChanged(int option, int time, int oldValue, int newValue) {
    if (optionCount >= kMaxOptionRecords) return;
    ++optionCount;
    auto record = OptionLogRecord::create(option, time, oldValue & 0xFF, newValue & 0xFF);
    if (options)
        options->append(std::move(record));
    else
        options = std::move(record);
}

void GameLog::addLevelRecord(int level, int duration, int finishType, int moves, int resets) {
    ++levelCount;
    auto record = LevelLogRecord::create(level, duration, finishType, moves, resets);
    if (levels)
        levels->append(std::move(record));
    else
        levels = std::move(record);
    if (levelCount >= kLevelBatch) uploadLevels();
}

}  // namespace qm
