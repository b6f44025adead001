#include "db/DateTimeText.h"

namespace {

wxDateTime Parse(const wxString& text, const char* format)
{
    wxDateTime value;
    wxString::const_iterator end;
    if(!value.ParseFormat(text, format, &end) || !value.IsValid()) {
        return wxInvalidDateTime;
    }
    return value;
}

wxString Format(const wxDateTime& value, const char* format)
{
    return value.IsValid() ? value.Format(format) : wxString();
}

int CharCode(wxUniChar c)
{
    return static_cast<int>(c.GetValue());
}

int CharCode(char c)
{
    return static_cast<unsigned char>(c);
}

// The number written by count digits from first on; -1 when one is not a digit.
template <class Text> int Digits(const Text& text, size_t first, size_t count)
{
    int value = 0;
    for(size_t i = first; i < first + count; ++i) {
        const int c = CharCode(text[i]);
        if(c < '0' || c > '9') {
            return -1;
        }
        value = value * 10 + (c - '0');
    }
    return value;
}

// The local time at the start of the minute. The last one converted is kept
// (per thread: the library's threads parse too), one for every road.
bool MinuteStart(int year, int month, int day, int hour, int minute, wxDateTime& start)
{
    struct Minute
    {
        long long key = -1;
        wxDateTime start;
    };
    thread_local Minute last;
    const long long key =
        ((static_cast<long long>(year) * 100 + month) * 100 + day) * 10000 + hour * 100 + minute;
    if(key != last.key) {
        last.start = wxDateTime(
            static_cast<wxDateTime::wxDateTime_t>(day), static_cast<wxDateTime::Month>(month - 1), year,
            static_cast<wxDateTime::wxDateTime_t>(hour), static_cast<wxDateTime::wxDateTime_t>(minute), 0);
        if(!last.start.IsValid()) {
            last.key = -1;
            return false;
        }
        last.key = key;
    }
    start = last.start;
    return true;
}

// Quote times arrive by the thousand per second, nearly all within the
// current minute, and every local-time conversion reads the zone anew: the
// seconds are added to the minute's start; a minute holds no zone change.
template <class Text> bool ParseQuoteTime(const Text& date, const Text& time, wxDateTime& value)
{
    if(date.length() != 8 || time.length() != 6) {
        return false;
    }
    const int year = Digits(date, 0, 4), month = Digits(date, 4, 2), day = Digits(date, 6, 2);
    const int hour = Digits(time, 0, 2), minute = Digits(time, 2, 2), second = Digits(time, 4, 2);
    if(year < 1970 || month < 1 || month > 12 || day < 1 || hour < 0 || hour > 23 || minute < 0 ||
       minute > 59 || second < 0 || second > 59 ||
       day > wxDateTime::GetNumberOfDays(static_cast<wxDateTime::Month>(month - 1), year)) {
        return false;
    }
    if(!MinuteStart(year, month, day, hour, minute, value)) {
        return false;
    }
    value += wxTimeSpan::Seconds(second);
    return true;
}

} // namespace

wxDateTime ParseCompactDateTime(const wxString& text)
{
    return Parse(text, "%Y%m%dT%H%M%S");
}

wxDateTime ParseDateAndTime(const wxString& dateText, const wxString& timeText)
{
    wxDateTime value;
    if(ParseQuoteTime(dateText, timeText, value)) {
        return value;
    }
    return Parse(dateText + timeText, "%Y%m%d%H%M%S");
}

wxDateTime ParseQuoteDateTime(std::string_view dateText, std::string_view timeText)
{
    wxDateTime value;
    if(ParseQuoteTime(dateText, timeText, value)) {
        return value;
    }
    return ParseDateAndTime(wxString(dateText.data(), wxConvLibc, dateText.size()),
                            wxString(timeText.data(), wxConvLibc, timeText.size()));
}

wxDateTime ParseCompactDate(const wxString& text)
{
    wxDateTime value = Parse(text, "%Y%m%d");
    if(value.IsValid()) {
        value.ResetTime();
    }
    return value;
}

wxDateTime ParseCompactTime(const wxString& text)
{
    // Without a date in the text the parser takes today's.
    return Parse(text, "%H%M%S");
}

wxDateTime ParseDateTime(const wxString& text)
{
    return Parse(text, "%Y-%m-%d %H:%M:%S");
}

wxString FormatDateTime(const wxDateTime& value)
{
    return Format(value, "%Y-%m-%d %H:%M:%S");
}

wxString FormatTime(const wxDateTime& value)
{
    return Format(value, "%H:%M:%S");
}

wxString FormatDate(const wxDateTime& value)
{
    return Format(value, "%Y-%m-%d");
}
