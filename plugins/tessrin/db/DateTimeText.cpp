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

} // namespace

wxDateTime ParseCompactDateTime(const wxString& text)
{
    return Parse(text, "%Y%m%dT%H%M%S");
}

wxDateTime ParseDateAndTime(const wxString& dateText, const wxString& timeText)
{
    return Parse(dateText + timeText, "%Y%m%d%H%M%S");
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
