#include "connection/CGetLocalIp.h"

#include <gtest/gtest.h>

namespace {
wxString Find(const char* utf8)
{
    return CGetLocalIp::FindIpv4(wxString::FromUTF8(utf8));
}
} // namespace

TEST(LocalIpAddressInAnswer, PlainAddressIsTaken)
{
    EXPECT_EQ(Find("10.1.2.3"), "10.1.2.3");
}

TEST(LocalIpAddressInAnswer, AddressInsideOtherTextIsTaken)
{
    EXPECT_EQ(Find("{\"ip\":\"192.168.1.20\",\"port\":80}"), "192.168.1.20");
    EXPECT_EQ(Find("您的地址:10.9.8.7。"), "10.9.8.7");
    EXPECT_EQ(Find("address 10.1.2.3."), "10.1.2.3"); // full stop ends the sentence
    EXPECT_EQ(Find("0.0.0.0"), "0.0.0.0");
    EXPECT_EQ(Find("255.255.255.255"), "255.255.255.255");
}

TEST(LocalIpAddressInAnswer, AddressCutOutOfALongerNumberIsRefused)
{
    EXPECT_EQ(Find("1234.5.6.78"), "");
    EXPECT_EQ(Find("1.2.3.4.5"), "");
    EXPECT_EQ(Find("10.1.2.3456"), "");
}

TEST(LocalIpAddressInAnswer, PartsOutsideTheByteRangeOrMalformedAreRefused)
{
    EXPECT_EQ(Find("999.999.999.999"), "");
    EXPECT_EQ(Find("256.1.1.1"), "");
    EXPECT_EQ(Find("01.2.3.4"), ""); // a leading zero reads as octal elsewhere
    EXPECT_EQ(Find("1.2.3"), "");
    EXPECT_EQ(Find("1..2.3.4"), "");
    EXPECT_EQ(Find(""), "");
    EXPECT_EQ(Find("no address here"), "");
}

TEST(LocalIpAddressInAnswer, LaterWellFormedAddressAfterABadOneIsTaken)
{
    EXPECT_EQ(Find("1234.5.6.78 then 10.0.0.1"), "10.0.0.1");
    EXPECT_EQ(Find("999.1.1.1,172.16.0.4"), "172.16.0.4");
}

TEST(LocalIpProbeUrl, SchemeBecomesHttpAndGetipIsAppended)
{
    EXPECT_EQ(CGetLocalIp::ProbeUrl("http://127.0.0.1:8080"), "http://127.0.0.1:8080/getip");
    EXPECT_EQ(CGetLocalIp::ProbeUrl("https://quotes.example"), "http://quotes.example/getip");
}

TEST(LocalIpProbeUrl, EntryWithoutSchemeIsOnlyExtended)
{
    EXPECT_EQ(CGetLocalIp::ProbeUrl("10.0.0.1"), "10.0.0.1/getip");
    // The colon of a port is no scheme: the host must survive.
    EXPECT_EQ(CGetLocalIp::ProbeUrl("127.0.0.1:8080"), "127.0.0.1:8080/getip");
}
