#pragma once

#include "layouts/MinTradeConfmBase.h"

// The notice after the market accepted a binary order: a page of our own
// whose only answer is whether the notice shows again. Modeless, without a
// parent; it destroys itself when closed, answered, or when the plug-in
// unloads.
class MinTradeConfm : public MinTradeConfmBase
{
public:
    MinTradeConfm();
    ~MinTradeConfm() override;

protected:
    void OnInitDialog(wxInitDialogEvent& event) override;
    void OnClose(wxCloseEvent& event) override;
    void OnNewWindow(wxWebViewEvent& event) override;

private:
    void OnPluginUnplug(wxCommandEvent& event);
    void Dismiss();

    bool m_dismissed = false;
    bool m_pageAsked = false;
};
