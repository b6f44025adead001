#pragma once

#include <wx/dialog.h>

class WebPage;
class wxWebViewEvent;

// Layout of the binary-option success notice: one web page.
class MinTradeConfmBase : public wxDialog
{
public:
    explicit MinTradeConfmBase(wxWindow* parent, wxWindowID id = wxID_ANY,
                               const wxString& title = wxEmptyString, const wxPoint& pos = wxDefaultPosition,
                               const wxSize& size = wxDefaultSize,
                               long style = wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX);
    ~MinTradeConfmBase() override;

    // Null when the system has no web engine.
    WebPage* GetPage() const { return m_page; }

protected:
    virtual void OnInitDialog(wxInitDialogEvent& event) { event.Skip(); }
    virtual void OnClose(wxCloseEvent& event) { event.Skip(); }
    virtual void OnNewWindow(wxWebViewEvent& event);

    WebPage* m_page; // the view's client object
};
