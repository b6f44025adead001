#include "funds/ModifyPasswordDlg.h"

#include "common/IClientPlugin.h"
#include "common/MessageLine.h"
#include "common/PluginEvents.h"
#include "connection/Client.h"
#include "db/user_LoginInfo.h"
#include "funds/ModifyPasswordRules.h"

#include <pelmora/EventNotifier.h>
#include <pelmora/HostEvents.h>
#include <wx/app.h>
#include <wx/arrstr.h>
#include <wx/intl.h>

ModifyPasswordDlg::ModifyPasswordDlg(wxWindow* parent, const user_LoginInfo* login)
    : ModifyPasswordDlgBase(parent, wxID_ANY, _("Modify Password")), m_userId(login ? login->userId : 0),
      m_wait(this), m_messageLine(m_textCtrlMessage, _("Modify Password"), MessageLine::eLineOnly),
      m_sender([](sFFixModifyPassword& request) {
          Client* client = LoginClient();
          return client ? client->ReqModifyPassword(&request) : -1;
      }),
      m_clientSource(&LoginClient), m_prompts(DialogPrompts::Native())
{
    wxTheApp->Bind(wxEVT_PLUGIN_UNPLUG, &ModifyPasswordDlg::OnPluginUnplug, this);
}

ModifyPasswordDlg::~ModifyPasswordDlg()
{
    if(wxTheApp) {
        wxTheApp->Unbind(wxEVT_PLUGIN_UNPLUG, &ModifyPasswordDlg::OnPluginUnplug, this);
    }
    m_wait.Drop();
}

void ModifyPasswordDlg::OnInitDialog(wxInitDialogEvent& /*event*/)
{
    m_comboBoxKind->Clear();
    m_comboBoxKind->Append(_("Money Password"));
    m_comboBoxKind->Append(_("Login Password"));
    m_comboBoxKind->SetSelection(ModifyPasswordRules::kMoneyPosition);
    SetTitle(_("Modify Password"));
    m_textCtrlOldPassword->SetFocus();
}

void ModifyPasswordDlg::OnOk(wxCommandEvent& /*event*/)
{
    if(!m_wait.CanSend()) {
        return; // OK is disabled; one request at a time
    }
    m_messageLine.Clear();
    const wxString oldPassword = m_textCtrlOldPassword->GetValue();
    const wxString newPassword = m_textCtrlNewPassword->GetValue();
    const ModifyPasswordRules::CheckResult check =
        ModifyPasswordRules::Check(oldPassword, newPassword, m_textCtrlConfirmPassword->GetValue());
    if(check != ModifyPasswordRules::eCheckPassed) {
        ShowMessage(wxGetTranslation(ModifyPasswordRules::CheckMessage(check)), -1);
        return;
    }
    const int kind = m_comboBoxKind->GetSelection();
    const wxString kindText = m_comboBoxKind->GetValue();
    if(!m_prompts.ask(wxString::Format(_("Are uou sure modify [%s] password?"), kindText),
                      _("Modify Password"))) {
        return;
    }
    sFFixModifyPassword request = ModifyPasswordRules::MakeRequest(m_userId, kind, newPassword, oldPassword);
    const int requestId = m_sender ? m_sender(request) : -1;
    if(requestId < 0) {
        ShowMessage(MessageLine::UnsentText(_("Send Command Failed!")), -1);
        return;
    }
    m_sentKind = kind;
    m_sentKindText = kindText;
    m_sentPassword = newPassword;
    StartWaitting(requestId);
}

void ModifyPasswordDlg::StartWaitting(int requestId)
{
    m_wait.Start(requestId, kWaitMs);
    m_buttonOk->Disable();
}

void ModifyPasswordDlg::OnResponse(int requestId, int errorCode, const wxString& text)
{
    // A late success changed the password as much as one in time: the Client
    // must log in with the new one.
    if(m_wait.OnResponse(requestId, errorCode) == UnsettledRequestWait::eNotOurs) {
        return;
    }
    if(errorCode != 0) {
        m_buttonOk->Enable();
        ShowMessage(text, errorCode);
        return;
    }
    m_prompts.box(wxString::Format(_("Modify %s Password Success"), m_sentKindText), _("Modify Password"));
    if(m_sentKind == ModifyPasswordRules::kLoginPosition) {
        wxArrayString password;
        password.Add(m_sentPassword);
        EventNotifier::Get()->SendCommandEvent(wxEVT_CMD_PASSWORD_CHANGED, &password);
        if(Client* client = m_clientSource ? m_clientSource() : nullptr) {
            client->SetLoginPassword(m_sentPassword);
        }
    }
    m_succeeded = true;
    Close();
}

void ModifyPasswordDlg::OnResponseTimeOut(int requestId)
{
    // Honoured whatever its id while waiting: the dialog has one request at a time.
    switch(m_wait.OnResponseTimeOut(m_wait.IsWaiting() ? m_wait.GetRequestId() : requestId)) {
    case UnsettledRequestWait::eNotOursTimeOut:
        return;
    case UnsettledRequestWait::eUnsettled:
        ShowMessage(
            _("No answer yet: the password may still be changed; wait for the answer before you try again"),
            -1); // OK stays disabled
        return;
    case UnsettledRequestWait::eNoWord:
        m_buttonOk->Enable();
        ShowMessage(_("Still no answer: the password may have been changed"), -1);
        return;
    }
}

void ModifyPasswordDlg::OnResponseLost(int requestId, int errorCode, const wxString& /*text*/)
{
    if(m_wait.OnResponseLost(requestId)) {
        ShowMessage(_("The trade link dropped before the answer: the password may have been changed"),
                    errorCode); // OK stays disabled
    }
}

void ModifyPasswordDlg::ShowMessage(const wxString& text, int code)
{
    m_messageLine.Show(text, code, false, true);
}

void ModifyPasswordDlg::OnClose(wxCloseEvent& /*event*/)
{
    m_wait.Drop();
    // The opener destroys the dialog once ShowModal returns.
    if(IsModal()) {
        EndModal(m_succeeded ? wxID_OK : wxID_CANCEL);
    } else {
        Hide();
    }
}

void ModifyPasswordDlg::OnPluginUnplug(wxCommandEvent& event)
{
    event.Skip(); // other windows close too
    m_wait.Drop();
    if(IsModal()) {
        EndModal(wxID_CANCEL);
    }
}
