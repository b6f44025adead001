#ifndef PELMORA_APP_TRACELOG_H
#define PELMORA_APP_TRACELOG_H

#include <memory>
#include <wx/log.h>

class Tracer;

// The log target while the host traces: wx trace messages (wxLogTrace) of the
// masks the command line enabled become "trace <mask> <text>" lines of the
// trace file; every other record goes on to the target it replaced, at the
// log level that was set before.
class TraceLog : public wxLog
{
public:
    TraceLog(Tracer& tracer, std::unique_ptr<wxLog> next);
    ~TraceLog() override;

protected:
    void DoLogRecord(wxLogLevel level, const wxString& msg, const wxLogRecordInfo& info) override;

private:
    Tracer& m_tracer;
    std::unique_ptr<wxLog> m_next;
    wxLogLevel m_nextLevel;
};

#endif // PELMORA_APP_TRACELOG_H
