#pragma once

#include "funds/DialogPrompts.h"

#include <functional>
#include <wx/datetime.h>
#include <wx/string.h>

// The message routine of the transfer, main-account and surety-money
// dialogs, which have no message line: a failure as "[hh:mm:ss]text[code]"
// in a box captioned "ErrorMessage", always; a success as "[hh:mm:ss]text"
// captioned "NoticeMessage", only while "showErrMsgBox" is on (the dialog
// closes anyway). GUI thread only.
class ErrMsgBox
{
public:
    enum Outcome { eFailure, eSuccess };
    using Clock = std::function<wxDateTime()>;

    ErrMsgBox();

    // An empty text is the error-table text of the code. Returns the line
    // shown, or an empty text when nothing was shown.
    wxString ShowErrMsgBox(const wxString& text, int code, Outcome outcome = eFailure);
    static bool IsShown(Outcome outcome, bool boxConfigured) { return outcome == eFailure || boxConfigured; }

    void SetBox(DialogPrompts::Box box) { m_box = std::move(box); }
    void SetClock(Clock clock) { m_clock = std::move(clock); }

private:
    DialogPrompts::Box m_box;
    Clock m_clock;
};
