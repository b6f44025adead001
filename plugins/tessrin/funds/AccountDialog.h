#pragma once

#include "common/EndsWithLogin.h"
#include "common/PluginEvents.h"
#include "connection/RequestCallBack.h"
#include "db/CActionTrigger.h"
#include "db/RecordStore.h"
#include "funds/AccountRequestFlow.h"
#include "funds/AccountRequestSender.h"

#include <functional>
#include <wx/app.h>

class RequestNotify;

// What the transfer, main-account and surety-money dialogs share: a modal
// dialog over the account table that sends one request of type `Request`,
// waits 10 s for it with only "ok" disabled, reports through ErrMsgBox and
// closes on success; a transfer's "ok" stays disabled while its fate is
// unknown. A dialog adds its choices, its line and its request.
//
// Opening: construct on the stack, ShowModal; the dialog ends its modal
// loop (EndModal) and the opener destroys it. GUI thread only.
template <class Layout, class Request>
class AccountDialog : public Layout, public RequestCallBack, public CActionTrigger<user_Account>
{
public:
    static constexpr unsigned kWaitMs = AccountRequestFlow::kWaitMs;
    // Sends the packed request; the request id, or below 0 when not sent.
    using Sender = std::function<int(Request& request)>;

    ~AccountDialog() override;

    void OnResponse(int requestId, int errorCode, const wxString& text) override;
    void OnResponseTimeOut(int requestId) override;
    void OnResponseLost(int requestId, int errorCode, const wxString& text) override;
    // The line follows the accounts.
    void afterUpdate(const user_Account& stored, CTransaction* transaction, void* reserved) override;

    bool IsWaitting() const { return m_flow.IsWaiting(); }
    bool IsUnsettled() const { return m_flow.IsUnsettled(); }
    // Tests replace the sender (default: the Client's trade API), the
    // registry of waits and the box.
    void SetSender(Sender sender) { m_sender = std::move(sender); }
    void SetRequestNotify(RequestNotify* registry) { m_flow.SetRequestNotify(registry); }
    ErrMsgBox& GetErrMsgBox() { return m_flow.GetErrMsgBox(); }

protected:
    // The success is reported as `successText` with `successCode`.
    AccountDialog(RecordStore* db, const wxString& title, const wxString& successText, int successCode);

    // Packs the request from the controls; false (nothing sent) when a check
    // failed, after saying so.
    virtual bool MakeRequest(Request& request) = 0;
    // The line under the choice, for the chosen account as it stands now.
    virtual void ShowAccountLine() = 0;

    void OnOk(wxCommandEvent& event) override;
    void OnClose(wxCloseEvent& event) override;

    RecordStore* m_db; // not owned; null after unload
    AccountRequestFlow m_flow;

private:
    void UnregisterTrigger();
    // At unload: lets go of the table and the wait, ends the modal loop.
    void OnPluginUnplug(wxCommandEvent& event);

    Sender m_sender;
    wxString m_successText;
    int m_successCode;
    EndsWithLogin m_endsWithLogin{*this};
};

template <class Layout, class Request>
AccountDialog<Layout, Request>::AccountDialog(RecordStore* db, const wxString& title,
                                              const wxString& successText, int successCode)
    : Layout(nullptr, wxID_ANY, title), m_db(db), m_flow(this, *this, this->m_buttonOk),
      m_sender([](Request& request) { return AccountRequestSender::Send(request); }),
      m_successText(successText), m_successCode(successCode)
{
    wxTheApp->Bind(wxEVT_PLUGIN_UNPLUG, &AccountDialog::OnPluginUnplug, this);
    if(m_db && m_db->m_user_Account_table) {
        m_db->m_user_Account_table->AddActionTrigger(this);
    }
}

template <class Layout, class Request> AccountDialog<Layout, Request>::~AccountDialog()
{
    if(wxTheApp) {
        wxTheApp->Unbind(wxEVT_PLUGIN_UNPLUG, &AccountDialog::OnPluginUnplug, this);
    }
    UnregisterTrigger();
}

template <class Layout, class Request> void AccountDialog<Layout, Request>::UnregisterTrigger()
{
    if(auto* table = GetObservedTable()) {
        table->RemoveActionTrigger(this);
    }
}

template <class Layout, class Request>
void AccountDialog<Layout, Request>::afterUpdate(const user_Account& /*stored*/,
                                                 CTransaction* /*transaction*/, void* /*reserved*/)
{
    ShowAccountLine();
}

template <class Layout, class Request> void AccountDialog<Layout, Request>::OnOk(wxCommandEvent& event)
{
    event.Skip();
    if(m_flow.IsWaiting() || m_flow.IsUnsettled()) {
        return; // "ok" is disabled; one request at a time
    }
    Request request{};
    if(MakeRequest(request)) {
        m_flow.Sent(m_sender ? m_sender(request) : -1);
    }
}

template <class Layout, class Request>
void AccountDialog<Layout, Request>::OnResponse(int requestId, int errorCode, const wxString& text)
{
    m_flow.OnResponse(requestId, errorCode, text, m_successText, m_successCode);
}

template <class Layout, class Request> void AccountDialog<Layout, Request>::OnResponseTimeOut(int requestId)
{
    m_flow.OnResponseTimeOut(requestId);
}

template <class Layout, class Request>
void AccountDialog<Layout, Request>::OnResponseLost(int requestId, int errorCode, const wxString& text)
{
    m_flow.OnResponseLost(requestId, errorCode, text);
}

template <class Layout, class Request> void AccountDialog<Layout, Request>::OnClose(wxCloseEvent& /*event*/)
{
    m_flow.OnClose();
}

template <class Layout, class Request>
void AccountDialog<Layout, Request>::OnPluginUnplug(wxCommandEvent& event)
{
    event.Skip(); // other windows close too
    UnregisterTrigger();
    m_db = nullptr;
    m_flow.OnUnplug();
}
