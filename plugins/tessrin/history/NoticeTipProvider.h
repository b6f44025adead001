#pragma once

#include "history/HistoryNoticeMgr.h"

#include <cstddef>
#include <wx/string.h>

// The tip dialog's cursor over the manager's bulletins (0 = newest): the
// bulletin shown and the newest one shown so far, from which the opener marks
// bulletins read once the dialog closes. Owned by the opener.
//
// The cursor holds the bulletins themselves, not their places: a poll that
// brings newer bulletins while the tips are open moves every place down, and
// the bulletin shown, the steps from it and the newest one shown stay right.
class NoticeTipProvider
{
public:
    NoticeTipProvider(const HistoryNoticeMgr& manager, size_t index);

    // Title, "\n" and content of the bulletin; empty past the end.
    wxString TipText(size_t index) const;
    // The current bulletin's text.
    wxString GetTip() const { return TipText(GetCurrentIndex()); }
    // Steps to the next older bulletin; false, nothing changed, at the last.
    bool GetNextTip(wxString& text);
    // Steps to the next newer bulletin; false, nothing changed, at the first.
    bool GetPrevTip(wxString& text);

    // Where the current bulletin and the newest one shown are now.
    size_t GetCurrentIndex() const { return IndexOf(m_current); }
    size_t GetLowestIndex() const { return IndexOf(m_newestShown); }
    size_t GetCount() const;

private:
    // The bulletin's place; the index opened at when it is none (an empty
    // list, or opened past its end).
    size_t IndexOf(const HistoryNoticeMgr::NoticePtr& notice) const;
    void MoveTo(size_t index);

    const HistoryNoticeMgr& m_manager;
    size_t m_opened;
    HistoryNoticeMgr::NoticePtr m_current;
    HistoryNoticeMgr::NoticePtr m_newestShown;
};
