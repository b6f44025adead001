#include "funds/PayPortRegistPanel.h"

#include "platform/SignControlHost.h"
#include "platform/WebPage.h"

#include <wx/sizer.h>
#include <wx/uri.h>
#include <wx/webview.h>

PayPortRegistPanel::PayPortRegistPanel(wxWindow* parent, const wxString& ownBankAddress)
    : wxPanel(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxTAB_TRAVERSAL | wxNO_BORDER),
      m_timer(this)
{
    auto* column = new wxBoxSizer(wxVERTICAL);
    m_page = WebPage::Create(this);
    if(m_page) {
        SignControlHost::AttachForAddress(*m_page->GetView(), NormaliseUrl(ownBankAddress));
        m_page->GetView()->Bind(wxEVT_WEBVIEW_NEWWINDOW, &PayPortRegistPanel::OnNewWindow, this);
        column->Add(m_page->GetView(), 1, wxEXPAND | wxALL, 1);
    }
    SetSizer(column);
    Layout();
}

void PayPortRegistPanel::LoadUrl(const wxString& url)
{
    m_url = url;
    m_timer.StartOnce(500);
}

wxString PayPortRegistPanel::NormaliseUrl(const wxString& url)
{
    return wxURI(url).BuildURI();
}

void PayPortRegistPanel::OnTimer(wxTimerEvent& WXUNUSED(event))
{
    Load(m_url);
}

void PayPortRegistPanel::OnNewWindow(wxWebViewEvent& event)
{
    Load(event.GetURL());
}

void PayPortRegistPanel::Load(const wxString& url)
{
    if(m_page) {
        m_page->LoadUrl(NormaliseUrl(url));
    }
}

// clang-format off
wxBEGIN_EVENT_TABLE(PayPortRegistPanel, wxPanel)
    EVT_TIMER(wxID_ANY, PayPortRegistPanel::OnTimer)
wxEND_EVENT_TABLE()
