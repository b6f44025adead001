#pragma once

#include "common/ListPane.h"
#include "db/CActionTrigger.h"
#include "risk/RiskEvaluator.h"

#include <wx/timer.h>

class RiskCustomPanelModel;
class RiskParamsCustomConfig;
struct symbol_price;
struct user_Account;

// The output page "RiskCustom": the custom risk rules of the logged-in user,
// evaluated on every quote and account change. A rule in alarm shows red and
// italic, writes one line to the output window (when it asks for that) each
// time it enters the alarm, and plays the alarm sound every 10 seconds while
// it holds (when it asks for sound).
//
// The rules and the layout are read on the host's refresh (bus 11111 with
// client data) and stored as "RiskCustomPanel" under the login name: at once
// on every add, edit and delete, before every reload and when the pane goes.
class RiskCustomPanel : public ListPane,
                        public CActionTrigger<symbol_price>,
                        public CActionTrigger<user_Account>
{
public:
    static constexpr int kEditId = 6000;
    static constexpr int kDeleteId = 6001;
    static constexpr int kAlarmIntervalMs = 10000;

    RiskCustomPanel(RecordStore* db, HostManager* mgr, wxWindow* parent);
    ~RiskCustomPanel() override;

    // Price rules of the quote's symbol.
    void afterUpdate(const symbol_price& stored, CTransaction* transaction, void* reserved) override;
    // Account rules against every account.
    void afterUpdate(const user_Account& stored, CTransaction* transaction, void* reserved) override;

    RiskCustomPanelModel* GetModel() const;
    // The login whose rules the pane holds; empty before the first load.
    const wxString& GetLoginName() const { return m_loginName; }
    wxTimer& GetAlarmTimer() { return m_timer; }

    // Bus 11111: with client data, the rules and layout are read again.
    void OnRefreshViews(wxCommandEvent& event);
    // "riskCustom": a new rule from the dialog.
    void OnCustomRiskAddMenu(wxCommandEvent& event);
    // Menu 6000 and 6001, on exactly one selected row.
    void OnCustomRiskEditMenu(wxCommandEvent& event);
    void OnCustomRiskDeleteMenu(wxCommandEvent& event);
    void OnAlarmTimer(wxTimerEvent& event);

    // Stores the current rules under their login, then reads the stored
    // object anew; with a Client, its login's rules replace the list.
    void LoadColumnConfig();
    // The list under the login in the stored object; nothing without a
    // login or before the first load.
    void SaveColumnConfig();
    // The login has ended: its rules are stored under it and leave the page,
    // alarms and all; the next login brings its own.
    void ForgetLogin();

private:
    RiskParamsCustomConfig* GetConfig() const;
    void EvaluatePrice(const symbol_price& price);
    // Account rules against every account.
    void EvaluateAccounts();
    // Every rule against the prices and accounts there are now.
    void EvaluateAll();
    // One output-window line naming what the stored rules held unread.
    static void TellUnreadable(const wxArrayString& places);
    // The selected row when exactly one is selected; else -1.
    int GetSelectedRow() const;
    bool OnPopupMenu(wxDataViewEvent& event);

    wxTimer m_timer;
    wxString m_loginName;
    RiskEvaluator m_evaluator;
    bool m_appBound = false;
};
