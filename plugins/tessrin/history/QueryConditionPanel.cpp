#include "history/QueryConditionPanel.h"

#include "history/HistoryCommandEvents.h"

QueryConditionPanel::QueryConditionPanel(wxWindow* parent, const wxPoint& pos, const wxSize& size)
    : QueryConditionPanelBase(parent, wxID_ANY, pos, size)
{
    const wxDateTime now = wxDateTime::Now();
    m_endDate->SetValue(now);
    m_startDate->SetValue(now - wxDateSpan(0, 0, 0, 1));
    m_resetButton->Hide();
}

std::pair<wxDateTime, wxDateTime> QueryConditionPanel::GetDateRange() const
{
    // A trader who sees a date means the whole day.
    wxDateTime start = m_startDate->GetValue();
    if(start.IsValid()) {
        start.ResetTime();
    }
    wxDateTime end = m_endDate->GetValue();
    if(end.IsValid()) {
        end.ResetTime();
        end.SetHour(23);
        end.SetMinute(59);
        end.SetSecond(59);
    }
    return {start, end};
}

void QueryConditionPanel::OnStartDate(wxDateEvent& /*event*/)
{
    QueueHistoryCommand(*this, wxEVT_HISTORY_CONDITION_CHANGED);
}

void QueryConditionPanel::OnEndDate(wxDateEvent& /*event*/)
{
    QueueHistoryCommand(*this, wxEVT_HISTORY_CONDITION_CHANGED);
}

void QueryConditionPanel::OnMarket(wxCommandEvent& /*event*/)
{
    QueueHistoryCommand(*this, wxEVT_HISTORY_CONDITION_CHANGED);
}

void QueryConditionPanel::OnQuery(wxCommandEvent& /*event*/)
{
    QueueHistoryCommand(*this, wxEVT_HISTORY_QUERY);
}

void QueryConditionPanel::OnReset(wxCommandEvent& /*event*/)
{
    QueueHistoryCommand(*this, wxEVT_HISTORY_RESET);
}
