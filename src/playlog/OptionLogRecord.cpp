// The 6-byte option record and its text form.
#include "playlog/OptionLogRecord.h"

#include "playlog/LogEncoder.h"
#include "runtime/TextConv.h"

namespace qm {

int OptionLogRecord::writeTo(std::vector<uint8_t>& bytes, int position) const {
    // Walked as a loop rather than by recursion, so a long chain cannot
    // exhaust the stack.
    for (const OptionLogRecord* r = this; r; r = r->next.get()) {
        if (position < 0 || static_cast<size_t>(position) + kSize > bytes.size()) break;
        bytes[position] = 0x01;
        bytes[position + 1] = r->option;
        LogEncoder::writeShortBE(r->time, bytes, position + 2);
        bytes[position + 4] = r->oldValue;
        bytes[position + 5] = r->newValue;
        position += kSize;
    }
    return position;
}

std::string OptionLogRecord::toString() const {
    std::string text;
    for (const OptionLogRecord* r = this; r; r = r->next.get())
        text += ", OPT hdr 1, option: " + str(int(r->option)) + ", time: " + str(int(r->time)) +
                " from old val: " + str(int(r->oldValue)) + " to " + str(int(r->newValue));
    return text;
}

void OptionLogRecord::append(std::shared_ptr<OptionLogRecord> record) {
    OptionLogRecord* last = this;
    while (last->next) last = last->next.get();
    last->next = std::move(record);
}

std::shared_ptr<OptionLogRecord> OptionLogRecord::create(int option, int time, int oldValue, int newValue) {
    auto record = std::make_shared<OptionLogRecord>();
    record->option = static_cast<uint8_t>(option);
    record->time = static_cast<uint16_t>(time);
    record->oldValue = static_cast<uint8_t>(oldValue);
    record->newValue = static_cast<uint8_t>(newValue);
    return record;
}

}  // namespace qm
