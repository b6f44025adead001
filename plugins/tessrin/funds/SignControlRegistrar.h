#pragma once

#include <functional>
#include <platform/ProcessLauncher.h>
#include <wx/string.h>

class wxWindow;

// Registers the bank's signing control: starts the signing tool from the
// host's bin folder and waits in a LabelDialog, testing once a second until
// the control can be created or the eleventh test fails. Reports nothing;
// callers test the control again. GUI thread only.
class SignControlRegistrar
{
public:
    static constexpr int kTimerId = 7788;
    static constexpr int kIntervalMs = 1000;

    using InstalledCheck = std::function<bool()>;
    // Tells the trader that the wait failed, over the wait window.
    using FailureNotice = std::function<void(wxWindow* parent, const wxString& text)>;

    explicit SignControlRegistrar(ProcessLauncher& launcher);

    // Starts the tool, then runs the modal wait.
    void Run(wxWindow* parent);
    // "<bin folder>/Varnel" with "/n <own pid> /p Regist", verb "runas";
    // a failed start is logged and left to the wait to report.
    ProcessLauncher::Result StartTool();
    void Wait(wxWindow* parent);

    static wxString ToolPath();

    // Tests shorten the interval and replace the check and the notice.
    void SetIntervalMs(int intervalMs) { m_intervalMs = intervalMs; }
    void SetInstalledCheck(InstalledCheck check) { m_installed = std::move(check); }
    void SetFailureNotice(FailureNotice notice) { m_notice = std::move(notice); }

private:
    ProcessLauncher& m_launcher;
    int m_intervalMs = kIntervalMs;
    InstalledCheck m_installed;
    FailureNotice m_notice;
};
