// The log's wire text: big-endian writers, the base64 variant with "."
// padding, the line-break counter and the decoder.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "playlog/LogEncoder.h"

namespace qm {
namespace {

// A record array as the logger builds it: byte 0 is the used length,
// counted through the terminator that follows the payload.
std::vector<uint8_t> arrayOf(const std::string& payload) {
    std::vector<uint8_t> bytes(240, 0);
    for (size_t i = 0; i < payload.size(); ++i) bytes[1 + i] = uint8_t(payload[i]);
    bytes[0] = uint8_t(payload.size() + 1);
    return bytes;
}

TEST(LogEncoderTest, WritersPutTheMostSignificantByteFirst) {
    std::vector<uint8_t> bytes(8, 0xAA);
    LogEncoder::writeShortBE(0xFF10, bytes, 0);
    LogEncoder::writeIntBE(-1, bytes, 2);
    EXPECT_EQ(bytes, (std::vector<uint8_t>{0xFF, 0x10, 0xFF, 0xFF, 0xFF, 0xFF, 0xAA, 0xAA}));

    LogEncoder::writeIntBE(0x01020304, bytes, 4);  // the last two bytes fall off the end
    EXPECT_EQ(bytes, (std::vector<uint8_t>{0xFF, 0x10, 0xFF, 0xFF, 0x01, 0x02, 0x03, 0x04}));
    LogEncoder::writeShortBE(300, bytes, 7);
    EXPECT_EQ(bytes[7], 0x01);  // only the high byte fits
    LogEncoder::writeShortBE(-2, bytes, -1);
    EXPECT_EQ(bytes[0], 0xFE);  // only the low byte lands inside
}

TEST(LogEncoderTest, EncodesWholeAndPartialGroups) {
    EXPECT_EQ(LogEncoder::encode(arrayOf("abc"), false), "YWJj");
    EXPECT_EQ(LogEncoder::encode(arrayOf("ab"), false), "YWI.");
    EXPECT_EQ(LogEncoder::encode(arrayOf("a"), false), "YQ..");
    // Values 62 and 63 use the URL-safe digits.
    EXPECT_EQ(LogEncoder::encode(arrayOf("\xfb\xff\xbf"), false), "-_-_");
    // The used length, not the array's size, bounds the input.
    std::vector<uint8_t> bytes = arrayOf("abc");
    bytes[0] = 3;
    EXPECT_EQ(LogEncoder::encode(bytes, false), "YWI.");
}

TEST(LogEncoderTest, RecordArraysEncodeToTheirExpectedLengths) {
    std::vector<uint8_t> session(240, 0);
    session[0] = 21;
    for (int i = 1; i < 20; ++i) session[i] = uint8_t(i * 13);
    const std::string text = LogEncoder::encode(session, false);
    ASSERT_EQ(text.size(), 28u);
    EXPECT_EQ(text.substr(26), "A.") << "20 bytes: six whole groups and a pair ending in a zero byte";
    EXPECT_EQ(text.find('.'), 27u);

    std::vector<uint8_t> levels(240, 0);
    levels[0] = 16;
    for (int i = 1; i < 15; ++i) levels[i] = uint8_t(200 + i);
    const std::string levelText = LogEncoder::encode(levels, false);
    EXPECT_EQ(levelText.size(), 20u);
    EXPECT_EQ(levelText.find('.'), std::string::npos);
}

TEST(LogEncoderTest, LineBreakFollowsTheColumnCounter) {
    // 3 bytes: one group and one empty step, 8 columns: a break.
    EXPECT_EQ(LogEncoder::encode(arrayOf("abc"), true), "YWJj\r\n");
    // 54 bytes: 18 groups plus the empty step make 19 steps, exactly 76 columns.
    const std::string full(54, 'x');
    const std::string plain = LogEncoder::encode(arrayOf(full), false);
    EXPECT_EQ(plain.size(), 72u);
    EXPECT_EQ(LogEncoder::encode(arrayOf(full), true), plain) << "the counter is back at 0";
    // 55 bytes: the partial group is the 19th step, also 76 columns.
    EXPECT_EQ(LogEncoder::encode(arrayOf(std::string(55, 'x')), true).substr(72), "eA..");
    // 56 bytes: still 19 steps.
    EXPECT_EQ(LogEncoder::encode(arrayOf(std::string(56, 'x')), true).size(), 76u);
    // 57 bytes: 19 groups and the empty step: 4 columns on a new line.
    const std::string longer = LogEncoder::encode(arrayOf(std::string(57, 'x')), true);
    EXPECT_EQ(longer.size(), 78u);
    EXPECT_EQ(longer.substr(76), "\r\n");
    // Nothing to encode is still one empty step.
    EXPECT_EQ(LogEncoder::encode(arrayOf(""), true), "\r\n");
    EXPECT_EQ(LogEncoder::encode({}, true), "");
}

TEST(LogEncoderTest, DecodeInvertsEncode) {
    EXPECT_EQ(LogEncoder::decode("YWI."), std::string("ab\0", 3));
    EXPECT_EQ(LogEncoder::decode("YWJj"), "abc");
    // Characters outside the alphabet are skipped; an incomplete group is dropped.
    EXPECT_EQ(LogEncoder::decode("YW=J j\r\nYW"), "abc");

    std::string all;
    for (int i = 0; i < 255; ++i) all += char(i);
    const std::string text = LogEncoder::encode(arrayOf(all.substr(0, 239)), false);
    const std::string back = LogEncoder::decode(text);
    ASSERT_GE(back.size(), 238u);
    EXPECT_EQ(back.substr(0, 238), all.substr(0, 238));
}

}  // namespace
}  // namespace qm
