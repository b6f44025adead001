#include "frame/Md5Digest.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

std::string Hex(const unsigned char* digest)
{
    std::string text;
    char pair[3];
    for(std::size_t i = 0; i < kMd5DigestSize; ++i) {
        std::snprintf(pair, sizeof pair, "%02x", digest[i]);
        text += pair;
    }
    return text;
}

std::string DigestOf(const std::string& input)
{
    unsigned char digest[kMd5DigestSize];
    Md5Digest(input.data(), input.size(), digest);
    return Hex(digest);
}

std::string DigestOf(const std::vector<unsigned char>& input)
{
    unsigned char digest[kMd5DigestSize];
    Md5Digest(input.data(), input.size(), digest);
    return Hex(digest);
}

// Bytes that are not all equal, so a block in the wrong order shows.
std::vector<unsigned char> Pattern(std::size_t length)
{
    std::vector<unsigned char> bytes(length);
    for(std::size_t i = 0; i < length; ++i) {
        bytes[i] = static_cast<unsigned char>((i * 7 + 3) & 0xff);
    }
    return bytes;
}

} // namespace

TEST(Md5Digest, MatchesTheRfc1321TestSuite)
{
    struct Case
    {
        const char* input;
        const char* digest;
    };
    const Case suite[] = {
        {"", "d41d8cd98f00b204e9800998ecf8427e"},
        {"a", "0cc175b9c0f1b6a831c399e269772661"},
        {"abc", "900150983cd24fb0d6963f7d28e17f72"},
        {"message digest", "f96b697d7cb7938d525a2f31aaf161d0"},
        {"abcdefghijklmnopqrstuvwxyz", "c3fcd3d76192e4007dfb496cca67e13b"},
        {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789",
         "d174ab98d277d9f5a5611c2c9f419d9f"},
        {"12345678901234567890123456789012345678901234567890123456789012345678901234567890",
         "57edf4a22be3c955ac49da2e2107b67a"},
    };
    for(const Case& c : suite) {
        EXPECT_EQ(DigestOf(std::string(c.input)), c.digest) << "input \"" << c.input << "\"";
    }
}

TEST(Md5Digest, EmptyInputMayBeNull)
{
    unsigned char digest[kMd5DigestSize];
    Md5Digest(nullptr, 0, digest);
    EXPECT_EQ(Hex(digest), "d41d8cd98f00b204e9800998ecf8427e");
}

TEST(Md5Digest, PaddingAroundTheBlockBoundaries)
{
    // 55 bytes leave room for the marker and the length in one block; 56
    // need a second block; 64 and 120 bring a whole block of padding.
    struct Case
    {
        std::size_t length;
        const char* digest;
    };
    const Case cases[] = {
        {55, "52c0e574e1198de5fe3f8f11440dcb1b"},  {56, "46c9907fc908ee68b1e7b8e71286a518"},
        {63, "a62f6d59e837867693f042f5b8f5a236"},  {64, "7160b8fb5e9e4023d549c3971fbaeead"},
        {65, "70bd662e7aefbda85a0f7244167b7897"},  {119, "e84905d4214f4d1ca56c2cdcc152b143"},
        {120, "e3eb5a6c8669ea01a8c185b8abc8a5dc"},
    };
    for(const Case& c : cases) {
        EXPECT_EQ(DigestOf(Pattern(c.length)), c.digest) << "length " << c.length;
    }
}

TEST(Md5Digest, LongInputOfAMillionBytes)
{
    EXPECT_EQ(DigestOf(std::string(1000000, 'a')), "7707d6ae4e027c70eea2a935c2296f21");
}

TEST(Md5Transform, OneBlockFromTheInitialStateGivesTheDigestOfTheEmptyMessage)
{
    // The padded empty message is one block: the marker and a zero length.
    std::uint32_t block[16] = {0x80};
    std::uint32_t state[4] = {0x67452301, 0xefcdab89, 0x98badcfe, 0x10325476};
    Md5Transform(state, block);
    EXPECT_EQ(state[0], 0xd98c1dd4u);
    EXPECT_EQ(state[1], 0x04b2008fu);
    EXPECT_EQ(state[2], 0x980980e9u);
    EXPECT_EQ(state[3], 0x7e42f8ecu);
}
