#ifndef PELMORA_APP_CONFIGPROBLEMLOG_H
#define PELMORA_APP_CONFIGPROBLEMLOG_H

#include <memory>
#include <set>
#include <vector>
#include <wx/arrstr.h>
#include <wx/log.h>
#include <wx/weakref.h>

class OutputWindow;

// The host's log target above the others: the warnings and errors of the
// configuration files (a settings file that cannot be read, is kept aside or
// cannot be written, clConfig::kLogComponent) also go to the output window,
// each text once per run, so the user learns that settings are not kept.
// Every record goes on to the target this one replaced.
class ConfigProblemLog : public wxLog
{
public:
    explicit ConfigProblemLog(std::unique_ptr<wxLog> next);
    ~ConfigProblemLog() override;

    // Texts logged before there is a window are shown when it is set.
    void SetOutputWindow(OutputWindow* window);
    // From now on (the exit) the errors, each once, are also kept for
    // TakeErrors: the window that shows them is about to close.
    void KeepErrors() { m_keeping = true; }
    wxArrayString TakeErrors();

protected:
    void DoLogRecord(wxLogLevel level, const wxString& msg, const wxLogRecordInfo& info) override;

private:
    // The title line, then the text.
    void Show(const wxString& entry);

    std::unique_ptr<wxLog> m_next;
    wxWeakRef<OutputWindow> m_window;
    std::set<wxString> m_told;
    std::vector<wxString> m_waiting; // entries before there was a window
    bool m_keeping = false;
    wxArrayString m_kept;
};

#endif // PELMORA_APP_CONFIGPROBLEMLOG_H
