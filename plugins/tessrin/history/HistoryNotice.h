#pragma once

#include <wx/datetime.h>
#include <wx/string.h>

class JSONElement;

// One bulletin of the market, as the bulletin service sends it.
struct HistoryNotice
{
    wxString title;
    wxString content; // lines separated by "\n"
    wxDateTime date;  // local time; invalid when the text did not parse
    bool is_read = false;
    wxString from;
    long bulletinId = 0;

    // One item of the service's answer; missing members take their defaults.
    static HistoryNotice FromJSON(const JSONElement& item);
    // Two bulletins are the same when both carry an id and the ids agree;
    // without an id, when title (case-sensitive) and date agree.
    bool IsSameAs(const HistoryNotice& other) const;
    // "%Y-%m-%d %H:%M:%S" in local time; empty for an invalid date.
    wxString FormatDate() const;
};

// Newest first; bulletins without a date after every dated one.
bool IsNewerNotice(const HistoryNotice& a, const HistoryNotice& b);
