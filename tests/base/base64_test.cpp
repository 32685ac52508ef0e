// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/base64.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "base/error.h"

using namespace dorvane;
using namespace dorvane::base;

namespace {

std::string Encode(std::string_view bytes, int lineLength = 0, int padGroup = 0,
                   std::int64_t* returned = nullptr) {
    MemoryStream in(bytes), out;
    const std::int64_t n = EncodeBitGroups(in, out, -1, lineLength, padGroup, 6, kBase64Alphabet);
    if (returned) *returned = n;
    return out.text();
}

std::string Decode(std::string_view text, std::int64_t* returned = nullptr) {
    MemoryStream in(text), out;
    const std::int64_t n = Base64Decode(in, out);
    if (returned) *returned = n;
    EXPECT_EQ(static_cast<std::size_t>(n), out.size());
    return out.text();
}

std::string RandomBytes(std::size_t n, std::mt19937& rng) {
    std::string s(n, '\0');
    for (char& c : s) c = static_cast<char>(rng());
    return s;
}

// RFC 4648 base64 without padding, one 6-bit group at a time.
std::string ReferenceBase64(const std::string& bytes) {
    std::string text;
    std::uint32_t bits = 0;
    int count = 0;
    for (unsigned char c : bytes) {
        bits = (bits << 8) | c;
        for (count += 8; count >= 6; count -= 6)
            text += kBase64Alphabet[(bits >> (count - 6)) & 63];
    }
    if (count > 0) text += kBase64Alphabet[(bits << (6 - count)) & 63];
    return text;
}

// Keeps the codec's block size as the program sets it, whatever a test changes.
class Base64 : public ::testing::Test {
protected:
    void SetUp() override { SetCodecBufferSize(65536); }
    void TearDown() override { SetCodecBufferSize(65536); }
};

}  // namespace

TEST_F(Base64, WorkedValues) {
    EXPECT_EQ(Encode("abc"), "YWJj");
    EXPECT_EQ(Encode("ab"), "YWI");
    EXPECT_EQ(Encode("a"), "YQ");
    EXPECT_EQ(Encode("Man"), "TWFu");
    EXPECT_EQ(Encode("\xFF\xFE\xFD"), "//79");  // the two last characters of the alphabet
    EXPECT_EQ(Decode("YWJj"), "abc");
    EXPECT_EQ(Decode("YWI"), "ab");
    EXPECT_EQ(Decode("YQ"), "a");
}

TEST_F(Base64, ReturnsCharactersAndBytesWritten) {
    std::int64_t n = 0;
    Encode("abcab", 0, 0, &n);
    EXPECT_EQ(n, 7);  // ⌈40 / 6⌉
    Decode("YWJjYWI", &n);
    EXPECT_EQ(n, 5);
    Encode("abcabc", 4, 0, &n);
    EXPECT_EQ(n, 12);  // line breaks count
    Encode("a", 0, 4, &n);
    EXPECT_EQ(n, 4);  // padding counts
}

TEST_F(Base64, EmptyInputGivesNothing) {
    std::int64_t n = -1;
    EXPECT_EQ(Encode("", 0, 0, &n), "");
    EXPECT_EQ(n, 0);
    EXPECT_EQ(Decode("", &n), "");
    EXPECT_EQ(n, 0);
    // Position at the end counts as empty too.
    MemoryStream in(std::string_view("abc")), out;
    in.seek(3);
    EXPECT_EQ(Base64Encode(in, out), 0);
    EXPECT_EQ(out.size(), 0u);
}

TEST_F(Base64, CountZeroWritesNothingAndPositiveCountIsHonoured) {
    MemoryStream in(std::string_view("abcdef")), out;
    EXPECT_EQ(Base64Encode(in, out, 0), 0);
    EXPECT_EQ(out.size(), 0u);
    EXPECT_EQ(in.position(), 0u);
    EXPECT_EQ(Base64Encode(in, out, 3), 4);
    EXPECT_EQ(out.text(), "YWJj");
    EXPECT_EQ(in.position(), 3u);
    // A count beyond the end stops at the end.
    EXPECT_EQ(Base64Encode(in, out, 100), 4);
    EXPECT_EQ(out.text(), "YWJjZGVm");
}

TEST_F(Base64, StreamsWorkFromTheirPositions) {
    MemoryStream in(std::string_view("xxabc")), out(std::string_view("12345"));
    in.seek(2);
    out.seek(1);
    EXPECT_EQ(Base64Encode(in, out), 4);
    EXPECT_EQ(out.text(), "1YWJj");  // written at the position, overwriting
    MemoryStream text(std::string_view("??YWJj")), bytes;
    text.seek(2);
    EXPECT_EQ(Base64Decode(text, bytes), 3);
    EXPECT_EQ(bytes.text(), "abc");
}

TEST_F(Base64, PaddedTextDecodesLikeUnpadded) {
    EXPECT_EQ(Decode("YWI="), "ab");
    EXPECT_EQ(Decode("YQ=="), "a");
    EXPECT_EQ(Decode("YWJj"), Decode("YWJj===="));
}

TEST_F(Base64, LineBreaksAreSkipped) {
    EXPECT_EQ(Decode("YWJj\r\nYWJj\r\n"), "abcabc");
    EXPECT_EQ(Decode("YW\rJjY\nWJj"), "abcabc");
    EXPECT_EQ(Decode("\n\n\r\rY\r\nQ\n"), "a");
}

TEST_F(Base64, InvalidCharacterEndsItsBlock) {
    EXPECT_EQ(Decode("YW I"), "a");  // only the byte complete before the blank
    EXPECT_EQ(Decode("YWJj*YWJj"), "abc");
    EXPECT_EQ(Decode("=YWJj"), "");
    EXPECT_EQ(Decode("YWJ-URL_safe"), "ab");
}

TEST_F(Base64, SingleLeftoverCharacterAddsNoByte) {
    EXPECT_EQ(Decode("Y"), "");
    EXPECT_EQ(Decode("YWJjY"), "abc");
    EXPECT_EQ(Decode("YWJjYWJjZ"), "abcabc");
}

TEST_F(Base64, LineLengthBreaksAfterEveryFullLine) {
    EXPECT_EQ(Encode("abcabc", 4), "YWJj\r\nYWJj\r\n");
    EXPECT_EQ(Encode("abcab", 4), "YWJj\r\nYWI");  // the last, partial character: no break
    EXPECT_EQ(Encode("abcd", 3), "YWJ\r\njZA");
    EXPECT_EQ(Encode("abc", 1), "Y\r\nW\r\nJ\r\nj\r\n");
}

TEST_F(Base64, PadGroupAppendsEqualsSigns) {
    EXPECT_EQ(Encode("a", 0, 4), "YQ==");
    EXPECT_EQ(Encode("ab", 0, 4), "YWI=");
    EXPECT_EQ(Encode("abc", 0, 4), "YWJj");
    EXPECT_EQ(Encode("abcab", 4, 4), "YWJj\r\nYWI=");  // breaks are not counted
    EXPECT_EQ(Encode("a", 0, 3), "YQ=");
}

TEST_F(Base64, OtherGroupSizesAndAlphabets) {
    MemoryStream in(std::string_view("\xA5\x0F")), out;
    EXPECT_EQ(EncodeBitGroups(in, out, -1, 0, 0, 4, "0123456789ABCDEF"), 4);
    EXPECT_EQ(out.text(), "A50F");
    MemoryStream text(std::string_view("a50f")), bytes;
    EXPECT_EQ(DecodeBitGroups(text, bytes, "0123456789abcdef", 4), 2);
    EXPECT_EQ(bytes.text(), "\xA5\x0F");
    MemoryStream in5(std::string_view("a")), out5;
    EXPECT_EQ(EncodeBitGroups(in5, out5, -1, 0, 8, 5, "ABCDEFGHIJKLMNOPQRSTUVWXYZ234567"), 8);
    EXPECT_EQ(out5.text(), "ME======");  // base32 of "a"
    MemoryStream in1(std::string_view("\x05")), out1;
    EncodeBitGroups(in1, out1, -1, 0, 0, 1, "01");
    EXPECT_EQ(out1.text(), "00000101");
}

TEST_F(Base64, AlphabetTooSmallIsAnError) {
    MemoryStream in(std::string_view("abc")), out;
    EXPECT_THROW(EncodeBitGroups(in, out, -1, 0, 0, 6, "ABC"), Error);
    EXPECT_THROW(EncodeBitGroups(in, out, -1, 0, 0, 0, kBase64Alphabet), Error);
    EXPECT_THROW(DecodeBitGroups(in, out, kBase64Alphabet, 40), Error);
}

TEST_F(Base64, BufferSizeIsNeverBelow65536) {
    SetCodecBufferSize(10);
    EXPECT_EQ(CodecBufferSize(), 65536);
    SetCodecBufferSize(-1);
    EXPECT_EQ(CodecBufferSize(), 65536);
    SetCodecBufferSize(100000);
    EXPECT_EQ(CodecBufferSize(), 100000);
}

TEST_F(Base64, RoundTripsEveryLengthUpTo300) {
    std::mt19937 rng(300);
    for (std::size_t n = 0; n <= 300; ++n) {
        const std::string bytes = RandomBytes(n, rng);
        const std::string text = Encode(bytes);
        ASSERT_EQ(text, ReferenceBase64(bytes)) << n;
        ASSERT_EQ(Decode(text), bytes) << n;
        ASSERT_EQ(Decode(Encode(bytes, 76)), bytes) << n;  // broken into lines
    }
}

TEST_F(Base64, RoundTripsAMegabyteAcrossBlocks) {
    std::mt19937 rng(1);
    for (std::size_t n : {std::size_t{1} << 20, std::size_t{65536}, std::size_t{65537},
                          std::size_t{3 * 65536 + 1}}) {
        const std::string bytes = RandomBytes(n, rng);
        const std::string text = Encode(bytes);
        ASSERT_TRUE(text == ReferenceBase64(bytes)) << n;
        ASSERT_TRUE(Decode(text) == bytes) << n;
        ASSERT_TRUE(Decode(Encode(bytes, 64, 4)) == bytes) << n;
    }
    SetCodecBufferSize(100001);  // a block length that is no multiple of 3 or 4
    const std::string bytes = RandomBytes(1 << 20, rng);
    ASSERT_TRUE(Decode(Encode(bytes)) == bytes);
    ASSERT_TRUE(Decode(Encode(bytes, 77)) == bytes);
}

TEST_F(Base64, EncodingIsTheSameWhateverTheBlockLength) {
    std::mt19937 rng(2);
    const std::string bytes = RandomBytes(300000, rng);
    const std::string plain = Encode(bytes), lines = Encode(bytes, 76, 4);
    SetCodecBufferSize(65537);
    EXPECT_TRUE(Encode(bytes) == plain);
    EXPECT_TRUE(Encode(bytes, 76, 4) == lines);
}

TEST_F(Base64, InvalidCharacterSkipsOnlyTheRestOfItsBlock) {
    // Two blocks of 65536 characters: a blank early in the first block drops the
    // rest of that block; decoding resumes with the second block, and the bits
    // pending at the blank are carried into it.
    std::mt19937 rng(3);
    const std::string bytes = RandomBytes(3 * 65536 / 4 * 2, rng);  // 131072 characters
    std::string text = Encode(bytes);
    ASSERT_EQ(text.size(), 131072u);
    text[10] = ' ';  // after 10 characters: 7 whole bytes, 4 bits pending
    const std::string decoded = Decode(text);
    EXPECT_EQ(decoded.substr(0, 7), bytes.substr(0, 7));
    // Then 65536 characters of the second block on top of the 4 pending bits:
    // 4 + 65536·6 bits give 49152 bytes, shifted by the half byte left over.
    ASSERT_EQ(decoded.size(), 7u + 49152u);
    const auto byteAt = [&](std::size_t i) { return static_cast<std::uint8_t>(bytes[i]); };
    const std::uint8_t pendingHigh = byteAt(7) >> 4;  // the 4 bits pending at the blank
    EXPECT_EQ(static_cast<std::uint8_t>(decoded[7]), ((pendingHigh << 4) | (byteAt(49152) >> 4)));
    EXPECT_EQ(decoded.substr(8, 100), [&] {
        std::string s;
        for (std::size_t i = 0; i < 100; ++i)
            s += static_cast<char>((byteAt(49152 + i) << 4) | (byteAt(49153 + i) >> 4));
        return s;
    }());
}
