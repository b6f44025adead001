#include "history/NoticeTipProvider.h"

NoticeTipProvider::NoticeTipProvider(const HistoryNoticeMgr& manager, size_t index)
    : m_manager(manager), m_opened(index), m_current(manager.GetNotice(index)), m_newestShown(m_current)
{}

size_t NoticeTipProvider::GetCount() const
{
    return m_manager.GetCount();
}

size_t NoticeTipProvider::IndexOf(const HistoryNoticeMgr::NoticePtr& notice) const
{
    for(size_t i = 0; notice && i < m_manager.GetCount(); ++i) {
        if(m_manager.GetNotice(i) == notice) {
            return i;
        }
    }
    return m_opened;
}

wxString NoticeTipProvider::TipText(size_t index) const
{
    const HistoryNoticeMgr::NoticePtr notice = m_manager.GetNotice(index);
    return notice ? notice->title + "\n" + notice->content : wxString();
}

void NoticeTipProvider::MoveTo(size_t index)
{
    m_current = m_manager.GetNotice(index);
    if(!m_newestShown || index < GetLowestIndex()) {
        m_newestShown = m_current;
    }
}

bool NoticeTipProvider::GetNextTip(wxString& text)
{
    const size_t current = GetCurrentIndex();
    if(current + 1 >= GetCount()) {
        return false;
    }
    MoveTo(current + 1);
    text = TipText(current + 1);
    return true;
}

bool NoticeTipProvider::GetPrevTip(wxString& text)
{
    const size_t current = GetCurrentIndex();
    if(current == 0) {
        return false;
    }
    MoveTo(current - 1);
    text = TipText(current - 1);
    return true;
}
