#pragma once

#include <deque>
#include <memory>
#include <vector>
#include <wx/event.h>
#include <wx/longlong.h>
#include <wx/timer.h>

class InOutPageHost;
class RecordStore;
class wxWindow;
struct am_AmountInOut;

// Opens the bank page of a money movement. The account's pay port must be
// known, and the address a web address (any other opens nothing, logged). A pay port "Ostrel" needs the
// bank's signing control: without it the control is registered first and tested again a second later (from a
// timer; the GUI keeps running); still missing, the page goes to the bank's
// browser, else, as for every other pay port, to the plug-in's opener.
// A movement is always looked up again by id after a wait, and opens only
// while it is stored with the same address. GUI thread only.
class InOutPageOpener : public wxEvtHandler
{
public:
    static constexpr int kRecheckDelayMs = 1000;
    static constexpr const char* kSigningPayPort = "Ostrel";

    // `host` outlives the opener.
    InOutPageOpener(RecordStore* db, InOutPageHost& host);
    ~InOutPageOpener() override;
    InOutPageOpener(const InOutPageOpener&) = delete;
    InOutPageOpener& operator=(const InOutPageOpener&) = delete;

    // `parent` (may be null) is the registration wait's.
    void OpenInOutPage(wxWindow* parent, const am_AmountInOut& row);
    // After the event being handled: opens the movement's page if it is still
    // stored with that address; nothing once it is gone or changed.
    void QueueOpening(int inOutId, const wxString& url);

    // Movements waiting for the second test of the control.
    size_t GetPendingCount() const { return m_pending.size(); }
    void SetRecheckDelayMs(int delayMs) { m_recheckDelayMs = delayMs; }

private:
    struct Pending
    {
        int inOutId;
        wxString url;
        wxLongLong dueMs;
    };

    // The stored movement of that id while its address is `url`; else null.
    const am_AmountInOut* FindCurrent(int inOutId, const wxString& url) const;
    void OpenIfCurrent(int inOutId, const wxString& url);
    void Register(wxWindow* parent, const am_AmountInOut& row);
    void ScheduleRecheck(int inOutId, const wxString& url);
    void ArmTimer();
    void OnRecheck(wxTimerEvent& event);
    void Recheck(const Pending& pending);

    RecordStore* m_db;
    InOutPageHost& m_host;
    wxTimer m_recheck;
    std::deque<Pending> m_pending; // in due order
    // Openings that arrive while a registration waits: tested after it.
    std::vector<std::pair<int, wxString>> m_duringRegistration;
    bool m_registering = false;
    int m_recheckDelayMs = kRecheckDelayMs;
    // Gone with the opener: a modal wait can outlive it.
    std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);
};
