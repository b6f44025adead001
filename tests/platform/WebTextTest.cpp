// Texts on their way into a browser or a web page: which addresses pass,
// when two addresses are one page, and script arguments escaped.
#include "platform/WebAddress.h"
#include "platform/WebPage.h"

#include <gtest/gtest.h>

namespace {

struct AddressCase
{
    const char* url;
    bool web;
    bool blank;
};

TEST(WebAddressTest, OnlyHttpAndHttpsWithAHostAreWebAddresses)
{
    const AddressCase cases[] = {
        {"http://127.0.0.1:8080/bank/sign?qianyue=1&acc=11", true, false},
        {"https://bank.example/pay", true, false},
        {"HTTP://Bank.Example/", true, false},
        {"http://h/a\"b'c", true, false}, // quotes travel as one argument
        {"http:bank.example/pay", false, false},
        {"http:///path", false, false},
        {"http://bank.example/a b", false, false},
        {"http://bank.example/\nfile:///etc/passwd", false, false},
        {" http://bank.example/", false, false},
        {"file:///etc/passwd", false, false},
        {"javascript:alert(1)", false, false},
        {"data:text/html,<b>x</b>", false, false},
        {"/usr/bin/xterm", false, false},
        {"ftp://bank.example/", false, false},
        {"", false, false},
        {"about:blank", false, true},
        {"ABOUT:BLANK#top", false, true},
        {"about:blankx", false, false},
        {"about:config", false, false},
    };
    for(const AddressCase& c : cases) {
        const wxString url = wxString::FromUTF8(c.url);
        EXPECT_EQ(c.web, WebAddress::IsWeb(url)) << c.url;
        EXPECT_EQ(c.blank, WebAddress::IsBlank(url)) << c.url;
    }
}

TEST(WebAddressTest, SameAddressIgnoresEscapingCaseDefaultPortAndEmptyPath)
{
    const struct
    {
        const char* first;
        const char* second;
        bool same;
    } cases[] = {
        {"http://127.0.0.1:8080", "http://127.0.0.1:8080/", true},
        {"HTTP://Bank.Example:80/a", "http://bank.example/a", true},
        {"https://bank.example:443/", "https://bank.example", true},
        {"http://h/a%20b?q=%E7%8E%B0", "http://h/a b?q=现", true},
        {"file:///tmp/dir%20with%20space/p%C3%A4ge.html", "file:///tmp/dir with space/päge.html", true},
        {"about:blank", "about:blank", true},
        {"http://h/a", "http://h/b", false},
        {"http://h/a?x=1", "http://h/a?x=2", false},
        {"http://h:8080/", "http://h/", false},
        {"http://H/Path", "http://h/path", false}, // paths keep their case
        {"about:blank", "http://h/", false},
    };
    for(const auto& c : cases) {
        EXPECT_EQ(c.same, WebAddress::IsSame(wxString::FromUTF8(c.first), wxString::FromUTF8(c.second)))
            << c.first << " / " << c.second;
    }
}

TEST(WebAddressTest, OriginIsSchemeHostAndPortAsAPageSeesIt)
{
    const struct
    {
        const char* url;
        const char* origin;
    } cases[] = {
        {"http://127.0.0.1:8080/bank/sign?qianyue=1", "http://127.0.0.1:8080"},
        {"HTTPS://Bank.Example:443/pay#top", "https://bank.example"},
        {"http://bank.example:80", "http://bank.example"},
        {"https://bank.example:80/", "https://bank.example:80"},
        {"http://user:pw@bank.example:8443/x", "http://bank.example:8443"},
        {"http://bank.example.evil.test/", "http://bank.example.evil.test"},
        {"file:///etc/passwd", ""},
        {"javascript:alert(1)", ""},
        {"", ""},
    };
    for(const auto& c : cases) {
        EXPECT_EQ(c.origin, WebAddress::Origin(c.url).utf8_string()) << c.url;
    }
}

TEST(WebAddressTest, FileAddressEscapesAllButUnreservedCharacters)
{
    EXPECT_EQ("file:///opt/bin/rc/mintrade/MinTradeTrans.html",
              WebAddress::FromFilePath("/opt/bin/rc/mintrade/MinTradeTrans.html"));
    EXPECT_EQ("file:///tmp/a%20b/%E7%8E%B0%23%3F.html",
              WebAddress::FromFilePath(wxString::FromUTF8("/tmp/a b/现#?.html")));
}

TEST(ScriptTextTest, ArgumentsAreEscapedIntoOneStringLiteral)
{
    const struct
    {
        wxString text;
        const char* quoted;
    } cases[] = {
        {"Euro", "\"Euro\""},
        {"", "\"\""},
        {"say \"hi\"", "\"say \\\"hi\\\"\""},
        {"it's", "\"it\\'s\""},
        {"C:\\dir", "\"C:\\\\dir\""},
        {"60\\,300", "\"60\\\\,300\""}, // an escaped comma survives for the page to split
        {"a\nb\r\tc", "\"a\\nb\\r\\tc\""},
        {wxString("x") + wxUniChar(0x2028) + "y" + wxUniChar(0x2029), "\"x\\u2028y\\u2029\""},
        {wxString("nul") + wxUniChar(0) + wxUniChar(0x1B) + wxUniChar(0x7F), "\"nul\\u0000\\u001B\\u007F\""},
        {wxString::FromUTF8("白银"), "\"白银\""},
        {"\");alert(1);(\"", "\"\\\");alert(1);(\\\"\""},
    };
    for(const auto& c : cases) {
        EXPECT_EQ(wxString::FromUTF8(c.quoted), WebPage::QuoteScriptText(c.text)) << c.quoted;
    }
}

TEST(ScriptTextTest, CallJoinsQuotedArgumentsWithoutBlanks)
{
    EXPECT_EQ("setPrice(\"1.2345\")", WebPage::ScriptCall("setPrice", {"1.2345"}));
    EXPECT_EQ("setTimelist(\"60 s,5 min\",\"60,300\",\"\")",
              WebPage::ScriptCall("setTimelist", {"60 s,5 min", "60,300", ""}));
    EXPECT_EQ("ready()", WebPage::ScriptCall("ready", {}));
}

} // namespace
