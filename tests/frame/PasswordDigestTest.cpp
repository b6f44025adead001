#include "frame/PasswordDigest.h"

#include "frame/Md5Digest.h"

#include <cstring>
#include <gtest/gtest.h>
#include <string>

namespace {

std::string Hex(const wxMemoryBuffer& digest)
{
    std::string text;
    const auto* bytes = static_cast<const unsigned char*>(digest.GetData());
    for(size_t i = 0; i < digest.GetDataLen(); ++i) {
        char pair[3];
        std::snprintf(pair, sizeof pair, "%02x", bytes[i]);
        text += pair;
    }
    return text;
}

TEST(PasswordDigest, AsciiPasswordIsTheMd5OfItsCharacters)
{
    EXPECT_EQ("900150983cd24fb0d6963f7d28e17f72", Hex(PasswordDigest("abc")));
    EXPECT_EQ("d41d8cd98f00b204e9800998ecf8427e", Hex(PasswordDigest("")));
}

TEST(PasswordDigest, EveryByteOfANonAsciiPasswordCounts)
{
    // Same first character, different after it: a digest over as many bytes
    // as characters would take both for the same password.
    const wxString first = wxString::FromUTF8("\xe5\xaf\x86\xe7\xa0\x81"); // two CJK characters
    const wxString second = wxString::FromUTF8("\xe5\xaf\x86\xe9\x92\xa5");
    EXPECT_NE(Hex(PasswordDigest(first)), Hex(PasswordDigest(second)));
    unsigned char expected[kMd5DigestSize];
    Md5Digest("\xe5\xaf\x86\xe7\xa0\x81", 6, expected);
    const wxMemoryBuffer digest = PasswordDigest(first);
    ASSERT_EQ(kMd5DigestSize, digest.GetDataLen());
    EXPECT_EQ(0, std::memcmp(expected, digest.GetData(), kMd5DigestSize));
}

TEST(PasswordCompare, TheLoginPasswordMatchesAndAnythingElseDoesNot)
{
    const wxMemoryBuffer digest = PasswordDigest("s3cret");
    EXPECT_TRUE(PasswordMatchesDigest("s3cret", digest));
    EXPECT_FALSE(PasswordMatchesDigest("S3cret", digest));
    EXPECT_FALSE(PasswordMatchesDigest("s3cret ", digest));
    EXPECT_FALSE(PasswordMatchesDigest("", digest));
}

TEST(PasswordCompare, AnEmptyLoginPasswordIsMatchedOnlyByAnEmptyText)
{
    const wxMemoryBuffer digest = PasswordDigest("");
    EXPECT_TRUE(PasswordMatchesDigest("", digest));
    EXPECT_FALSE(PasswordMatchesDigest("x", digest));
}

TEST(PasswordCompare, WithoutADigestNothingMatches)
{
    wxMemoryBuffer none(kMd5DigestSize); // room reserved, nothing written: no login yet
    EXPECT_FALSE(PasswordMatchesDigest("", none));
    EXPECT_FALSE(PasswordMatchesDigest("anything", none));
    wxMemoryBuffer truncated;
    truncated.AppendData(PasswordDigest("abc").GetData(), 8);
    EXPECT_FALSE(PasswordMatchesDigest("abc", truncated));
}

} // namespace
