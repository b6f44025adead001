#pragma once

#include <chrono>
#include <functional>
#include <pelmora/Job.h>
#include <vector>
#include <wx/app.h>
#include <wx/event.h>
#include <wx/utils.h>

// The owner of jobs under test: records every job-status event it gets.
class JobEventRecorder : public wxEvtHandler
{
public:
    struct Record
    {
        bool answered; // wxEVT_CMD_JOB_STATUS, else the no-answer event
        wxString text;
        long extraLong;
        int id;
    };

    JobEventRecorder()
    {
        Bind(wxEVT_CMD_JOB_STATUS, [this](wxCommandEvent& e) {
            m_records.push_back({true, e.GetString(), e.GetExtraLong(), e.GetInt()});
        });
        Bind(wxEVT_CMD_JOB_STATUS_VOID_PTR, [this](wxCommandEvent& e) {
            m_records.push_back({false, e.GetString(), e.GetExtraLong(), e.GetInt()});
        });
    }

    const std::vector<Record>& Records() const { return m_records; }

    // Delivers queued events until one has arrived or the limit has passed.
    bool WaitForEvent(std::chrono::milliseconds limit = std::chrono::seconds(10))
    {
        return PumpUntil([this] { return !m_records.empty(); }, limit);
    }

    static bool PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds limit)
    {
        const auto end = std::chrono::steady_clock::now() + limit;
        for(;;) {
            // The headless test main runs a console application, not a wxApp.
            wxAppConsole::GetInstance()->ProcessPendingEvents();
            if(done()) {
                return true;
            }
            if(std::chrono::steady_clock::now() >= end) {
                return false;
            }
            wxMilliSleep(5);
        }
    }

private:
    std::vector<Record> m_records;
};
