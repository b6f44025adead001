#pragma once
// The owner of jobs under test: records every job-status event it gets.
//
//     JobEventRecorder owner;
//     JobQueueSingleton::Instance()->PushJob(std::make_shared<HistoryJob>(&owner, url, 3000, 42));
//     ASSERT_TRUE(owner.WaitForEvent());
//     EXPECT_TRUE(owner.Records().front().answered);
#include "EventPump.h"

#include <chrono>
#include <pelmora/Job.h>
#include <vector>
#include <wx/event.h>

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

    // Delivers queued events until `count` have arrived or the limit has passed.
    bool WaitForEvent(std::chrono::milliseconds limit = std::chrono::seconds(10), std::size_t count = 1)
    {
        return PumpUntil([this, count] { return m_records.size() >= count; }, limit);
    }

private:
    std::vector<Record> m_records;
};
