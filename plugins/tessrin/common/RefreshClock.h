#pragma once

#include <vector>
#include <wx/event.h>
#include <wx/timer.h>

// The shared clock on which windows repaint what prices change: a window
// with changes asks for the next tick and is called once there. Ticks come
// at most every kPeriodMs (20 a second) and only while a window waits, so a
// flood of prices costs one repaint per tick and an idle terminal never
// wakes for the clock. GUI thread only.
class RefreshClock : public wxEvtHandler
{
public:
    static constexpr int kPeriodMs = 50;

    // What waits for a tick. It cancels its request before it goes.
    class Client
    {
    public:
        virtual void OnRefreshTick() = 0;

    protected:
        ~Client() = default;
    };

    RefreshClock();
    ~RefreshClock() override;
    RefreshClock(const RefreshClock&) = delete;
    RefreshClock& operator=(const RefreshClock&) = delete;

    // The client is called once at the next tick; asking again before it
    // costs nothing.
    void Request(Client* client);
    // Forgets the client's request.
    void Cancel(Client* client);
    bool IsWaiting(const Client* client) const;
    bool IsRunning() const { return m_timer.IsRunning(); }
    // Calls every waiting client now.
    void Tick();

private:
    void OnTimer(wxTimerEvent& event);

    wxTimer m_timer;
    std::vector<Client*> m_waiting;
    std::vector<Client*> m_ticking; // the clients of the tick running now
};

// The plug-in's refresh clock; null without a plug-in (windows then repaint
// at once).
RefreshClock* PluginRefreshClock();
