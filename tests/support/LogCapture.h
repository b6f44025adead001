#pragma once
// Collects the wx log lines written while it is alive, without time stamps.
//
//     LogCapture log;
//     DoSomething();
//     EXPECT_TRUE(log.Contains("Cannot save the screenshot x.png"));
#include <string>
#include <vector>
#include <wx/log.h>

class LogCapture : public wxLog
{
public:
    LogCapture() : m_previous(wxLog::SetActiveTarget(this)) {}
    ~LogCapture() override { wxLog::SetActiveTarget(m_previous); }

    std::vector<std::string> lines;
    std::vector<wxLogLevel> levels;

    bool Contains(const std::string& line) const
    {
        for(const std::string& l : lines) {
            if(l == line) {
                return true;
            }
        }
        return false;
    }

protected:
    void DoLogRecord(wxLogLevel level, const wxString& message, const wxLogRecordInfo&) override
    {
        lines.push_back(message.utf8_string());
        levels.push_back(level);
    }

private:
    wxLog* m_previous;
};
