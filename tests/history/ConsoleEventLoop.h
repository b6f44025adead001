#pragma once
// An event loop of the headless test's own, active while the object lives,
// so that wx timers fire and queued events arrive in a console program.
// Every wait is bounded.
//
//     ConsoleEventLoop loop;
//     ASSERT_TRUE(loop.RunUntil([&] { return done; }));
#include <chrono>
#include <functional>
#include <memory>
#include <wx/app.h>
#include <wx/apptrait.h>
#include <wx/evtloop.h>

class ConsoleEventLoop
{
public:
    ConsoleEventLoop()
        : m_loop(wxAppConsole::GetInstance()->GetTraits()->CreateEventLoop()), m_active(m_loop.get())
    {}

    // True as soon as `done` holds; false when the limit passed first.
    bool RunUntil(const std::function<bool()>& done,
                  std::chrono::milliseconds limit = std::chrono::seconds(5))
    {
        const auto deadline = std::chrono::steady_clock::now() + limit;
        for(;;) {
            wxAppConsole::GetInstance()->ProcessPendingEvents();
            if(done()) {
                return true;
            }
            if(std::chrono::steady_clock::now() >= deadline) {
                return false;
            }
            m_loop->DispatchTimeout(5); // timers fire here
        }
    }
    // For checks that something does not happen.
    void RunFor(std::chrono::milliseconds duration)
    {
        RunUntil([] { return false; }, duration);
    }

private:
    std::unique_ptr<wxEventLoopBase> m_loop;
    wxEventLoopActivator m_active;
};
