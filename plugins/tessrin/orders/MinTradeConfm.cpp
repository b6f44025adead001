#include "orders/MinTradeConfm.h"

#include "common/PluginEvents.h"
#include "common/SettingsAccessors.h"
#include "orders/MinTradeRules.h"

#include <pelmora/pmStandardPaths.h>
#include <platform/WebPage.h>
#include <wx/app.h>
#include <wx/webview.h>

MinTradeConfm::MinTradeConfm()
    : MinTradeConfmBase(nullptr, wxID_ANY, wxEmptyString, wxDefaultPosition, wxSize(460, 295))
{
    if(wxTheApp) {
        wxTheApp->Bind(wxEVT_PLUGIN_UNPLUG, &MinTradeConfm::OnPluginUnplug, this);
    }
    // A modeless dialog gets no init event of its own: load now.
    wxInitDialogEvent init(GetId());
    OnInitDialog(init);
}

MinTradeConfm::~MinTradeConfm()
{
    if(wxTheApp) {
        wxTheApp->Unbind(wxEVT_PLUGIN_UNPLUG, &MinTradeConfm::OnPluginUnplug, this);
    }
}

void MinTradeConfm::OnInitDialog(wxInitDialogEvent& event)
{
    if(m_page && !m_pageAsked) {
        m_pageAsked = true;
        const wxString rc = pmStandardPaths::Get().GetBinFolder() + wxFILE_SEP_PATH + "rc";
        m_page->LoadOwnPage(rc, wxString("binaryop") + wxFILE_SEP_PATH + "OrderSucess.html");
    }
    event.Skip();
}

void MinTradeConfm::Dismiss()
{
    if(m_dismissed) {
        return;
    }
    m_dismissed = true;
    Hide();
    Destroy();
}

void MinTradeConfm::OnClose(wxCloseEvent& event)
{
    wxUnusedVar(event);
    Dismiss();
}

void MinTradeConfm::OnNewWindow(wxWebViewEvent& event)
{
    const std::optional<bool> showAgain = MinTradeRules::ParseNoticeAnswer(event.GetURL());
    if(!showAgain) {
        event.Skip();
        return;
    }
    SetBinOpOrderSucessPrompt(*showAgain);
    Dismiss();
}

void MinTradeConfm::OnPluginUnplug(wxCommandEvent& event)
{
    event.Skip(); // every other window closes too
    Dismiss();
}
