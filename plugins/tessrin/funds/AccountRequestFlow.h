#pragma once

#include "funds/ErrMsgBox.h"
#include "funds/UnsettledRequestWait.h"

#include <wx/string.h>

class RequestCallBack;
class RequestNotify;
class wxButton;
class wxDialog;

// The one request of an account dialog and how it ends: a 10 s wait with
// only "ok" disabled; the answer or the time-out in the dialog's ErrMsgBox;
// success closes the dialog; closing or unload ends its modal loop, and the
// opener destroys it. A request that moves money is not sent again after a
// time-out or a lost link until its fate is known (UnsettledRequestWait); one
// that sets a value may be. GUI thread only.
class AccountRequestFlow
{
public:
    static constexpr unsigned kWaitMs = 10000;

    // The owner receives the answers and passes them on here; the button is
    // the dialog's "ok".
    AccountRequestFlow(RequestCallBack* owner, wxDialog& dialog, wxButton* ok);
    AccountRequestFlow(const AccountRequestFlow&) = delete;
    AccountRequestFlow& operator=(const AccountRequestFlow&) = delete;

    // The request moves money: sending it twice would move it twice.
    void SetMovesMoney() { m_movesMoney = true; }

    bool IsWaiting() const { return m_wait.IsWaiting(); }
    bool IsUnsettled() const { return m_wait.IsUnsettled(); }
    void SetRequestNotify(RequestNotify* registry) { m_wait.SetRegistry(registry); }
    ErrMsgBox& GetErrMsgBox() { return m_box; }

    // The money password about to be sent: an empty or too long one is
    // reported in the box and yields false.
    bool CheckPassword(const wxString& password);
    // Waits for a sent request; an id below 0 (not sent) is reported instead.
    void Sent(int requestId);
    // The awaited answer: a failure in the box; a success with its text and
    // code, then the dialog closes.
    void OnResponse(int requestId, int errorCode, const wxString& text, const wxString& successText,
                    int successCode);
    // Honoured whatever its id while a request is awaited: one at a time.
    void OnResponseTimeOut(int requestId);
    void OnResponseLost(int requestId, int errorCode, const wxString& text);
    // The dialog's close: the wait is dropped, the loop ends (OK after a success).
    void OnClose();
    // Unload: the wait is dropped, the loop ends with cancel.
    void OnUnplug();

private:
    wxDialog& m_dialog;
    wxButton* m_ok; // owned by the dialog
    UnsettledRequestWait m_wait;
    ErrMsgBox m_box;
    bool m_movesMoney = false;
    bool m_succeeded = false;
};
