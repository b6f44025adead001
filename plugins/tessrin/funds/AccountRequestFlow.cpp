#include "funds/AccountRequestFlow.h"

#include "common/MessageLine.h"
#include "funds/AccountDialogRules.h"
#include "funds/ModifyPasswordRules.h"

#include <wx/button.h>
#include <wx/dialog.h>
#include <wx/intl.h>

AccountRequestFlow::AccountRequestFlow(RequestCallBack* owner, wxDialog& dialog, wxButton* ok)
    : m_dialog(dialog), m_ok(ok), m_wait(owner)
{}

bool AccountRequestFlow::CheckPassword(const wxString& password)
{
    if(password.empty()) {
        m_box.ShowErrMsgBox(_("Invalid Passord!"), -1);
        return false;
    }
    if(!AccountDialogRules::PasswordFits(password)) {
        m_box.ShowErrMsgBox(
            wxGetTranslation(ModifyPasswordRules::CheckMessage(ModifyPasswordRules::eNewTooLong)), -1);
        return false;
    }
    return true;
}

void AccountRequestFlow::Sent(int requestId)
{
    if(requestId < 0) {
        m_box.ShowErrMsgBox(MessageLine::UnsentText(_("Send Command Failed!")), -1);
        return;
    }
    m_wait.Start(requestId, kWaitMs);
    m_ok->Disable();
}

void AccountRequestFlow::OnResponse(int requestId, int errorCode, const wxString& text,
                                    const wxString& successText, int successCode)
{
    const UnsettledRequestWait::Answer answer = m_wait.OnResponse(requestId, errorCode);
    if(answer == UnsettledRequestWait::eNotOurs) {
        return;
    }
    if(answer == UnsettledRequestWait::eLateCarriedOut) {
        // Told, not closed: the trader learns what became of it.
        m_ok->Enable();
        m_box.ShowErrMsgBox(UnsettledRequestWait::CarriedOutText(), 0, ErrMsgBox::eSuccess);
        return;
    }
    m_ok->Enable();
    if(errorCode != 0) {
        m_box.ShowErrMsgBox(text, errorCode);
        return;
    }
    m_box.ShowErrMsgBox(successText, successCode, ErrMsgBox::eSuccess);
    m_succeeded = true;
    m_dialog.Close();
}

void AccountRequestFlow::OnResponseTimeOut(int requestId)
{
    const UnsettledRequestWait::TimeOut outcome =
        m_wait.OnResponseTimeOut(m_wait.IsWaiting() ? m_wait.GetRequestId() : requestId);
    if(outcome == UnsettledRequestWait::eNotOursTimeOut) {
        return;
    }
    if(outcome == UnsettledRequestWait::eUnsettled && !m_movesMoney) {
        m_wait.Drop(); // a value set twice is set once
        m_ok->Enable();
        m_box.ShowErrMsgBox(_("Request Time Out!"), -1);
        return;
    }
    m_ok->Enable(outcome == UnsettledRequestWait::eNoWord); // not while the money may still move
    m_box.ShowErrMsgBox(UnsettledRequestWait::TimeOutText(outcome), -1);
}

void AccountRequestFlow::OnResponseLost(int requestId, int errorCode, const wxString& text)
{
    if(!m_movesMoney) {
        OnResponse(requestId, errorCode, text, wxString(), 0);
        return;
    }
    if(m_wait.OnResponseLost(requestId)) {
        m_box.ShowErrMsgBox(UnsettledRequestWait::LinkLostText(), errorCode); // "ok" stays disabled
    }
}

void AccountRequestFlow::OnClose()
{
    m_wait.Drop();
    if(m_dialog.IsModal()) {
        m_dialog.EndModal(m_succeeded ? wxID_OK : wxID_CANCEL);
    } else {
        m_dialog.Hide();
    }
}

void AccountRequestFlow::OnUnplug()
{
    m_wait.Drop();
    if(m_dialog.IsModal()) {
        m_dialog.EndModal(wxID_CANCEL);
    }
}
