#include "funds/PayPortRegistPanel.h"

#include "platform/SignControlHost.h"

#include <wx/sizer.h>
#include <wx/uri.h>
#include <wx/webview.h>

wxBEGIN_EVENT_TABLE(PayPortRegistPanel, wxPanel)
    EVT_TIMER(wxID_ANY, PayPortRegistPanel::OnTimer)
wxEND_EVENT_TABLE()

PayPortRegistPanel::PayPortRegistPanel(wxWindow* parent)
    : wxPanel(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxTAB_TRAVERSAL | wxNO_BORDER), m_timer(this)
{
    auto* column = new wxBoxSizer(wxVERTICAL);
    m_webView = wxWebView::New(this, wxID_ANY, _("about:blank"));
    SignControlHost::Attach(*m_webView);
    m_webView->Bind(wxEVT_WEBVIEW_NEWWINDOW, &PayPortRegistPanel::OnNewWindow, this);
    column->Add(m_webView, 1, wxEXPAND | wxALL, 1);
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
    m_webView->LoadURL(NormaliseUrl(m_url));
}

void PayPortRegistPanel::OnNewWindow(wxWebViewEvent& event)
{
    m_webView->LoadURL(NormaliseUrl(event.GetURL()));
}
