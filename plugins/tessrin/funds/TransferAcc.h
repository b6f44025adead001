#pragma once

#include "connection/RequestCallBack.h"
#include "db/CActionTrigger.h"
#include "funds/AccountRequestFlow.h"
#include "layouts/TransferAccBase.h"

#include <functional>
#include <tradeapi/FFixAccount.h>

class RecordStore;
class RequestNotify;
struct user_Account;

// The modal dialog that moves cash from one of the trader's accounts to
// another: source and destination by market name, the source's withdrawable
// money, the amount and the money password; one request, a 10 s wait with
// only "ok" disabled; success closes it. Messages through ErrMsgBox.
//
// Opening: construct on the stack, ShowModal; the dialog ends its modal
// loop (EndModal) and the opener destroys it. GUI thread only.
class TransferAcc : public TransferAccBase, public RequestCallBack, public CActionTrigger<user_Account>
{
public:
    static constexpr unsigned kWaitMs = AccountRequestFlow::kWaitMs;
    // Sends the packed request; the request id, or below 0 when not sent.
    using Sender = std::function<int(sFFixMoveMoney& request)>;

    // The parent is not used: the dialog has none.
    TransferAcc(wxWindow* parent, RecordStore* db);
    ~TransferAcc() override;

    void OnResponse(int requestId, int errorCode, const wxString& text) override;
    void OnResponseTimeOut(int requestId) override;
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
    void OnSourceSelected(wxCommandEvent& event) override;
    void OnOk(wxCommandEvent& event) override;

private:
    void RefreshSourceLine();
    void UnregisterTrigger();
    // At unload: lets go of the table and the wait, ends the modal loop.
    void OnPluginUnplug(wxCommandEvent& event);

    RecordStore* m_db; // not owned
    AccountRequestFlow m_flow;
    Sender m_sender;
};
