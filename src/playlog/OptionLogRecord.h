// One change of an option in a play session (full screen, the two volumes, a
// profile reset), chained in the order the changes were made.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace qm {

class OptionLogRecord {
public:
    static constexpr int kSize = 6;  // 0x01, option, time (2), old, new

    uint8_t option = 0;
    uint16_t time = 0;  // seconds since start
    uint8_t oldValue = 0;
    uint8_t newValue = 0;
    std::shared_ptr<OptionLogRecord> next;

    // Writes this record and the rest of the chain from position; returns the
    // next free position. Stops at a record that would not fit in the array.
    int writeTo(std::vector<uint8_t>& bytes, int position) const;
    // This record's text followed by the rest of the chain's.
    std::string toString() const;
    void append(std::shared_ptr<OptionLogRecord> record);
    static std::shared_ptr<OptionLogRecord> create(int option, int time, int oldValue, int newValue);
};

}  // namespace qm
