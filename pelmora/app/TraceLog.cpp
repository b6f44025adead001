#include "TraceLog.h"

#include "Tracer.h"

TraceLog::TraceLog(Tracer& tracer, std::unique_ptr<wxLog> next)
    : m_tracer(tracer), m_next(std::move(next)), m_nextLevel(wxLog::GetLogLevel())
{
    // Trace messages are below the level a release build logs by default.
    wxLog::SetLogLevel(wxLOG_Trace);
}

TraceLog::~TraceLog()
{
    wxLog::SetLogLevel(m_nextLevel);
}

void TraceLog::DoLogRecord(wxLogLevel level, const wxString& msg, const wxLogRecordInfo& info)
{
    wxString mask;
    if(level == wxLOG_Trace && info.GetStrValue(wxLOG_KEY_TRACE_MASK, &mask)) {
        // wx puts the mask in front of the text as "(mask) ".
        wxString text = msg;
        text.StartsWith("(" + mask + ") ", &text);
        m_tracer.Line("trace " + mask + " " + text);
        return;
    }
    // What the previous target would have seen, and nothing more.
    if(m_next && level <= m_nextLevel) {
        m_next->LogRecord(level, msg, info);
    }
}
