// Big-endian writers and the play log's base64 variant.
#include "playlog/LogEncoder.h"

#include <cstring>

namespace qm {

const char* const LogEncoder::kAlphabet =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_.";

void LogEncoder::writeShortBE(int value, std::vector<uint8_t>& bytes, int position) {
    const uint32_t v = static_cast<uint32_t>(value);
    for (int i = 0; i < 2; ++i) {
        const int at = position + i;
        if (at >= 0 && static_cast<size_t>(at) < bytes.size())
            bytes[at] = static_cast<uint8_t>(v >> (8 * (1 - i)));
    }
}

void LogEncoder::writeIntBE(int32_t value, std::vector<uint8_t>& bytes, int position) {
    const uint32_t v = static_cast<uint32_t>(value);
    for (int i = 0; i < 4; ++i) {
        const int at = position + i;
        if (at >= 0 && static_cast<size_t>(at) < bytes.size())
            bytes[at] = static_cast<uint8_t>(v >> (8 * (3 - i)));
    }
}

std::string LogEncoder::encode(const std::vector<uint8_t>& bytes, bool lineBreak) {
    std::string out;
    if (bytes.empty()) return out;
    // The used length may claim more than the array holds; never read past it.
    size_t end = bytes[0];
    if (end > bytes.size()) end = bytes.size();

    auto digit = [&](unsigned value) { out += kAlphabet[value & 63]; };
    int column = 0;
    auto step = [&] {
        column += 4;
        if (column == 76) column = 0;
    };

    size_t i = 1;
    for (; i + 3 <= end; i += 3) {
        const unsigned b0 = bytes[i], b1 = bytes[i + 1], b2 = bytes[i + 2];
        digit(b0 >> 2);
        digit((b0 << 4) | (b1 >> 4));
        digit((b1 << 2) | (b2 >> 6));
        digit(b2);
        step();
    }
    const size_t rest = end > i ? end - i : 0;
    if (rest == 2) {
        const unsigned b0 = bytes[i], b1 = bytes[i + 1];
        digit(b0 >> 2);
        digit((b0 << 4) | (b1 >> 4));
        digit(b1 << 2);
        out += '.';
    } else if (rest == 1) {
        const unsigned b0 = bytes[i];
        digit(b0 >> 2);
        digit(b0 << 4);
        out += "..";
    }
    // One step for the partial last group, or one empty step after a whole
    // last group: either way the walk ends with one more step.
    step();
    if (lineBreak && column != 0) out += "\r\n";
    return out;
}

std::string LogEncoder::decode(const std::string& text) {
    std::string out;
    uint32_t accumulator = 0;
    int counted = 0;
    for (char c : text) {
        if (c == '\0') continue;
        const char* found = std::strchr(kAlphabet, c);
        if (!found) continue;
        const uint32_t value = (c == '.') ? 0u : static_cast<uint32_t>(found - kAlphabet);
        accumulator = accumulator * 64 + value;
        if (++counted == 4) {
            out += static_cast<char>((accumulator >> 16) & 255);
            out += static_cast<char>((accumulator >> 8) & 255);
            out += static_cast<char>(accumulator & 255);
            accumulator = 0;
            counted = 0;
        }
    }
    return out;
}

}  // namespace qm
