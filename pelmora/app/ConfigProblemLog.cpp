#include "ConfigProblemLog.h"

#include <cstring>
#include <pelmora/OutputWindow.h>
#include <pelmora/clConfig.h>
#include <wx/intl.h>

ConfigProblemLog::ConfigProblemLog(std::unique_ptr<wxLog> next) : m_next(std::move(next)) {}

ConfigProblemLog::~ConfigProblemLog() = default;

void ConfigProblemLog::SetOutputWindow(OutputWindow* window)
{
    m_window = window;
    std::vector<wxString> waiting;
    waiting.swap(m_waiting);
    for(const wxString& entry : waiting) {
        Show(entry);
    }
}

wxArrayString ConfigProblemLog::TakeErrors()
{
    wxArrayString kept;
    kept.swap(m_kept);
    return kept;
}

void ConfigProblemLog::DoLogRecord(wxLogLevel level, const wxString& msg, const wxLogRecordInfo& info)
{
    const bool settings = info.component && std::strcmp(info.component, clConfig::kLogComponent) == 0;
    if(settings && m_keeping && level <= wxLOG_Error && m_kept.Index(msg) == wxNOT_FOUND) {
        m_kept.Add(msg);
    }
    if(level <= wxLOG_Warning && settings && m_told.insert(msg).second) {
        // Errors are settings that are not kept; warnings, files read in part.
        Show((level == wxLOG_Warning ? _("Settings file") : _("Settings not saved")) + "\n" + msg);
    }
    if(m_next) {
        m_next->LogRecord(level, msg, info);
    }
}

void ConfigProblemLog::Show(const wxString& entry)
{
    if(m_window) {
        m_window->AppendText(entry);
    } else {
        m_waiting.push_back(entry);
    }
}
