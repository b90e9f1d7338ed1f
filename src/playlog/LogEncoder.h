// The wire helpers of the play log: big-endian writers for the record arrays
// and the URL-safe base64 text ("." pads) that carries them in a request.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace qm {

class LogEncoder {
public:
    static const char* const kAlphabet;  // 64 URL-safe digits, then "." for padding

    // Most significant byte first. Bytes that would fall past the end of the
    // array are not written.
    static void writeShortBE(int value, std::vector<uint8_t>& bytes, int position);
    static void writeIntBE(int32_t value, std::vector<uint8_t>& bytes, int position);

    // Encodes bytes[1] .. bytes[L - 1], where L = bytes[0] is the used length
    // the record arrays keep in their first byte. With lineBreak, "\r\n" ends
    // a text whose last line is not a full 76 columns.
    static std::string encode(const std::vector<uint8_t>& bytes, bool lineBreak);
    // One character per decoded byte; padding decodes as zero codes and an
    // incomplete last group is dropped.
    static std::string decode(const std::string& text);
};

}  // namespace qm
