#include "history/SalesReportPanel.h"

#include "common/IClientPlugin.h"
#include "common/ModalMessageBox.h"
#include "common/ServerInfo.h"
#include "db/RecordStore.h"

#include <platform/WebPage.h>
#include <wx/intl.h>
#include <wx/log.h>

namespace {
constexpr int kShowDelayMs = 500;
} // namespace

SalesReportPanel::SalesReportPanel(RecordStore* store, wxWindow* parent)
    : SalesReportPanelBase(parent), m_store(store)
{
    const wxDateTime now = wxDateTime::Now();
    m_startDate->SetValue(now - wxDateSpan::Day());
    m_endDate->SetValue(now);
    InitServerListCtrl();
    // Built once: later account changes do not reach the list.
    m_marketChoice->Append(_("All Market"));
    m_marketChoice->Append(SalesReportQuery::MarketNames(m_store));
    m_marketChoice->SetSelection(0);
    m_showTimer.SetOwner(this);
    Bind(wxEVT_TIMER, &SalesReportPanel::OnShowTimer, this);
}

SalesReportPanel::~SalesReportPanel()
{
    m_showTimer.Stop();
    Unbind(wxEVT_TIMER, &SalesReportPanel::OnShowTimer, this);
}

void SalesReportPanel::InitServerListCtrl()
{
    const ServerInfo* server = g_plugin ? g_plugin->GetLoginServer() : nullptr;
    m_servers = server ? server->reporthistory : wxArrayString();
    m_serverChoice->Clear();
    if(m_servers.empty()) {
        wxLogger(wxLOG_Debug, __FILE__, __LINE__, "SalesReportPanel::InitServerListCtrl", wxLOG_COMPONENT)
            .Log("%s", wxString());
        return;
    }
    m_serverChoice->Append(SalesReportQuery::ServerLabels(m_servers));
    m_serverChoice->SetSelection(0);
}

const user_Account* SalesReportPanel::FindMarketAccount() const
{
    const int selection = m_marketChoice->GetSelection();
    if(selection <= 0) {
        return nullptr;
    }
    return SalesReportQuery::FindMarketAccount(m_store, m_marketChoice->GetString(selection));
}

bool SalesReportPanel::BuildQuery(wxString& path, JSONElement& root)
{
    path = SalesReportQuery::kPath;
    const wxDateTime end = SalesReportQuery::EndOfDay(m_endDate->GetValue());
    const wxDateTime start = m_startDate->GetValue();
    if(start.IsLaterThan(end)) {
        ModalMessageBox::Show(_("time range error!"), _("NOTICE"), wxOK | wxCENTRE, this);
        return false;
    }
    // Whose report: the user of the accounts; none yet, no search.
    const user_Account* first = SalesReportQuery::FirstAccount(m_store);
    if(!first) {
        return false;
    }
    root = SalesReportQuery::BuildRoot(first->userId, FindMarketAccount(), start, end);
    return true;
}

void SalesReportPanel::OnSearch(wxCommandEvent& event)
{
    event.Skip();
    if(IsSearchTooFrequent()) {
        ModalMessageBox::Show(_("the operation of search is frequent,please wait a while!"), _("NOTICE"),
                              wxOK | wxCENTRE, this);
        return;
    }
    const int selection = m_serverChoice->GetSelection();
    const wxString server = selection >= 0 && static_cast<size_t>(selection) < m_servers.size()
                                ? m_servers[selection]
                                : wxString();
    wxString path;
    JSONElement root;
    if(!BuildQuery(path, root)) {
        return;
    }
    m_url = SalesReportQuery::BuildUrl(server, path, root);
    // The URL carries the user's ids.
    wxLogger(wxLOG_Debug, __FILE__, __LINE__, "SalesReportPanel::OnSearch", wxLOG_COMPONENT).Log("%s", m_url);
    m_showTimer.StartOnce(kShowDelayMs);
    m_searchButton->Disable();
}

void SalesReportPanel::OnShowTimer(wxTimerEvent& event)
{
    wxUnusedVar(event);
    if(m_webPage) {
        if(m_url.empty()) {
            ShowNoServerPage();
        } else {
            m_webPage->LoadUrl(SalesReportQuery::ForLoad(m_url));
        }
    }
    m_searchButton->Enable();
}

void SalesReportPanel::ShowNoServerPage()
{
    // Nothing goes to the network: no configuration names a report server.
    const wxString html =
        wxString::Format("<!DOCTYPE html><html><head><meta charset=\"utf-8\"></head><body><p "
                         "id=\"no-server\">%s</p></body></html>",
                         _("No report server is configured."));
    m_webPage->SetPage(html);
}
