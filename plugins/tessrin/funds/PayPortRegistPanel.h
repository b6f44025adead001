#pragma once

#include <wx/panel.h>
#include <wx/timer.h>

class WebPage;
class wxWebViewEvent;

// A notebook page showing a bank's pay-port or in/out-money page. Pages of
// the pay port's own bank (scheme, host and port of the address the market
// pushed for it) may use the registered signing controls, no other page; a
// page asking for a new window gets it loaded in this one. Only http, https
// and about:blank addresses load: others, pushed by a server or asked for by
// a page, are logged and refused.
class PayPortRegistPanel : public wxPanel
{
public:
    PayPortRegistPanel(wxWindow* parent, const wxString& ownBankAddress);

    // Loads the address 500 ms from now; a later call within that time
    // replaces it, so only the last address is fetched.
    void LoadUrl(const wxString& url);
    // The address last asked for.
    const wxString& GetUrl() const { return m_url; }

    // Null when the system has no web engine (logged).
    WebPage* GetPage() const { return m_page; }

    // The address as a URI parser rebuilds it.
    static wxString NormaliseUrl(const wxString& url);

private:
    void OnTimer(wxTimerEvent& event);
    void OnNewWindow(wxWebViewEvent& event);
    void Load(const wxString& url);

    wxString m_url;
    wxTimer m_timer;
    WebPage* m_page; // owned by its view, a child of the panel

    wxDECLARE_EVENT_TABLE();
};
