#pragma once

#include "common/EndsWithLogin.h"
#include "common/MessageLine.h"
#include "connection/RequestCallBack.h"
#include "funds/DialogPrompts.h"
#include "funds/UnsettledRequestWait.h"
#include "layouts/ModifyPasswordDlgBase.h"

#include <functional>
#include <tradeapi/FFixAccount.h>

class Client;
class RequestNotify;
struct user_LoginInfo;

// The modal dialog in which the logged-in user changes the money or the
// login password: three checked entries, a confirmation, one request, a 5 s
// wait with only OK disabled. A changed login password goes to the host
// (bus 10005) and to the Client for its next logins, also when its answer
// comes after the time-out; until that answer OK stays disabled. Messages
// on its own line, never in a box.
//
// Opening: construct on the stack, ShowModal; the dialog ends its modal
// loop (EndModal) and the opener destroys it. GUI thread only.
class ModifyPasswordDlg : public ModifyPasswordDlgBase, public RequestCallBack
{
public:
    static constexpr unsigned kWaitMs = 5000;
    // Sends the packed request; the request id, or below 0 when not sent.
    using Sender = std::function<int(sFFixModifyPassword& request)>;
    // The Client whose logins take a new login password; null when none.
    using ClientSource = std::function<Client*()>;

    // `parent` may be null; only the login record's user id is kept.
    ModifyPasswordDlg(wxWindow* parent, const user_LoginInfo* login);
    ~ModifyPasswordDlg() override;

    // Registers the wait for the request and disables OK.
    void StartWaitting(int requestId);
    void OnResponse(int requestId, int errorCode, const wxString& text) override;
    void OnResponseTimeOut(int requestId) override;
    void OnResponseLost(int requestId, int errorCode, const wxString& text) override;

    int GetUserId() const { return m_userId; }
    bool IsWaitting() const { return m_wait.IsWaiting(); }
    int GetWaitRequestId() const { return m_wait.GetRequestId(); }
    bool IsUnsettled() const { return m_wait.IsUnsettled(); }

    // Tests replace the sender (default: the plug-in's), the Client, the
    // registry of waits, the question and box, and the line's clock.
    void SetSender(Sender sender) { m_sender = std::move(sender); }
    void SetClientSource(ClientSource source) { m_clientSource = std::move(source); }
    void SetRequestNotify(RequestNotify* registry) { m_wait.SetRegistry(registry); }
    void SetPrompts(DialogPrompts prompts) { m_prompts = std::move(prompts); }
    MessageLine& GetMessageLine() { return m_messageLine; }

protected:
    void OnInitDialog(wxInitDialogEvent& event) override;
    void OnClose(wxCloseEvent& event) override;
    void OnOk(wxCommandEvent& event) override;

private:
    void ShowMessage(const wxString& text, int code);
    // At unload: lets go of the wait and ends the modal loop.
    void OnPluginUnplug(wxCommandEvent& event);

    int m_userId;
    bool m_succeeded = false;
    // What was sent: a kind or password changed during the wait does not count.
    int m_sentKind = -1;
    wxString m_sentKindText;
    wxString m_sentPassword;
    UnsettledRequestWait m_wait;
    MessageLine m_messageLine;
    Sender m_sender;
    ClientSource m_clientSource;
    DialogPrompts m_prompts;
    EndsWithLogin m_endsWithLogin{*this};
};
