#include "funds/ErrMsgBox.h"

#include "common/MessageLine.h"
#include "connection/ErrorTextTable.h"
#include "db/DateTimeText.h"

#include <wx/intl.h>

ErrMsgBox::ErrMsgBox() : m_box(DialogPrompts::Native().box), m_clock([] { return wxDateTime::Now(); }) {}

wxString ErrMsgBox::ShowErrMsgBox(const wxString& text, int code, Outcome outcome)
{
    if(!IsShown(outcome, MessageLine::IsBoxConfigured())) {
        return wxString();
    }
    const wxString shown = text.empty() ? GetErrorText(code) : text;
    // A success is no error, and its code tells the trader nothing.
    const bool success = outcome == eSuccess;
    const wxString line = success ? wxString::Format("[%s]%s", FormatTime(m_clock()), shown)
                                  : MessageLine::Format(m_clock(), shown, code);
    if(m_box) {
        m_box(line, success ? _("NoticeMessage") : _("ErrorMessage"));
    }
    return line;
}
