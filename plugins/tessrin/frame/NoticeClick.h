#pragma once

#include <wx/arrstr.h>
#include <wx/string.h>

// A clicked trade notice of the host's output window: "<label>[<key>]", where
// the label names the kind of notice and the key the bill or order it is about.
class NoticeClick
{
public:
    // The kinds, in the order their labels are tried.
    enum Kind {
        eCloseTrade = 0,
        eLimitCancel,
        eLimitTrade,
        eLimitSet,
        eMarketTrade,
        eInOutNotify,
        eMinOrderTrade,
        eKindCount,
        eNone = -1
    };

    // The translated label of a kind; empty for an unknown kind.
    static wxString Label(int kind);
    // The first kind whose label, followed by a bracketed key, occurs in the
    // text; eNone when no label matches or the key is empty.
    static NoticeClick Parse(const wxString& text);
    // The same over a list of labels indexed by kind; a label is plain text,
    // never a pattern.
    static NoticeClick Parse(const wxString& text, const wxArrayString& labels);

    int GetKind() const { return m_kind; }
    const wxString& GetKey() const { return m_key; }
    bool IsValid() const { return m_kind != eNone; }

private:
    int m_kind = eNone;
    wxString m_key;
};
