// The code page as packets carry it: decoding checked against iconv's own
// conversion, malformed bytes, and the three ways seat-packet texts are read.
#include "wire/gbk.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <string>
#include <vector>

#include "wire/packet_fields.h"

namespace {

using wire::gbkToUtf8;
const std::string kFffd(wire::kReplacementChar);

// iconv's conversion of a whole byte string; nullopt when it refuses any of it.
std::optional<std::string> iconvDecode(const std::string& gbk) {
    iconv_t cd = iconv_open("UTF-8", "GBK");
    EXPECT_NE(cd, reinterpret_cast<iconv_t>(-1));
    std::string out(gbk.size() * 4 + 4, '\0');
    char* in = const_cast<char*>(gbk.data());
    size_t inLeft = gbk.size();
    char* o = out.data();
    size_t outLeft = out.size();
    size_t r = iconv(cd, &in, &inLeft, &o, &outLeft);
    iconv_close(cd);
    if (r == static_cast<size_t>(-1)) return std::nullopt;
    out.resize(out.size() - outLeft);
    return out;
}

TEST(Gbk, EveryCharacterDecodesAsIconvDecodesTheWholeText) {
    // Every lead/trail pair iconv knows, with ASCII between them so that the pairing
    // of bytes is tested at odd and even offsets.
    std::string text;
    int characters = 0;
    for (int hi = 0x81; hi <= 0xFE; ++hi) {
        for (int lo = 0x40; lo <= 0xFE; ++lo) {
            if (lo == 0x7F) continue;
            std::string pair{static_cast<char>(hi), static_cast<char>(lo)};
            if (!iconvDecode(pair)) continue;
            text += pair;
            if (++characters % 7 == 0) text += static_cast<char>('a' + characters % 26);
        }
    }
    ASSERT_GT(characters, 20000);
    auto expected = iconvDecode(text);
    ASSERT_TRUE(expected);
    EXPECT_EQ(wire::gbkToUtf8(text), *expected);
    // And the way back gives the bytes again: every character has one code.
    EXPECT_EQ(wire::utf8ToGbk(*expected), text);
}

TEST(Gbk, EncodingIsIconvsAndLacksBecomeQuestionMarks) {
    EXPECT_EQ(wire::utf8ToGbk("打牌ok"), "\xB4\xF2\xC5\xC6ok");
    EXPECT_EQ(wire::utf8ToGbk("a😀b"), "a?b");   // outside the code page
    EXPECT_EQ(wire::utf8ToGbk("a\xC3"), "a?");  // broken UTF-8
    EXPECT_FALSE(wire::charToGbk("😀"));
}

TEST(Gbk, MalformedBytesBecomeOneReplacementEachAndSpareTheirNeighbours) {
    struct Case {
        std::string bytes, expected, why;
    } cases[] = {
        {"\xB0\xA1", "啊", "a whole character"},
        {"\xB0", kFffd, "a lead byte at the end"},
        {"a\xB0", "a" + kFffd, "a lead byte at the end after text"},
        {"\xB0"
         "1",
         kFffd + "1", "a lead byte before a digit keeps the digit"},
        {"\x81\x7F", kFffd + "\x7F", "0x7F is no trail byte"},
        {"\xFF", kFffd, "0xFF is no lead byte"},
        {"\xFF\xB0\xA1", kFffd + "啊", "0xFF does not take the next byte"},
        {"\x80", "€", "0x80 alone is the euro sign"},
        {"\xAA\xA1x", kFffd + "x", "a well-formed pair without a character"},
        {"\xB0\xB0\xA1", "鞍" + kFffd, "pairs are taken from the left"},
        {std::string("\xB0\0", 2), kFffd + std::string("\0", 1), "a zero is no trail byte"},
    };
    for (const Case& c : cases) EXPECT_EQ(wire::gbkToUtf8(c.bytes), c.expected) << c.why;
    // Against iconv: the good parts of a damaged text read as iconv reads them alone.
    std::string good1 = "\xC4\xE3\xBA\xC3", good2 = "\xCA\xC0\xBD\xE7";
    EXPECT_EQ(wire::gbkToUtf8(good1 + "\xFF" + good2),
              *iconvDecode(good1) + kFffd + *iconvDecode(good2));
    EXPECT_EQ(wire::gbkToUtf8(good1 + "\x81!" + good2),
              *iconvDecode(good1) + kFffd + "!" + *iconvDecode(good2));
}

// A packet with bytes written at an offset.
wire::GamePacket packetWith(std::size_t at, const std::string& bytes) {
    wire::GamePacket p{};
    for (std::size_t i = 0; i < bytes.size() && at + i < p.size(); ++i)
        p[at + i] = static_cast<std::uint8_t>(bytes[i]);
    return p;
}

TEST(PacketFields, TextsStopAtZeroOrAtTheEndOfTheirRange) {
    using namespace wire;
    struct Case {
        std::string (*read)(const wire::GamePacket&, std::size_t, std::size_t);
        std::size_t first, last;
        std::string bytes, expected, why;
    } cases[] = {
        {wire::singleByteText, 48, 63, "m10", "m10", "single bytes up to the zero"},
        {wire::singleByteText, 168, 183, "abcdefghijklmnopQRS", "abcdefghijklmnop",
         "a full range has no zero"},
        {wire::singleByteText, 48, 63, "w\xE9", "w\xC3\xA9",
         "a high byte is the character of its code"},
        {wire::singleByteText, 48, 63, std::string("a\0b", 3), "a", "nothing after the zero"},
        {wire::gbkText, 72, 79, "\xB1\xB1\xBE\xA9", "北京", "pairs up to the zero"},
        {wire::gbkText, 72, 79, "\xB1\xB1\xBE\xA9\xC9\xCF\xBA\xA3\xCC\xEC", "北京上海",
         "a full range of pairs"},
        {wire::gbkText, 112, 127,
         "\xB5\xDA"
         "1"
         "\xBC\xB6",
         "第1级", "a digit among the characters does not shift the pairs"},
        {wire::gbkText, 72, 79, std::string("a\0\xB1\xB1", 4), "a",
         "a zero after a plain byte ends it"},
        {wire::gbkText, 16, 47,
         "Li\xC5\xC6"
         "9",
         "Li牌9", "plain and double bytes"},
        {wire::gbkText, 16, 47, std::string(31, 'x') + "\xC5\xC6", std::string(31, 'x') + kFffd,
         "a lead byte in the last position is read alone"},
        {wire::gbkText, 16, 47,
         std::string(30, 'x') + "\xC5\xC6"
                                "zz",
         std::string(30, 'x') + "牌", "a pair in the last two positions"},
        {wire::gbkText, 16, 47, std::string("\xC5\0zz", 4), kFffd,
         "a zero after a lead byte ends it"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.read(packetWith(c.first, c.bytes), c.first, c.last), c.expected) << c.why;
}

TEST(PacketFields, RangesAreCutToThePacket) {
    wire::GamePacket p;
    p.fill('z');
    EXPECT_EQ(wire::singleByteText(p, 260, 400), std::string(12, 'z'));
    EXPECT_EQ(wire::gbkText(p, 269, 999), "zzz");
    EXPECT_EQ(wire::gbkText(p, 300, 310), "");
    p.fill(0xC5);
    EXPECT_EQ(wire::gbkText(p, 269, 271), "排" + kFffd);  // a pair, then a lone lead
    EXPECT_EQ(wire::packetDouble(p, 268), 0xC5C5C5C5 * 1.0);
}

TEST(PacketFields, Numbers) {
    EXPECT_EQ(wire::packetDouble(packetWith(96, "\x20\x4E"), 96), 20000.0);
    EXPECT_EQ(wire::packetDouble(packetWith(96, std::string(7, '\0') + "\x80"), 96),
              9223372036854775808.0);  // unsigned: the top bit is no sign
    EXPECT_EQ(wire::packetDouble(packetWith(96, std::string(8, '\xFF')), 96),
              18446744073709551615.0);
    EXPECT_EQ(wire::packetLong(packetWith(152, "\x01\x02\x03\x04"), 152), 0x04030201);
    EXPECT_EQ(wire::packetLong(packetWith(152, "\xFF\xFF\xFF\xFF"), 152), -1);
    EXPECT_EQ(wire::decimalText(20000), "20000");
    EXPECT_EQ(wire::decimalText(0), "0");
    EXPECT_EQ(wire::decimalText(123456789012.0), "123456789012");
}

}  // namespace
