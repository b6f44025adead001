#pragma once

#include <cstddef>
#include <wx/string.h>

class HistoryNoticeMgr;

// The tip dialog's cursor over the manager's bulletins (0 = newest): the
// bulletin shown and the newest one shown so far, from which the opener marks
// bulletins read once the dialog closes. Owned by the opener.
class NoticeTipProvider
{
public:
    NoticeTipProvider(const HistoryNoticeMgr& manager, size_t index);

    // Title, "\n" and content of the bulletin; empty past the end.
    wxString TipText(size_t index) const;
    // The current bulletin's text.
    wxString GetTip() const { return TipText(m_current); }
    // Steps to the next older bulletin; false, nothing changed, at the last.
    bool GetNextTip(wxString& text);
    // Steps to the next newer bulletin; false, nothing changed, at the first.
    bool GetPrevTip(wxString& text);

    size_t GetCurrentIndex() const { return m_current; }
    size_t GetLowestIndex() const { return m_lowest; }
    size_t GetCount() const;

private:
    const HistoryNoticeMgr& m_manager;
    size_t m_current;
    size_t m_lowest; // the newest bulletin shown
};
