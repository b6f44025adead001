#pragma once
// Bounded waits on the GUI thread: run the application's pending events until
// a condition holds or the time is up. Works in GUI test programs (a wxApp)
// and in headless ones (a console application object).
//
//     ASSERT_TRUE(PumpUntil([&] { return table.size() == 4; }));
//     ASSERT_TRUE(PumpUntil([&] { return done; }, std::chrono::seconds(15)));
//     PumpFor(std::chrono::milliseconds(100)); // a second event would show up here
#include <chrono>
#include <functional>
#include <wx/app.h>
#include <wx/utils.h>

// Runs what is pending once: queued events, then, in a GUI program, what the
// display has sent.
inline void PumpEvents()
{
    wxAppConsole* app = wxAppConsole::GetInstance();
    if(!app) {
        return;
    }
    app->ProcessPendingEvents();
    if(app->IsGUI()) {
        app->Yield(true);
    }
}

// True as soon as `done` holds (it is asked before every round); false when
// `limit` passed first. The default is meant for a machine other programs
// keep busy: only a fault waits that long.
inline bool PumpUntil(const std::function<bool()>& done,
                      std::chrono::milliseconds limit = std::chrono::seconds(20))
{
    const auto deadline = std::chrono::steady_clock::now() + limit;
    for(;;) {
        PumpEvents();
        if(done()) {
            return true;
        }
        if(std::chrono::steady_clock::now() >= deadline) {
            return false;
        }
        wxMilliSleep(2);
    }
}

// Runs events for the whole duration: for checks that something does not
// happen, never to wait for something that should.
inline void PumpFor(std::chrono::milliseconds duration)
{
    PumpUntil([] { return false; }, duration);
}
