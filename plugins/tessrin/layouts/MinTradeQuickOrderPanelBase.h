#pragma once

#include <wx/panel.h>

class WebPage;
class wxWebViewEvent;

// Layout of the binary-option quick order: a web page filling the panel
// above a 28-pixel gap. The page's new-window requests reach OnPageRequest.
class MinTradeQuickOrderPanelBase : public wxPanel
{
public:
    explicit MinTradeQuickOrderPanelBase(wxWindow* parent, wxWindowID id = wxID_ANY,
                                         const wxPoint& pos = wxDefaultPosition,
                                         const wxSize& size = wxDefaultSize, long style = wxTAB_TRAVERSAL);
    ~MinTradeQuickOrderPanelBase() override;

    // Null when the system has no web engine.
    WebPage* GetPage() const { return m_page; }

protected:
    virtual void OnPageRequest(wxWebViewEvent& event);

    WebPage* m_page; // the view's client object
};
