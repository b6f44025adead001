#pragma once

#include "layouts/RiskNoticeBoxBase.h"

#include <functional>
#include <vector>

// A margin call or forced close of the server where the trader looks: a box
// over the main window, not modal, so that the account can be acted on at
// once. One box for every account, newest notice first; a newer notice of an
// account replaces its older one. It destroys itself when closed, when no
// notice is left, or when the plug-in unloads. GUI thread only.
class RiskNoticeBox : public RiskNoticeBoxBase
{
public:
    explicit RiskNoticeBox(wxWindow* parent);
    ~RiskNoticeBox() override;

    // Shows the box with the notice in front.
    void ShowNotice(int accountKey, const wxString& title, const wxString& text);
    // Drops the notices of the accounts `known` says are gone (the next
    // user's desk shows none of them).
    void KeepAccounts(const std::function<bool(int accountKey)>& known);
    size_t GetNoticeCount() const { return m_notices.size(); }

protected:
    void OnClose(wxCloseEvent& event) override;
    void OnCloseButton(wxCommandEvent& event) override;

private:
    struct Notice
    {
        int accountKey;
        wxString title;
        wxString text;
    };
    void ShowText();
    void Dismiss();
    void OnPluginUnplug(wxCommandEvent& event);

    std::vector<Notice> m_notices; // newest first
    bool m_dismissed = false;
};
