#include "common/SettingsAccessors.h"
#include "frame/LockScreen.h"
#include "frame/Md5Digest.h"
#include "frame/TessrinPlugin.h"

#include <utility>
#include <wx/app.h>
#include <wx/frame.h>
#include <wx/log.h>

void TessrinPlugin::ConnectAppHandlers()
{
    if(m_appHandlersConnected || !wxTheApp) {
        return;
    }
    wxTheApp->Bind(wxEVT_KEY_UP, &TessrinPlugin::OnKeyUp, this);
    wxTheApp->Bind(wxEVT_IDLE, &TessrinPlugin::OnAppIdle, this);
    wxTheApp->Bind(wxEVT_MOUSE_CAPTURE_CHANGED, &TessrinPlugin::OnUserActivity, this);
    wxTheApp->Bind(wxEVT_SHOW_LOCK_SCREEN, &TessrinPlugin::OnIdleTimeShowLockScreenDlg, this);
    // Clicks and keys on native controls bring no capture change here.
    m_activityFilter.Install();
    m_appHandlersConnected = true;
}

void TessrinPlugin::DisconnectAppHandlers()
{
    if(!m_appHandlersConnected) {
        return;
    }
    m_activityFilter.Remove();
    if(wxTheApp) {
        wxTheApp->Unbind(wxEVT_KEY_UP, &TessrinPlugin::OnKeyUp, this);
        wxTheApp->Unbind(wxEVT_IDLE, &TessrinPlugin::OnAppIdle, this);
        wxTheApp->Unbind(wxEVT_MOUSE_CAPTURE_CHANGED, &TessrinPlugin::OnUserActivity, this);
        wxTheApp->Unbind(wxEVT_SHOW_LOCK_SCREEN, &TessrinPlugin::OnIdleTimeShowLockScreenDlg, this);
    }
    m_appHandlersConnected = false;
}

void TessrinPlugin::SetIdleClock(IdleLockMonitor::Clock clock)
{
    m_idleLock.SetClock(std::move(clock));
}

bool TessrinPlugin::HasPasswordDigest() const
{
    return m_passwordDigest.GetDataLen() == kMd5DigestSize;
}

void TessrinPlugin::OnUserActivity(wxMouseCaptureChangedEvent& event)
{
    m_idleLock.OnActivity();
    event.Skip();
}

void TessrinPlugin::OnAppIdle(wxIdleEvent& event)
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
        AddPendingEvent(lock);
    }
}

void TessrinPlugin::OnIdleTimeShowLockScreenDlg(wxCommandEvent& event)
{
    wxUnusedVar(event);
    wxLogGeneric(wxLOG_User, "OnIdleTimeShowLockScreenDlg");
    if(m_idleLock.IsLocked()) {
        ShowLockScreen();
    }
}

void TessrinPlugin::OnLockScreen(wxCommandEvent& event)
{
    wxUnusedVar(event);
    if(!HasPasswordDigest() || !m_idleLock.TryLock()) {
        return;
    }
    ShowLockScreen();
}

void TessrinPlugin::ShowLockScreen()
{
    LockScreen dialog(m_passwordDigest);
    dialog.ShowModal();
    m_idleLock.Unlock();
}
