#include "frame/NoticeClick.h"

#include <wx/intl.h>
#include <wx/regex.h>

wxString NoticeClick::Label(int kind)
{
    switch(kind) {
    case eCloseTrade:
        return _("Close Trade");
    case eLimitCancel:
        return _("Limit Cancel");
    case eLimitTrade:
        return _("Limit Trade");
    case eLimitSet:
        return _("Limit Set");
    case eMarketTrade:
        return _("Market Trade");
    case eInOutNotify:
        return _("InOut Nofity");
    case eMinOrderTrade:
        return _("MinOrder Trade");
    default:
        return wxString();
    }
}

NoticeClick NoticeClick::Parse(const wxString& text)
{
    wxArrayString labels;
    for(int kind = 0; kind < eKindCount; ++kind) {
        labels.Add(Label(kind));
    }
    return Parse(text, labels);
}

NoticeClick NoticeClick::Parse(const wxString& text, const wxArrayString& labels)
{
    NoticeClick click;
    for(size_t kind = 0; kind < labels.size(); ++kind) {
        // A translated label may hold characters that mean something to the
        // regular expression: it is matched as plain text.
        wxRegEx pattern(wxRegEx::QuoteMeta(labels[kind]) + "\\[(.*)\\]");
        if(!pattern.IsValid() || !pattern.Matches(text)) {
            continue;
        }
        const wxString key = pattern.GetMatch(text, 1);
        if(!key.empty()) {
            click.m_kind = static_cast<int>(kind);
            click.m_key = key;
        }
        return click; // the first matching label decides, even with an empty key
    }
    return click;
}
