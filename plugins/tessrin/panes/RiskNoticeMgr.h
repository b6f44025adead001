#pragma once

#include "db/CActionTrigger.h"

#include <functional>
#include <wx/event.h>
#include <wx/string.h>

class RecordStore;
struct risk_notice;

// Turns the server's risk notices into titled messages of the output
// window and of the alert: every added or changed notice whose show flag is
// set, for an account the client knows. Owned by the account pane. GUI
// thread only.
class RiskNoticeMgr : public CActionTrigger<risk_notice>, public wxEvtHandler
{
public:
    using Output = std::function<void(const wxString& title, const wxString& text)>;
    // The same message for where the trader looks, with its account.
    using Alert = std::function<void(int accountKey, const wxString& title, const wxString& text)>;

    // Observes the risk-notice table until destroyed; messages go to
    // `output` and to `alert`.
    RiskNoticeMgr(RecordStore* db, Output output, Alert alert = Alert());
    ~RiskNoticeMgr() override;
    RiskNoticeMgr(const RiskNoticeMgr&) = delete;
    RiskNoticeMgr& operator=(const RiskNoticeMgr&) = delete;

    void afterAdd(const risk_notice& stored, CTransaction* transaction, void* reserved) override;
    void afterUpdate(const risk_notice& stored, CTransaction* transaction, void* reserved) override;

    void ShowRiskNotice(const risk_notice& notice);
    // The message of a notice; false (nothing to write) for an unknown
    // account or login, a clear show flag or a kind other than '2' and '3'.
    static bool FormatNotice(RecordStore* db, const risk_notice& notice, wxString& title, wxString& text);

private:
    RecordStore* m_pDb;
    Output m_output;
    Alert m_alert;
};
