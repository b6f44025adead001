#include "history/HistoryNotice.h"

#include <pelmora/JSONElement.h>

namespace {

// wxDateTime asserts when an invalid date is compared: an undated bulletin
// equals only another undated one.
bool SameDate(const wxDateTime& a, const wxDateTime& b)
{
    if(!a.IsValid() || !b.IsValid()) {
        return a.IsValid() == b.IsValid();
    }
    return a.GetValue() == b.GetValue();
}

wxDateTime ParseDate(const wxString& text)
{
    wxDateTime date;
    wxString::const_iterator end;
    if(text.empty() || !date.ParseDateTime(text, &end)) {
        return wxDateTime();
    }
    return date;
}

} // namespace

HistoryNotice HistoryNotice::FromJSON(const JSONElement& item)
{
    HistoryNotice notice;
    notice.is_read = item.namedObject("is_read").toBool(false);
    notice.from = item.namedObject("from").toString();
    notice.title = item.namedObject("title").toString();
    notice.content = item.namedObject("content").toString();
    long id = 0;
    notice.bulletinId = item.namedObject("bulletinId").toString().ToLong(&id) ? id : 0;
    notice.date = ParseDate(item.namedObject("date").toString());
    return notice;
}

bool HistoryNotice::IsSameAs(const HistoryNotice& other) const
{
    // The service numbers its bulletins: two of one second and title differ
    // by their ids, and an edited one keeps its id.
    if(bulletinId != 0 && other.bulletinId != 0) {
        return bulletinId == other.bulletinId;
    }
    return title == other.title && SameDate(date, other.date);
}

wxString HistoryNotice::FormatDate() const
{
    return date.IsValid() ? date.Format("%Y-%m-%d %H:%M:%S") : wxString();
}

bool IsNewerNotice(const HistoryNotice& a, const HistoryNotice& b)
{
    if(!a.date.IsValid() || !b.date.IsValid()) {
        return a.date.IsValid() && !b.date.IsValid();
    }
    return a.date.GetValue() > b.date.GetValue();
}
