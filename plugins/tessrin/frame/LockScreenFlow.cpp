#include "frame/LockScreenFlow.h"

#include "common/SettingsAccessors.h"
#include "frame/LockScreen.h"
#include "frame/Md5Digest.h"
#include "frame/PasswordDigest.h"

#include <pelmora/HostManager.h>
#include <utility>
#include <wx/app.h>
#include <wx/frame.h>
#include <wx/log.h>

LockScreenFlow::LockScreenFlow(HostManager* manager, wxEvtHandler& poster) : m_mgr(manager), m_poster(poster)
{}

LockScreenFlow::~LockScreenFlow()
{
    Disconnect();
}

void LockScreenFlow::Connect()
{
    if(m_connected || !wxTheApp) {
        return;
    }
    wxTheApp->Bind(wxEVT_IDLE, &LockScreenFlow::OnAppIdle, this);
    wxTheApp->Bind(wxEVT_MOUSE_CAPTURE_CHANGED, &LockScreenFlow::OnUserActivity, this);
    wxTheApp->Bind(wxEVT_SHOW_LOCK_SCREEN, &LockScreenFlow::OnIdleTimeShowLockScreenDlg, this);
    // Clicks and keys on native controls bring no capture change here.
    m_activityFilter.Install();
    m_connected = true;
}

void LockScreenFlow::Disconnect()
{
    if(!m_connected) {
        return;
    }
    m_activityFilter.Remove();
    if(wxTheApp) {
        wxTheApp->Unbind(wxEVT_IDLE, &LockScreenFlow::OnAppIdle, this);
        wxTheApp->Unbind(wxEVT_MOUSE_CAPTURE_CHANGED, &LockScreenFlow::OnUserActivity, this);
        wxTheApp->Unbind(wxEVT_SHOW_LOCK_SCREEN, &LockScreenFlow::OnIdleTimeShowLockScreenDlg, this);
    }
    m_connected = false;
}

void LockScreenFlow::SetPassword(const wxString& password)
{
    m_passwordDigest = PasswordDigest(password);
}

void LockScreenFlow::SetIdleClock(IdleLockMonitor::Clock clock)
{
    m_idleLock.SetClock(std::move(clock));
}

bool LockScreenFlow::HasPasswordDigest() const
{
    return m_passwordDigest.GetDataLen() == kMd5DigestSize;
}

void LockScreenFlow::OnUserActivity(wxMouseCaptureChangedEvent& event)
{
    m_idleLock.OnActivity();
    event.Skip();
}

void LockScreenFlow::OnAppIdle(wxIdleEvent& event)
{
    event.Skip();
    wxFrame* frame = m_mgr ? m_mgr->GetMainFrame() : nullptr;
    if(!frame || !frame->IsShown()) {
        return;
    }
    // Nobody has logged in yet: there is no password to unlock with.
    if(!HasPasswordDigest()) {
        return;
    }
    if(m_idleLock.CheckIdle(GetLockScreenInterval())) {
        wxCommandEvent lock(wxEVT_SHOW_LOCK_SCREEN, 0);
        m_poster.AddPendingEvent(lock);
    }
}

void LockScreenFlow::OnIdleTimeShowLockScreenDlg(wxCommandEvent& event)
{
    wxUnusedVar(event);
    wxLogGeneric(wxLOG_User, "OnIdleTimeShowLockScreenDlg");
    if(m_idleLock.IsLocked()) {
        ShowLockScreen();
    }
}

void LockScreenFlow::OnLockScreen(wxCommandEvent& event)
{
    wxUnusedVar(event);
    if(!HasPasswordDigest() || !m_idleLock.TryLock()) {
        return;
    }
    ShowLockScreen();
}

void LockScreenFlow::ShowLockScreen()
{
    LockScreen dialog(m_passwordDigest);
    dialog.ShowModal();
    m_idleLock.Unlock();
}
