#include "history/NoticeTipProvider.h"

#include "history/HistoryNoticeMgr.h"

#include <algorithm>

NoticeTipProvider::NoticeTipProvider(const HistoryNoticeMgr& manager, size_t index)
    : m_manager(manager), m_current(index), m_lowest(index)
{}

size_t NoticeTipProvider::GetCount() const
{
    return m_manager.GetCount();
}

wxString NoticeTipProvider::TipText(size_t index) const
{
    const HistoryNoticeMgr::NoticePtr notice = m_manager.GetNotice(index);
    return notice ? notice->title + "\n" + notice->content : wxString();
}

bool NoticeTipProvider::GetNextTip(wxString& text)
{
    if(m_current + 1 >= GetCount()) {
        return false;
    }
    ++m_current;
    text = TipText(m_current);
    return true;
}

bool NoticeTipProvider::GetPrevTip(wxString& text)
{
    if(m_current == 0) {
        return false;
    }
    --m_current;
    m_lowest = std::min(m_lowest, m_current);
    text = TipText(m_current);
    return true;
}
