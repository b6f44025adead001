#pragma once

#include "common/EndsWithLogin.h"
#include "common/MessageLine.h"
#include "connection/RequestCallBack.h"
#include "db/CActionTrigger.h"
#include "funds/UnsettledRequestWait.h"
#include "layouts/MoneyDialogBase.h"

#include <functional>
#include <tradeapi/FFixMoney.h>
#include <wx/datetime.h>

class RecordStore;
class RequestNotify;
struct sys_PayPort;
struct user_Account;
struct user_Payport;

// The modal dialog that moves money between a trading account and the bank:
// a deposit (mode 0) or a withdrawal (any other mode). It shows the chosen
// account's user, bank, remaining and withdrawable money and follows the
// server's pushes to the pay-port and account tables; OK sends one request
// (with the bank password where the bank asks for it) and waits 10 s for the
// answer with only OK disabled. A successful answer closes it.
//
// Opening: construct on the stack with the record store and the mode, set
// the user id and the account key, ShowModal. The dialog ends its modal
// loop (EndModal) and the opener destroys it. GUI thread only.
class MoneyDialog : public MoneyDialogBase,
                    public RequestCallBack,
                    public CActionTrigger<user_Payport>,
                    public CActionTrigger<sys_PayPort>,
                    public CActionTrigger<user_Account>
{
public:
    static constexpr unsigned kWaitMs = 10000;
    // Sends the packed request; the request id, or below 0 when not sent.
    using Sender = std::function<int(sFFixReqInOutMoney& request)>;
    // Asks for the bank password; false when the trader cancelled.
    using PasswordPrompt = std::function<bool(wxString& password)>;
    using Clock = std::function<wxDateTime()>;

    // The parent is not used: the dialog has none.
    MoneyDialog(wxWindow* parent, RecordStore* db, int mode);
    ~MoneyDialog() override;

    // Set by the opener before ShowModal.
    void SetUserId(int userId) { m_userId = userId; }
    void SetAccountKey(int accountKey) { m_accountKey = accountKey; }
    int GetUserId() const { return m_userId; }
    int GetAccountKey() const { return m_accountKey; }
    int GetMode() const { return m_mode; }
    bool IsWaitting() const { return m_wait.IsWaiting(); }
    int GetWaitRequestId() const { return m_wait.GetRequestId(); }
    // Timed out or lost with the link: the money may still move, so OK stays
    // disabled until the late answer tells.
    bool IsUnsettled() const { return m_wait.IsUnsettled(); }

    // The account choice, then the bank line, then the money lines.
    void Update() override;

    void OnResponse(int requestId, int errorCode, const wxString& text) override;
    void OnResponseTimeOut(int requestId) override;
    void OnResponseLost(int requestId, int errorCode, const wxString& text) override;
    // Registers the wait for the request and disables OK.
    void StartWaitting(int requestId);

    void afterAdd(const user_Payport& stored, CTransaction* transaction, void* reserved) override;
    void afterUpdate(const user_Payport& stored, CTransaction* transaction, void* reserved) override;
    void afterAdd(const sys_PayPort& stored, CTransaction* transaction, void* reserved) override;
    void afterUpdate(const sys_PayPort& stored, CTransaction* transaction, void* reserved) override;
    void afterAdd(const user_Account& stored, CTransaction* transaction, void* reserved) override;
    void afterUpdate(const user_Account& stored, CTransaction* transaction, void* reserved) override;
    bool beforeRemove(const user_Account& stored, CTransaction* transaction, void* reserved) override;

    // Tests replace the sender (default: the plug-in's Client), the bank
    // password prompt, the registry of waits and the clock.
    void SetSender(Sender sender) { m_sender = std::move(sender); }
    void SetPasswordPrompt(PasswordPrompt prompt) { m_prompt = std::move(prompt); }
    void SetRequestNotify(RequestNotify* registry) { m_wait.SetRegistry(registry); }
    void SetClock(Clock clock);
    MessageLine& GetMessageLine() { return m_messageLine; }
    bool IsRefreshPending() const { return m_refreshPending; }

protected:
    void OnInitDialog(wxInitDialogEvent& event) override;
    void OnClose(wxCloseEvent& event) override;
    void OnAccountSelected(wxCommandEvent& event) override;
    void OnOk(wxCommandEvent& event) override;

private:
    void FillAccountChoice();
    // The account key an item of the choice carries.
    int ItemKey(unsigned int item) const;
    void UpdateBankLine();
    void UpdateMoneyLines();
    void RequestRefresh();
    void OnDeferredRefresh(wxCommandEvent& event);
    void ShowMessage(const wxString& text, int code);
    bool AskBankPassword(wxString& password);
    void UnregisterTriggers();
    // At unload: lets go of the tables and waits, ends the modal loop.
    void OnPluginUnplug(wxCommandEvent& event);

    int m_mode;
    int m_userId = -1;
    int m_accountKey = -1;
    RecordStore* m_db; // not owned
    bool m_refreshPending = false;
    bool m_succeeded = false; // the answer was 0: the modal loop ends with OK
    double m_amount = 0.0;    // the amount validator's value
    wxDateTime m_messageExpiry;
    UnsettledRequestWait m_wait;
    MessageLine m_messageLine;
    Sender m_sender;
    PasswordPrompt m_prompt;
    Clock m_clock;
    EndsWithLogin m_endsWithLogin{*this};
};
