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
    if(!m_wait.End(requestId)) {
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

void AccountRequestFlow::OnResponseTimeOut()
{
    if(!m_wait.IsWaiting()) {
        return;
    }
    m_wait.Drop();
    m_ok->Enable();
    m_box.ShowErrMsgBox(_("Request Time Out!"), -1);
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
