#pragma once

#include "WatchDog.h"

#include <memory>
#include <wx/dialog.h>
#include <wx/timer.h>

class WebPage;

// The signing window: shows the signing page with the registered signing
// controls, runs the script given on the command line once the page has
// loaded and timer 1 has fired, prints the page title and closes. The page's
// questions show in the view, where the user answers them. Timer 2 beats the
// watchdog's heartbeat while the GUI thread keeps dispatching, except while
// the script runs: a question left unanswered ends the tool in the
// watchdog's time.
class MyDialog : public wxDialog
{
public:
    MyDialog();
    ~MyDialog() override;

    void SetScript(const wxString& script) { m_script = script; }

    // The signing page: string-table pieces 104, 105 and 106 joined, base64
    // decoded, read as UTF-8. Empty when a piece is missing or malformed.
    static wxString LoadSignPage();

private:
    void OnInitDialog(wxInitDialogEvent& event);
    void OnTimer(wxTimerEvent& event);
    void SignWhenReady();
    bool RunScriptGuarded(const wxString& script);

    wxString m_script;
    WebPage* m_page = nullptr; // owned by its view, a child of the dialog
    wxTimer m_timer1;
    wxTimer m_timer2;
    std::unique_ptr<WatchDog> m_watchDog;
    bool m_timerDue = false;
    bool m_pageReady = false;
    bool m_signed = false;
    bool m_scriptRunning = false;
    int m_ticksWithoutPage = 0;

    wxDECLARE_EVENT_TABLE();
};
