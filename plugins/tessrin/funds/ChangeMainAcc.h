#pragma once

#include "connection/RequestCallBack.h"
#include "db/CActionTrigger.h"
#include "funds/AccountRequestFlow.h"
#include "layouts/ChangeMainAccBase.h"

#include <functional>
#include <tradeapi/FFixAccount.h>

class RecordStore;
class RequestNotify;
struct user_Account;

// The modal dialog that makes another of the trader's accounts the main
// account of its currency: the line names the current main account of the
// chosen account's currency, the other accounts are listed by market name; one request, a 10 s wait with only
// the button disabled; success closes it. Messages through ErrMsgBox. Which account may become main is the
// server's decision.
//
// Opening: construct on the stack, ShowModal; the dialog ends its modal
// loop (EndModal) and the opener destroys it. GUI thread only.
class ChangeMainAcc : public ChangeMainAccBase, public RequestCallBack, public CActionTrigger<user_Account>
{
public:
    static constexpr unsigned kWaitMs = AccountRequestFlow::kWaitMs;
    // Sends the packed request; the request id, or below 0 when not sent.
    using Sender = std::function<int(sFFixMasterAccount& request)>;

    // The parent is not used: the dialog has none.
    ChangeMainAcc(wxWindow* parent, RecordStore* db);
    ~ChangeMainAcc() override;

    void OnResponse(int requestId, int errorCode, const wxString& text) override;
    void OnResponseTimeOut(int requestId) override;
    // The line follows the accounts: an account made main names itself.
    void afterUpdate(const user_Account& stored, CTransaction* transaction, void* reserved) override;

    bool IsWaitting() const { return m_flow.IsWaiting(); }
    // Tests replace the sender (default: the Client's trade API), the
    // registry of waits and the box.
    void SetSender(Sender sender) { m_sender = std::move(sender); }
    void SetRequestNotify(RequestNotify* registry) { m_flow.SetRequestNotify(registry); }
    ErrMsgBox& GetErrMsgBox() { return m_flow.GetErrMsgBox(); }

protected:
    void OnInitDialog(wxInitDialogEvent& event) override;
    void OnClose(wxCloseEvent& event) override;
    void OnOk(wxCommandEvent& event) override;

private:
    // The main account of the chosen account's currency.
    void ShowMainAccount();
    void OnAccountChosen(wxCommandEvent& event);
    void UnregisterTrigger();
    // At unload: lets go of the table and the wait, ends the modal loop.
    void OnPluginUnplug(wxCommandEvent& event);

    RecordStore* m_db; // not owned
    AccountRequestFlow m_flow;
    Sender m_sender;
};
