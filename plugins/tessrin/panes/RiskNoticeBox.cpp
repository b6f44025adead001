#include "panes/RiskNoticeBox.h"

#include "common/PluginEvents.h"

#include <algorithm>
#include <wx/app.h>
#include <wx/intl.h>

RiskNoticeBox::RiskNoticeBox(wxWindow* parent) : RiskNoticeBoxBase(parent, wxID_ANY, _("Risk Notice"))
{
    if(wxTheApp) {
        wxTheApp->Bind(wxEVT_PLUGIN_UNPLUG, &RiskNoticeBox::OnPluginUnplug, this);
    }
}

RiskNoticeBox::~RiskNoticeBox()
{
    if(wxTheApp) {
        wxTheApp->Unbind(wxEVT_PLUGIN_UNPLUG, &RiskNoticeBox::OnPluginUnplug, this);
    }
}

void RiskNoticeBox::ShowNotice(int accountKey, const wxString& title, const wxString& text)
{
    if(m_dismissed) {
        return;
    }
    m_notices.erase(
        std::remove_if(m_notices.begin(), m_notices.end(),
                       [accountKey](const Notice& notice) { return notice.accountKey == accountKey; }),
        m_notices.end());
    m_notices.insert(m_notices.begin(), Notice{accountKey, title, text});
    ShowText();
    Show();
    Raise();
}

void RiskNoticeBox::KeepAccounts(const std::function<bool(int)>& known)
{
    const size_t before = m_notices.size();
    m_notices.erase(std::remove_if(m_notices.begin(), m_notices.end(),
                                   [&known](const Notice& notice) { return !known(notice.accountKey); }),
                    m_notices.end());
    if(m_notices.empty()) {
        Dismiss();
    } else if(m_notices.size() != before) {
        ShowText();
    }
}

void RiskNoticeBox::ShowText()
{
    wxString shown;
    for(const Notice& notice : m_notices) {
        shown += (shown.empty() ? "" : "\n\n") + notice.title + "\n" + notice.text;
    }
    m_textCtrlNotices->ChangeValue(shown);
    m_textCtrlNotices->ShowPosition(0);
}

void RiskNoticeBox::Dismiss()
{
    if(m_dismissed) {
        return;
    }
    m_dismissed = true;
    Hide();
    Destroy();
}

void RiskNoticeBox::OnClose(wxCloseEvent&)
{
    Dismiss();
}

void RiskNoticeBox::OnCloseButton(wxCommandEvent&)
{
    Dismiss();
}

void RiskNoticeBox::OnPluginUnplug(wxCommandEvent& event)
{
    event.Skip(); // every other window closes too
    Dismiss();
}
