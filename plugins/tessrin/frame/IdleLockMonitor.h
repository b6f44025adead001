#pragma once

#include <functional>
#include <wx/datetime.h>

// When the screen locks: after the configured seconds without user activity,
// or at once on the lock command; never twice at a time. Knows nothing of
// windows: the plug-in feeds it activity and idle checks and shows the dialog
// when told to. GUI thread only.
class IdleLockMonitor
{
public:
    using Clock = std::function<wxDateTime()>;

    // An empty clock reads the system time.
    explicit IdleLockMonitor(Clock clock = Clock());
    void SetClock(Clock clock);

    // A click, a key or a mouse-capture change: the idle time starts again.
    void OnActivity();

    // The idle check. True when the lock is due now: the screen counts as
    // locked from here on and the idle time starts again. Never due before
    // the first activity, with an interval of 0 (lock off), or while locked.
    bool CheckIdle(long intervalSeconds);

    // The lock command: true when it locks; false while already locked or due.
    bool TryLock();

    // The lock dialog has closed.
    void Unlock();

    bool IsLocked() const { return m_isScreenLocked; }
    const wxDateTime& GetLastActivityTime() const { return m_lastActivityTime; }

private:
    wxDateTime Now() const;

    Clock m_clock;
    wxDateTime m_lastActivityTime; // invalid until the first activity
    bool m_isScreenLocked;
};
