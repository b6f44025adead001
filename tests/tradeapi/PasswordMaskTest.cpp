// Undoing the bank-password mask of the money requests.
#include "PasswordMask.h"

#include <gtest/gtest.h>

using simmarket::PasswordMask;

TEST(PasswordMask, UnmaskRecoversThePasswordKeyedByTheRequestId)
{
    EXPECT_EQ(PasswordMask::Unmask("NTA3Nj0z", 0x01020304), "135790");
    EXPECT_EQ(PasswordMask::Unmask("Zg==", 7), "a");
    EXPECT_EQ(PasswordMask::Unmask("AwMDAw==", 0x30313233), "0123");
    EXPECT_EQ(PasswordMask::Unmask("", 99), "");
}

TEST(PasswordMask, ByteThatBecameZeroIsKept)
{
    EXPECT_EQ(PasswordMask::Mask("3a", 0x33), "AGE=");
    EXPECT_EQ(PasswordMask::Unmask("AGE=", 0x33), "3a");
}

TEST(PasswordMask, FullFieldYieldsTheFirstEighteenBytes)
{
    EXPECT_EQ(PasswordMask::Mask("abcdefghijklmnopqrstuv", -5), "mp2cm56ZmJeSlZSTlpGQj4qN");
    EXPECT_EQ(PasswordMask::Unmask("mp2cm56ZmJeSlZSTlpGQj4qN", -5), "abcdefghijklmnopqr");
}

TEST(PasswordMask, TextThatIsNoBase64IsRefused)
{
    EXPECT_FALSE(PasswordMask::Unmask("abc", 1));
    EXPECT_FALSE(PasswordMask::Unmask("ab=c", 1));
    EXPECT_FALSE(PasswordMask::Unmask("@@@@", 1));
    EXPECT_FALSE(PasswordMask::Unmask("Zg==Zg==", 1)) << "padding only at the end";
}
