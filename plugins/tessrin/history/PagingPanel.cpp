#include "history/PagingPanel.h"

#include "history/HistoryCommandEvents.h"

#include <climits>
#include <wx/valnum.h>

PagingPanel::PagingPanel(wxWindow* parent, const wxPoint& pos, const wxSize& size)
    : PagingPanelBase(parent, wxID_ANY, pos, size)
{}

int PagingPanel::GetPageSize(bool* changed)
{
    long size = 0;
    if(!m_pageSizeChoice->GetValue().ToLong(&size, 10) || size < 1 || size > INT_MAX) {
        size = 10;
    }
    if(size != m_pageSize) {
        m_pageSize = static_cast<int>(size);
        if(changed) {
            *changed = true;
        }
    }
    return m_pageSize;
}

void PagingPanel::UpdatePageText()
{
    // ChangeValue: showing the page is no typing.
    m_pageText->ChangeValue(wxString::Format("%d", m_page));
    m_pageCountText->ChangeValue(wxString::Format("%d", m_pageCount));
}

void PagingPanel::SetPageValidator()
{
    wxIntegerValidator<int> validator(&m_page);
    validator.SetRange(1, m_pageCount);
    m_pageText->SetValidator(validator);
}

void PagingPanel::SetMessage(const wxString& text)
{
    m_messageText->SetLabel(text);
    Layout();
}

void PagingPanel::OnFirst(wxHyperlinkEvent& /*event*/)
{
    // Not skipped: the link has no address for a browser to open.
    QueueHistoryCommand(*this, wxEVT_HISTORY_FIRST_PAGE);
}

void PagingPanel::OnPrev(wxHyperlinkEvent& /*event*/)
{
    QueueHistoryCommand(*this, wxEVT_HISTORY_PREV_PAGE);
}

void PagingPanel::OnPageText(wxCommandEvent& event)
{
    if(wxValidator* validator = m_pageText->GetValidator()) {
        validator->TransferFromWindow();
    }
    event.Skip();
}

void PagingPanel::OnNext(wxHyperlinkEvent& /*event*/)
{
    QueueHistoryCommand(*this, wxEVT_HISTORY_NEXT_PAGE);
}

void PagingPanel::OnLast(wxHyperlinkEvent& /*event*/)
{
    QueueHistoryCommand(*this, wxEVT_HISTORY_LAST_PAGE);
}
