#include "common/EndsWithLogin.h"

#include <wx/app.h>
#include <wx/dialog.h>

wxDEFINE_EVENT(wxEVT_PLUGIN_LOGIN_ENDED, wxCommandEvent);

EndsWithLogin::EndsWithLogin(wxDialog& dialog) : m_dialog(dialog)
{
    wxTheApp->Bind(wxEVT_PLUGIN_LOGIN_ENDED, &EndsWithLogin::OnLoginEnded, this);
}

EndsWithLogin::~EndsWithLogin()
{
    if(wxTheApp) {
        wxTheApp->Unbind(wxEVT_PLUGIN_LOGIN_ENDED, &EndsWithLogin::OnLoginEnded, this);
    }
}

void EndsWithLogin::Announce()
{
    if(wxTheApp) {
        wxCommandEvent ended(wxEVT_PLUGIN_LOGIN_ENDED);
        wxTheApp->ProcessEvent(ended);
    }
}

void EndsWithLogin::OnLoginEnded(wxCommandEvent& event)
{
    event.Skip(); // every such dialog ends
    if(m_dialog.IsModal()) {
        m_dialog.EndModal(wxID_CANCEL);
    } else if(m_dialog.IsShown()) {
        m_dialog.Close(true);
    }
}
