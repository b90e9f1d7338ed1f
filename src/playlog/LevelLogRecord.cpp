// The 9-byte level record and its text form.
#include "playlog/LevelLogRecord.h"

#include "playlog/LogEncoder.h"
#include "runtime/TextConv.h"

namespace qm {

int LevelLogRecord::writeTo(std::vector<uint8_t>& bytes, int position) const {
    for (const LevelLogRecord* r = this; r; r = r->next.get()) {
        if (position < 0 || static_cast<size_t>(position) + kSize > bytes.size()) break;
        bytes[position] = 0x02;
        bytes[position + 1] = r->level;
        LogEncoder::writeShortBE(r->duration, bytes, position + 2);
        bytes[position + 4] = r->finishType;
        LogEncoder::writeShortBE(r->moves, bytes, position + 5);
        LogEncoder::writeShortBE(r->resets, bytes, position + 7);
        position += kSize;
    }
    return position;
}

std::string LevelLogRecord::toString() const {
    std::string text;
    for (const LevelLogRecord* r = this; r; r = r->next.get())
        text += ", LVL hdr: 2, level " + str(int(r->level)) + ", duration: " + str(int(r->duration)) +
                ", finish type " + str(int(r->finishType)) + ", moves: " + str(int(r->moves)) +
                ", resets :" + str(int(r->resets));
    return text;
}

void LevelLogRecord::append(std::shared_ptr<LevelLogRecord> record) {
    LevelLogRecord* last = this;
    while (last->next) last = last->next.get();
    last->next = std::move(record);
}

std::shared_ptr<LevelLogRecord> LevelLogRecord::create(int level, int duration, int finishType, int moves,
                                                       int resets) {
    auto record = std::make_shared<LevelLogRecord>();
    record->level = static_cast<uint8_t>(level);
    record->duration = static_cast<uint16_t>(duration);
    record->finishType = static_cast<uint8_t>(finishType);
    record->moves = static_cast<uint16_t>(moves);
    record->resets = static_cast<uint16_t>(resets);
    return record;
}

}  // namespace qm
