#pragma once

#include <wx/panel.h>
#include <wx/timer.h>

class wxWebView;
class wxWebViewEvent;

// A notebook page showing a bank's pay-port or in/out-money page. Pages may
// use the registered signing controls; a page asking for a new window gets
// it loaded in this one.
class PayPortRegistPanel : public wxPanel
{
public:
    explicit PayPortRegistPanel(wxWindow* parent);

    // Loads the address 500 ms from now; a later call within that time
    // replaces it, so only the last address is fetched.
    void LoadUrl(const wxString& url);

    wxWebView* GetWebView() const { return m_webView; }

    // The address as a URI parser rebuilds it.
    static wxString NormaliseUrl(const wxString& url);

private:
    void OnTimer(wxTimerEvent& event);
    void OnNewWindow(wxWebViewEvent& event);

    wxString m_url;
    wxTimer m_timer;
    wxWebView* m_webView;

    wxDECLARE_EVENT_TABLE();
};
