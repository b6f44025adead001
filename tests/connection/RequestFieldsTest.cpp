#include "connection/RequestFields.h"

#include <cstring>
#include <gtest/gtest.h>
#include <tradeapi/FFixCommon.h>
#include <tradeapi/FFixMoney.h>
#include <wx/base64.h>

namespace {

// Undoes the masking: base64 back to bytes, XOR with the id again.
std::string Unmask(const char* field, int requestId)
{
    const wxMemoryBuffer decoded = wxBase64Decode(wxString(field, 24).BeforeFirst('\0'));
    std::string bytes(static_cast<const char*>(decoded.GetData()), decoded.GetDataLen());
    const auto key = static_cast<std::uint32_t>(requestId);
    for(std::size_t i = 0; i < bytes.size(); ++i) {
        bytes[i] = static_cast<char>(static_cast<unsigned char>(bytes[i]) ^ ((key >> (8 * (i % 4))) & 0xff));
    }
    return bytes;
}

TEST(MaskPasswordField, RoundTripRestoresThePasswordForEveryLengthUpTo18)
{
    for(std::size_t length = 0; length <= 18; ++length) {
        sFFixReqInOutMoney request{};
        const std::string password(length, 'k');
        std::memcpy(request.bankPassword, password.data(), length);
        const int id = 0x7a3c1f05 + static_cast<int>(length);
        ASSERT_TRUE(MaskPasswordField(request.bankPassword, id)) << length;
        const std::string masked(request.bankPassword);
        EXPECT_EQ(masked.size(), 4 * ((length + 2) / 3)) << length;
        EXPECT_EQ(Unmask(request.bankPassword, id), password) << length;
        // Whatever follows the 24 characters is left alone.
        EXPECT_EQ(request.bankPassword[24], 0);
    }
}

TEST(MaskPasswordField, MaskIsKeyedByTheLittleEndianRequestId)
{
    char field[25] = "AAAA";
    ASSERT_TRUE(MaskPasswordField(field, 0x04030201));
    // 'A' ^ 1, 'A' ^ 2, 'A' ^ 3, 'A' ^ 4 = "@CBE"
    EXPECT_EQ(std::string(field), wxBase64Encode("@CBE", 4).ToStdString());
}

TEST(MaskPasswordField, ByteThatBecomesZeroIsStillMasked)
{
    char field[25] = "\x05xyz";
    ASSERT_TRUE(MaskPasswordField(field, 5)); // first byte XOR 5 = 0
    EXPECT_EQ(Unmask(field, 5), std::string("\x05xyz"));
}

TEST(MaskPasswordField, PasswordThatWouldBeCutIsRefusedUntouched)
{
    sFFixRegistPayPort request{};
    std::memset(request.bankPassword, 'p', 19);
    EXPECT_FALSE(MaskPasswordField(request.bankPassword, 42));
    EXPECT_EQ(std::string(request.bankPassword), std::string(19, 'p'));
}

TEST(MaskPasswordField, UnterminatedFieldIsMeasuredWithin24Bytes)
{
    sFFixUnRegistPayPort request{};
    std::memset(request.bankPassword, 'p', sizeof request.bankPassword); // no terminator at all
    EXPECT_FALSE(MaskPasswordField(request.bankPassword, 42));
}

TEST(CopyToCharField, PadsShortTextAndCutsLongTextWithoutTerminator)
{
    char field[8];
    std::memset(field, 'x', sizeof field);
    CopyToCharField(field, "abc", 6);
    EXPECT_EQ(std::string(field, 6), std::string("abc\0\0\0", 6));
    EXPECT_EQ(field[6], 'x');

    CopyToCharField(field, "abcdefghij", 6);
    EXPECT_EQ(std::string(field, 7), "abcdefx");
}

TEST(Base64Field, PaddedStandardEncoding)
{
    EXPECT_EQ(Base64Field("ab", 2), "YWI=");
    EXPECT_EQ(Base64Field("abcd", 4).size(), 8u);
}

TEST(FillLoginRequest, FieldsThatFitExactlyHaveNoTerminator)
{
    sFFixReqUserLogin request;
    ASSERT_TRUE(FillLoginRequest(request, wxString('n', 33), wxString('p', 25), "192.168.1.20"));
    EXPECT_EQ(std::string(request.loginName, 33), std::string(33, 'n'));
    EXPECT_EQ(std::string(request.password, 25), std::string(25, 'p'));
    EXPECT_EQ(std::string(request.reserved1, 9), std::string(9, '\0'));
    EXPECT_EQ(std::string(request.localIp), "192.168.1.20");
}

TEST(FillLoginRequest, OverlongCredentialIsRefusedAndNothingIsLeftInTheRequest)
{
    sFFixReqUserLogin request;
    EXPECT_FALSE(FillLoginRequest(request, wxString('n', 34), "pw", ""));
    EXPECT_FALSE(FillLoginRequest(request, "demo", wxString('p', 26), ""));
    const sFFixReqUserLogin zero{};
    EXPECT_EQ(std::memcmp(&request, &zero, sizeof request), 0);
}

} // namespace
