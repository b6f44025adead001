#pragma once

#include "frame/IdleLockMonitor.h"
#include "frame/UserActivityFilter.h"

#include <wx/buffer.h>
#include <wx/event.h>
#include <wx/string.h>

class HostManager;

// When and how the screen locks: the digest of the password of the last
// login (nothing locks before one), the user's activity seen application
// wide, the idle check on every idle event, and the modal lock screen that
// asks for that password. GUI thread only.
class LockScreenFlow
{
public:
    // The idle check posts its lock request on `poster`, which passes it to
    // the application object.
    LockScreenFlow(HostManager* manager, wxEvtHandler& poster);
    ~LockScreenFlow();
    LockScreenFlow(const LockScreenFlow&) = delete;
    LockScreenFlow& operator=(const LockScreenFlow&) = delete;

    // The idle, activity and lock handlers on the application object; both
    // may be repeated.
    void Connect();
    void Disconnect();

    // The password the lock screen will ask for.
    void SetPassword(const wxString& password);
    // Menu command "lockScreen": nothing before the first login or while the
    // screen is locked.
    void OnLockScreen(wxCommandEvent& event);
    bool IsLocked() const { return m_idleLock.IsLocked(); }
    // The clock of the idle lock; tests move it by hand.
    void SetIdleClock(IdleLockMonitor::Clock clock);

private:
    void OnUserActivity(wxMouseCaptureChangedEvent& event);
    void OnAppIdle(wxIdleEvent& event);
    void OnIdleTimeShowLockScreenDlg(wxCommandEvent& event);
    bool HasPasswordDigest() const;
    void ShowLockScreen();

    HostManager* m_mgr;
    wxEvtHandler& m_poster;
    wxMemoryBuffer m_passwordDigest{16};
    IdleLockMonitor m_idleLock; // last activity and whether the screen is locked
    UserActivityFilter m_activityFilter{[this] { m_idleLock.OnActivity(); }};
    bool m_connected = false;
};
