#pragma once
// Runs the application's pending events until a condition holds or the
// time is up; every wait in these tests is bounded.
#include <chrono>
#include <functional>
#include <wx/app.h>
#include <wx/utils.h>

inline bool PumpUntil(const std::function<bool()>& done, int timeoutMs = 5000)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while(!done()) {
        if(std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        wxTheApp->ProcessPendingEvents();
        wxTheApp->Yield(true);
        wxMilliSleep(2);
    }
    return true;
}
