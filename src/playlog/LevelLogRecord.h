// One level played in a session: how long it took and how it ended, chained
// in the order the levels ended.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace qm {

class LevelLogRecord {
public:
    static constexpr int kSize = 9;  // 0x02, level, duration (2), finish type, moves (2), resets (2)

    uint8_t level = 0;
    uint16_t duration = 0;  // seconds
    uint8_t finishType = 0;  // 0 quit, 1 solved, 2 skipped
    uint16_t moves = 0;
    uint16_t resets = 0;
    std::shared_ptr<LevelLogRecord> next;

    // Writes this record and the rest of the chain from position; returns the
    // next free position. Stops at a record that would not fit in the array.
    int writeTo(std::vector<uint8_t>& bytes, int position) const;
    std::string toString() const;
    void append(std::shared_ptr<LevelLogRecord> record);
    static std::shared_ptr<LevelLogRecord> create(int level, int duration, int finishType, int moves, int resets);
};

}  // namespace qm
