#pragma once

#include "common/EndsWithLogin.h"
#include "common/MessageLine.h"
#include "connection/RequestCallBack.h"
#include "connection/RequestWait.h"
#include "db/CActionTrigger.h"
#include "funds/PayPortRegistModel.h"
#include "layouts/PayPortRegistDlgBase.h"

#include <cstdint>
#include <functional>
#include <tradeapi/FFixMoney.h>
#include <wx/timer.h>

class BrowserLauncher;
class RecordStore;
class RequestNotify;
class wxWindow;
struct sys_PayPort;
struct user_Account;
struct user_AttPay;
struct user_Payport;

// The bank's signing control ("NetSign.InfoSecNetSign") can be created.
bool IsSignControlInstalled();

// The modal dialog that registers a trading account on a bank pay port
// (card, name, identity document, money password and, where the bank asks,
// the bank password), or cancels the registration. It follows the user's
// pay ports, sends one request at a time and waits 5 s for its answer, and
// when the market pushes the bank's page opens it in the "PayPort" page,
// after registering the signing control where the bank needs it, then
// closes.
//
// Opening: construct on the stack with the record store and an account
// whose login record is resolved, ShowModal. The dialog ends its modal loop
// (EndModal) and the opener destroys it. GUI thread only.
class PayPortRegistDlg : public PayPortRegistDlgBase,
                         public CActionTrigger<sys_PayPort>,
                         public CActionTrigger<user_Payport>,
                         public CActionTrigger<user_AttPay>,
                         public RequestCallBack
{
public:
    static constexpr unsigned kWaitMs = 5000;
    static constexpr unsigned kPayPortQueryWaitMs = 100000;
    static constexpr int kSignControlRecheckMs = 1000;

    // What the dialog reaches outside itself; by default the plug-in, its
    // Client and the system. Tests replace them.
    struct Services
    {
        // The request id, or below 0 when the request did not leave.
        std::function<int(sFFixRegistPayPort& request)> regist;
        std::function<int(sFFixUnRegistPayPort& request)> unRegist;
        std::function<int()> queryUserPayPorts;
        std::function<int()> querySysPayPorts;
        // Asks for the bank password; false when the trader cancelled.
        std::function<bool(wxWindow* parent, wxString& password)> askBankPassword;
        // Yes/No; true for Yes.
        std::function<bool(wxWindow* parent, const wxString& caption, const wxString& message)> confirm;
        std::function<void(const user_AttPay& page)> showPayPortPage;
        std::function<bool()> signControlInstalled;
        std::function<void(wxWindow* parent)> registSignControl;
        std::function<BrowserLauncher*()> browser;
    };
    static Services DefaultServices();

    // The parent is not used: the dialog has none.
    PayPortRegistDlg(wxWindow* parent, RecordStore* db, const user_Account& account);
    ~PayPortRegistDlg() override;

    // Starts the signing tool and waits, at most about eleven seconds, in a
    // modal wait window over `parent` until the control can be created.
    // Reports nothing: callers test the control again.
    static void RegistSignControl(wxWindow* parent);

    // Registers the wait for the request and disables "Ok".
    void StartWaitting(int requestId);
    void OnResponse(int requestId, int errorCode, const wxString& text) override;
    void OnResponseTimeOut(int requestId) override;

    // Opens the bank's page of the attachment (see the class comment).
    void OpenPayPortPage(const user_AttPay& page);

    void afterAdd(const user_Payport& stored, CTransaction* transaction, void* reserved) override;
    void afterUpdate(const user_Payport& stored, CTransaction* transaction, void* reserved) override;
    void afterAdd(const user_AttPay& stored, CTransaction* transaction, void* reserved) override;
    void afterUpdate(const user_AttPay& stored, CTransaction* transaction, void* reserved) override;

    // The opening steps and the whole refresh, as the init-dialog event and
    // a market selection run them.
    void Open();
    void RefreshAll();

    void SetServices(Services services) { m_services = std::move(services); }
    // Tests hand in a registry with their own clock (also the message clock).
    void SetRequestNotify(RequestNotify* registry);
    void SetClock(MessageLine::Clock clock) { m_messageLine.SetClock(std::move(clock)); }
    MessageLine& GetMessageLine() { return m_messageLine; }
    PayPortRegistModel& GetModel() { return m_model; }
    int GetMode() const { return m_model.GetMode(); }
    bool IsWaitting() const { return m_wait.IsWaiting(); }
    int GetWaitRequestId() const { return m_wait.GetRequestId(); }
    int GetPayPortQueryId() const { return m_payPortQueryId; }

protected:
    void OnClose(wxCloseEvent& event) override;
    void OnInitDialog(wxInitDialogEvent& event) override;
    void OnChannelSelected(wxCommandEvent& event) override;
    void OnMarketSelected(wxCommandEvent& event) override;
    void OnOk(wxCommandEvent& event) override;

private:
    void Regist();
    void UnRegist();
    // Steps after the lists: seat, fields, enabling, title.
    void ShowModel();
    void ShowChoice(wxComboBox* list, const PayPortRegistModel::Choice& choice);
    void FocusField(PayPortRegistRules::Field field);
    void ShowMessage(const wxString& text, int code, bool asError);
    // Asks the server for the user's pay ports when the dialog's account has
    // no registration.
    void QueryIfUnregistered();
    // The registration the unregistration in flight cancels.
    void RemoveCancelledRegistration();
    // The attachment looked up again by its id, after the change returned.
    void OpenPayPortPageLater(int attPayId);
    void OnSignControlRecheck(wxTimerEvent& event);
    void OpenInOutsideBrowser(const wxString& url);
    void UnregisterTriggers();
    void OnPluginUnplug(wxCommandEvent& event);
    void EndDialog();

    RecordStore* m_db; // not owned
    int m_userId;
    int m_accountKey;
    wxString m_userName;
    int m_payPortQueryId = -1;
    RequestNotify* m_registry = nullptr; // null: the process-wide one
    RequestWait m_wait;
    PayPortRegistModel m_model;
    MessageLine m_messageLine;
    Services m_services;
    PayPortRegistRules::Mode m_requestMode = PayPortRegistRules::eRegist; // of the request in flight
    int m_requestPayPortId = -1;
    int64_t m_requestRegistrationKey = 0;
    wxTimer m_signControlRecheck;
    int m_recheckAttPayId = 0;
    bool m_registeringSignControl = false; // the modal wait for the control runs
    EndsWithLogin m_endsWithLogin{*this};
};
