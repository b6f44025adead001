#include "history/HistoryQryCtl.h"

#include "common/IClientPlugin.h"
#include "connection/HistoryJob.h"
#include "history/HistoryCommandEvents.h"
#include "history/PagingPanel.h"
#include "history/QueryConditionPanel.h"

#include <pelmora/JSONRoot.h>
#include <pelmora/JobQueueSingleton.h>
#include <wx/intl.h>
#include <wx/sizer.h>

namespace {
// How long a report server may stay silent before the next one is asked.
constexpr int kQueryTimeoutMs = 5000;
constexpr int kWaitTickMs = 1000;

const ServerInfo* LoginServerOfPlugin()
{
    return g_plugin ? g_plugin->GetLoginServer() : nullptr;
}
} // namespace

HistoryQryCtl::HistoryQryCtl(wxWindow* parent)
    : wxPanel(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxTAB_TRAVERSAL | wxNO_BORDER),
      m_query(&LoginServerOfPlugin)
{
    m_waitTimer.SetOwner(this);
}

HistoryQryCtl::~HistoryQryCtl()
{
    DisconnectBars();
    if(m_job) {
        // After Cancel() returns the job posts nothing to this panel.
        m_job->Cancel();
    }
    m_waitTimer.Stop();
    m_job.reset();
}

bool HistoryQryCtl::BuildQuery(wxString& /*path*/, JSONElement& /*root*/)
{
    return false;
}

void HistoryQryCtl::FillRows(int /*firstRowNumber*/, const JSONElement& /*data*/) {}

void HistoryQryCtl::CreateControls(wxWindow* content)
{
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    m_pagingPanel = new PagingPanel(this);
    m_pagingPanel->SetPageValidator();
    m_conditionPanel = new QueryConditionPanel(this);
    sizer->Add(m_conditionPanel, 0, wxEXPAND | wxALL, 1);
    sizer->Add(content, 1, wxEXPAND | wxALL, 1);
    sizer->Add(m_pagingPanel, 0, wxEXPAND | wxALL, 1);
    SetSizer(sizer);
    sizer->Fit(this);
    ConnectBars();
}

void HistoryQryCtl::OnBarPainted(wxPaintEvent& event)
{
    event.Skip();
    if(!m_barsMeasured) {
        m_barsMeasured = true;
        CallAfter(&HistoryQryCtl::MeasureBars);
    }
}

void HistoryQryCtl::MeasureBars()
{
    // A control measured before the toolkit first drew it, as the bars'
    // were when they were made, is a little short: measured again after.
    for(wxWindow* bar : {static_cast<wxWindow*>(m_conditionPanel), static_cast<wxWindow*>(m_pagingPanel)}) {
        for(wxWindow* control : bar->GetChildren()) {
            control->InvalidateBestSize();
        }
        bar->GetSizer()->SetSizeHints(bar);
    }
    Layout();
}

void HistoryQryCtl::ConnectBars()
{
    m_pagingPanel->Bind(wxEVT_PAINT, &HistoryQryCtl::OnBarPainted, this);
    m_pagingPanel->Bind(wxEVT_HISTORY_NEXT_PAGE, &HistoryQryCtl::OnNextPage, this);
    m_pagingPanel->Bind(wxEVT_HISTORY_PREV_PAGE, &HistoryQryCtl::OnPrevPage, this);
    m_pagingPanel->Bind(wxEVT_HISTORY_FIRST_PAGE, &HistoryQryCtl::OnFirstPage, this);
    m_pagingPanel->Bind(wxEVT_HISTORY_LAST_PAGE, &HistoryQryCtl::OnLastPage, this);
    m_conditionPanel->Bind(wxEVT_HISTORY_QUERY, &HistoryQryCtl::OnQueryCommand, this);
    m_conditionPanel->Bind(wxEVT_HISTORY_CONDITION_CHANGED, &HistoryQryCtl::OnConditionChanged, this);
}

void HistoryQryCtl::DisconnectBars()
{
    if(m_pagingPanel) {
        m_pagingPanel->Unbind(wxEVT_PAINT, &HistoryQryCtl::OnBarPainted, this);
        m_pagingPanel->Unbind(wxEVT_HISTORY_NEXT_PAGE, &HistoryQryCtl::OnNextPage, this);
        m_pagingPanel->Unbind(wxEVT_HISTORY_PREV_PAGE, &HistoryQryCtl::OnPrevPage, this);
        m_pagingPanel->Unbind(wxEVT_HISTORY_FIRST_PAGE, &HistoryQryCtl::OnFirstPage, this);
        m_pagingPanel->Unbind(wxEVT_HISTORY_LAST_PAGE, &HistoryQryCtl::OnLastPage, this);
    }
    if(m_conditionPanel) {
        m_conditionPanel->Unbind(wxEVT_HISTORY_QUERY, &HistoryQryCtl::OnQueryCommand, this);
        m_conditionPanel->Unbind(wxEVT_HISTORY_CONDITION_CHANGED, &HistoryQryCtl::OnConditionChanged, this);
    }
}

void HistoryQryCtl::SetServerSource(HistoryQuery::ServerSource servers, HistoryQuery::RandomSource random)
{
    m_query = HistoryQuery(std::move(servers), std::move(random));
}

wxString HistoryQryCtl::GetServer()
{
    return m_query.GetServer();
}

void HistoryQryCtl::StartQuery()
{
    m_startTime = wxDateTime::Now();
    m_waitTimer.Start(kWaitTickMs);
    if(m_job) {
        // The running query keeps its server and its failover; its reply
        // is checked against the page then.
        return;
    }
    if(!DoQuery(GetServer())) {
        m_waitTimer.Stop();
    }
}

bool HistoryQryCtl::DoQuery(const wxString& server)
{
    if(server.empty() || m_job || !m_pagingPanel) {
        return false;
    }
    wxString path;
    JSONElement root = JSONElement::createObject();
    if(!BuildQuery(path, root)) {
        return false;
    }
    bool sizeChanged = false;
    const int pageSize = m_pagingPanel->GetPageSize(&sizeChanged);
    const HistoryQuery::PageRequest request =
        HistoryQuery::RequestFor(m_pagingPanel->GetPage(), pageSize, sizeChanged);
    if(sizeChanged) {
        m_pagingPanel->SetPage(request.page);
        m_pagingPanel->UpdatePageText();
    }
    m_askedPage = m_pagingPanel->GetPage();
    const wxString url =
        HistoryQuery::BuildUrl(server, path, root, request, pageSize, m_pagingPanel->GetTotalCount());

    m_job = std::make_shared<HistoryJob>(this, url, kQueryTimeoutMs, 0);
    if(!JobQueueSingleton::Instance()->PushJob(m_job)) {
        m_job.reset(); // the queue is stopping: the host is closing
        return false;
    }
    EnableControls(false);
    return true;
}

void HistoryQryCtl::EnableControls(bool enable)
{
    if(!m_pagingPanel || !m_conditionPanel) {
        return;
    }
    m_pagingPanel->GetPageSizeChoice()->Enable(enable);
    m_conditionPanel->GetQueryButton()->Enable(enable);
    m_conditionPanel->GetResetButton()->Enable(enable);
    m_conditionPanel->GetStartDate()->Enable(enable);
    m_conditionPanel->GetEndDate()->Enable(enable);
}

void HistoryQryCtl::ForgetLogin()
{
    if(m_job) {
        m_job->Cancel(); // it posts nothing after this
        m_job.reset();
    }
    m_waitTimer.Stop();
    EnableControls(true);
    if(!m_pagingPanel) {
        return;
    }
    FillRows(1, JSONElement::createArray());
    m_pagingPanel->SetPage(1);
    m_pagingPanel->SetPageCount(0);
    m_pagingPanel->SetTotalCount(0);
    m_pagingPanel->UpdatePageText();
    m_pagingPanel->SetPageValidator();
    m_pagingPanel->SetMessage(_("No record"));
}

void HistoryQryCtl::ChangePage(int page)
{
    m_pagingPanel->SetPage(page);
    m_pagingPanel->UpdatePageText();
    StartQuery();
}

void HistoryQryCtl::OnNextPage(wxCommandEvent& /*event*/)
{
    if(m_pagingPanel->GetPage() < m_pagingPanel->GetPageCount()) {
        ChangePage(m_pagingPanel->GetPage() + 1);
    }
}

void HistoryQryCtl::OnPrevPage(wxCommandEvent& /*event*/)
{
    if(m_pagingPanel->GetPage() > 1) {
        ChangePage(m_pagingPanel->GetPage() - 1);
    }
}

void HistoryQryCtl::OnFirstPage(wxCommandEvent& /*event*/)
{
    if(m_pagingPanel->GetPage() != 1) {
        ChangePage(1);
    }
}

void HistoryQryCtl::OnLastPage(wxCommandEvent& /*event*/)
{
    const int last = m_pagingPanel->GetPageCount();
    if(last >= 1 && m_pagingPanel->GetPage() != last) {
        ChangePage(last);
    }
}

void HistoryQryCtl::OnQueryCommand(wxCommandEvent& /*event*/)
{
    StartQuery();
}

void HistoryQryCtl::OnConditionChanged(wxCommandEvent& /*event*/)
{
    // The server counts the records again for the new conditions.
    m_pagingPanel->SetTotalCount(0);
}

void HistoryQryCtl::OnHistoryJobStatus(wxCommandEvent& event)
{
    m_job.reset();
    m_waitTimer.Stop();
    EnableControls(true);

    const JSONRoot reply(event.GetString());
    if(!reply.isOk() || !reply.toElement().namedObject("data").isArray()) {
        // A cut, spoilt or error page: no rows of the last query stay up as
        // if they were this one's.
        ShowFailure();
        return;
    }
    m_query.Answered();
    if(m_pagingPanel->GetPage() != m_askedPage) {
        // The page changed while this one was on its way: its rows would be
        // numbered as the new page. Ask for the page shown instead.
        StartQuery();
        return;
    }
    const JSONElement root = reply.toElement();
    const HistoryQuery::PageReply result =
        HistoryQuery::ReplyFor(root, m_askedPage, m_pagingPanel->GetPageSize());
    m_pagingPanel->SetTotalCount(result.total);
    m_pagingPanel->SetPageCount(result.pageCount);
    m_pagingPanel->SetPage(result.page);
    FillRows(result.firstRowNumber, root.namedObject("data"));
    m_pagingPanel->SetMessage(wxString::Format(_("Recode %d for %d"), result.rowCount, result.total));
    m_pagingPanel->UpdatePageText();
    m_pagingPanel->SetPageValidator();
}

void HistoryQryCtl::OnHistoryJobFailed(wxCommandEvent& /*event*/)
{
    m_job.reset();
    // The next server keeps the waiting time and its display going.
    if(m_query.Failed() && DoQuery(m_query.NextServer())) {
        return;
    }
    m_waitTimer.Stop();
    EnableControls(true);
    ShowFailure();
}

void HistoryQryCtl::ShowFailure()
{
    FillRows(1, JSONElement::createArray());
    m_pagingPanel->SetMessage(_("Query failed"));
}

void HistoryQryCtl::OnTimer(wxTimerEvent& /*event*/)
{
    if(!m_job) {
        return;
    }
    const wxTimeSpan waited = wxDateTime::Now() - m_startTime;
    m_pagingPanel->SetMessage(wxString::Format(_("Please wait ... [%s]"), waited.Format()));
}

// clang-format off
wxBEGIN_EVENT_TABLE(HistoryQryCtl, wxPanel)
    EVT_COMMAND(wxID_ANY, wxEVT_CMD_JOB_STATUS, HistoryQryCtl::OnHistoryJobStatus)
    EVT_COMMAND(wxID_ANY, wxEVT_CMD_JOB_STATUS_VOID_PTR, HistoryQryCtl::OnHistoryJobFailed)
    EVT_TIMER(wxID_ANY, HistoryQryCtl::OnTimer)
wxEND_EVENT_TABLE()
    // clang-format on
