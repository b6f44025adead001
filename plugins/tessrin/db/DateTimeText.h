#pragma once

#include <string_view>
#include <wx/datetime.h>
#include <wx/string.h>

// The server's compact date and time texts, and the display formats of
// date-times. All in local time; a text that does not parse gives the
// invalid date-time, and the invalid date-time formats as an empty text.

wxDateTime ParseCompactDateTime(const wxString& text);                           // "%Y%m%dT%H%M%S"
wxDateTime ParseDateAndTime(const wxString& dateText, const wxString& timeText); // "%Y%m%d" + "%H%M%S"
// The same read from the characters of the two fields, as quotes carry them:
// a flood of quotes converts no text.
wxDateTime ParseQuoteDateTime(std::string_view dateText, std::string_view timeText);
wxDateTime ParseCompactDate(const wxString& text); // "%Y%m%d", at midnight
wxDateTime ParseCompactTime(const wxString& text); // "%H%M%S", today
wxDateTime ParseDateTime(const wxString& text);    // "%Y-%m-%d %H:%M:%S"

wxString FormatDateTime(const wxDateTime& value); // "%Y-%m-%d %H:%M:%S"
wxString FormatTime(const wxDateTime& value);     // "%H:%M:%S"
wxString FormatDate(const wxDateTime& value);     // "%Y-%m-%d"
