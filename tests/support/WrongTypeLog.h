#pragma once
// Counts the data-view control's wrong-type diagnostics (a cell value of
// another type than its renderer takes) while it is alive; every level is
// let through meanwhile.
//
//     WrongTypeLog log;
//     PaintTheRows();
//     EXPECT_EQ(log.wrongTypes, 0);
#include <wx/log.h>

class WrongTypeLog : public wxLog
{
public:
    WrongTypeLog() : m_previous(wxLog::SetActiveTarget(this)), m_level(wxLog::GetLogLevel())
    {
        wxLog::SetLogLevel(wxLOG_Max);
    }
    ~WrongTypeLog() override
    {
        wxLog::SetLogLevel(m_level);
        wxLog::SetActiveTarget(m_previous);
    }

    int wrongTypes = 0;

protected:
    void DoLogTextAtLevel(wxLogLevel, const wxString& msg) override
    {
        if(msg.Contains("Wrong type")) {
            ++wrongTypes;
        }
    }

private:
    wxLog* m_previous;
    wxLogLevel m_level;
};
