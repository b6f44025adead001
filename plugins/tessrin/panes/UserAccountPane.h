#pragma once

#include "common/ListPane.h"
#include "panes/RiskNoticeBox.h"

#include <memory>
#include <wx/event.h>
#include <wx/weakref.h>

class RecordStore;
class RiskNoticeMgr;
class UserAccountModel;

// The "Account" page: one row per trading account with its money and risk
// figures, repainted on the plug-in's refresh clock (never at once: prices
// change the figures hundreds of times a second). New accounts and changed
// risk kinds are gathered into one deferred refresh that puts the money
// menu's account entries back, shows the surety column exactly while an
// account of risk kind '3' exists and, once while the plug-in is loaded,
// gives each currency its main account. The pane owns the manager that
// writes the server's risk notices to the output window and into a box.
class UserAccountPane : public ListPane
{
public:
    // The pane's own deferred-refresh event, queued to itself.
    static const wxEventTypeTag<wxCommandEvent> kRefreshEvent;

    UserAccountPane(RecordStore* db, wxWindow* parent);
    ~UserAccountPane() override;

    UserAccountModel* GetModel() const;
    RiskNoticeMgr* GetRiskNoticeMgr() const { return m_riskNoticeMgr.get(); }
    // The box of the notices shown, or null.
    RiskNoticeBox* GetRiskNoticeBox() const { return m_riskBox; }
    bool IsRefreshPending() const { return m_refreshPending; }

    // Queues one refresh; further requests before it runs cost nothing.
    void RequestRefresh();
    // The refresh: money menu entries and the surety column, from the
    // accounts present now.
    void RefreshAccounts();

private:
    void OnRefresh(wxCommandEvent& event);

    bool m_rolesAssigned = false;
    std::unique_ptr<RiskNoticeMgr> m_riskNoticeMgr;
    wxWeakRef<RiskNoticeBox> m_riskBox; // the box destroys itself
    bool m_refreshPending = false;
};
