#include "db/DateTimeText.h"

#include "ScopedEnv.h"

#include <ctime>
#include <gtest/gtest.h>
#include <vector>

namespace {

wxDateTime At(int year, wxDateTime::Month month, int day, int hour, int minute, int second)
{
    return wxDateTime(
        static_cast<wxDateTime::wxDateTime_t>(day), month, year, static_cast<wxDateTime::wxDateTime_t>(hour),
        static_cast<wxDateTime::wxDateTime_t>(minute), static_cast<wxDateTime::wxDateTime_t>(second));
}

} // namespace

TEST(ParseCompactDateTime, ReadsTheServerForm)
{
    EXPECT_EQ(ParseCompactDateTime("20261208T093015"), At(2026, wxDateTime::Dec, 8, 9, 30, 15));
    EXPECT_EQ(ParseCompactDateTime("20240229T235959"), At(2024, wxDateTime::Feb, 29, 23, 59, 59));
}

TEST(ParseDateAndTime, JoinsDateAndTimeFields)
{
    EXPECT_EQ(ParseDateAndTime("20261208", "093015"), At(2026, wxDateTime::Dec, 8, 9, 30, 15));
    EXPECT_FALSE(ParseDateAndTime("20261208", "").IsValid());
    EXPECT_FALSE(ParseDateAndTime("", "093015").IsValid());
}

// Quote times take a quicker road than wx's parser, from a text or straight
// from the characters; a run of them, in the order a feed sends them, must
// read exactly as the parser reads them, in a zone with summer time too.
TEST(ParseDateAndTime, AgreesWithTheGeneralParserOverARunOfQuoteTimes)
{
    const std::vector<std::pair<const char*, const char*>> run = {
        {"20261208", "093015"}, {"20261208", "093059"}, {"20261208", "093100"},  {"20261208", "093015"},
        {"20240229", "235959"}, {"20240301", "000000"}, {"20230229", "120000"},  {"20261308", "093015"},
        {"20261200", "093015"}, {"20261208", "240000"}, {"20261208", "096000"},  {"20261208", "093060"},
        {"2026120x", "093015"}, {"20261208", "0930 5"}, {"20261208", "0930150"}, {"19691231", "235959"},
        {"20260329", "015959"}, {"20260329", "023000"}, {"20260329", "030000"},  {"20261025", "023000"},
        {"20261025", "025959"}, {"20261025", "030000"}, {"20261208", "093015"}};
    for(const char* zone : {"UTC", "Asia/Shanghai", "Europe/Berlin"}) {
        SCOPED_TRACE(zone);
        ScopedEnv tz("TZ", zone);
        tzset();
        // The minute kept belongs to the zone before: the zone never changes
        // in a running terminal.
        ParseDateAndTime("20000101", "000000");
        for(const auto& [date, time] : run) {
            wxDateTime expected;
            wxString::const_iterator end;
            const wxString text = wxString(date) + time;
            if(!expected.ParseFormat(text, "%Y%m%d%H%M%S", &end) || !expected.IsValid()) {
                expected = wxInvalidDateTime;
            }
            // The quote's own road reads the characters of the fields.
            for(const wxDateTime& parsed : {ParseDateAndTime(date, time), ParseQuoteDateTime(date, time)}) {
                ASSERT_EQ(parsed.IsValid(), expected.IsValid()) << text;
                if(expected.IsValid()) {
                    EXPECT_EQ(parsed.GetValue(), expected.GetValue()) << text;
                }
            }
        }
    }
    tzset();
}

TEST(ParseCompactDate, GivesMidnight)
{
    EXPECT_EQ(ParseCompactDate("20261208"), At(2026, wxDateTime::Dec, 8, 0, 0, 0));
}

TEST(ParseCompactTime, TakesTodaysDate)
{
    const wxDateTime parsed = ParseCompactTime("093015");
    ASSERT_TRUE(parsed.IsValid());
    EXPECT_EQ(parsed.GetHour(), 9);
    EXPECT_EQ(parsed.GetMinute(), 30);
    EXPECT_EQ(parsed.GetSecond(), 15);
    // Both reads of "today" may straddle midnight only in a one-second window.
    const wxDateTime today = wxDateTime::Today();
    EXPECT_TRUE(parsed.IsSameDate(today) || parsed.IsSameDate(today - wxDateSpan::Day()));
}

TEST(ParseDateTime, ReadsTheDisplayForm)
{
    EXPECT_EQ(ParseDateTime("2026-12-08 09:30:15"), At(2026, wxDateTime::Dec, 8, 9, 30, 15));
    EXPECT_FALSE(ParseDateTime("2026-12-08").IsValid());
}

TEST(DateTimeParsers, MalformedTextsGiveTheInvalidDateTime)
{
    EXPECT_FALSE(ParseCompactDateTime("").IsValid());
    EXPECT_FALSE(ParseCompactDateTime("20261208").IsValid());
    EXPECT_FALSE(ParseCompactDateTime("20261208 093015").IsValid());
    EXPECT_FALSE(ParseCompactDate("").IsValid());
    EXPECT_FALSE(ParseCompactDate("2026120").IsValid());
    EXPECT_FALSE(ParseCompactDate("20261308").IsValid());
    EXPECT_FALSE(ParseCompactDate("20260230").IsValid());
    EXPECT_FALSE(ParseCompactDate("00000000").IsValid());
    EXPECT_FALSE(ParseCompactTime("").IsValid());
    EXPECT_FALSE(ParseCompactTime("256100").IsValid());
    EXPECT_FALSE(ParseCompactTime("abcdef").IsValid());
    EXPECT_FALSE(ParseDateTime("yesterday").IsValid());
}

TEST(DateTimeFormatters, DisplayFormsAndEmptyForUnset)
{
    const wxDateTime value = At(2026, wxDateTime::Jan, 5, 7, 8, 9);
    EXPECT_EQ(FormatDateTime(value), "2026-01-05 07:08:09");
    EXPECT_EQ(FormatTime(value), "07:08:09");
    EXPECT_EQ(FormatDate(value), "2026-01-05");

    const wxDateTime unset;
    EXPECT_EQ(FormatDateTime(unset), "");
    EXPECT_EQ(FormatTime(unset), "");
    EXPECT_EQ(FormatDate(unset), "");
}
