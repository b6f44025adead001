#include "funds/ErrMsgBox.h"

#include "common/MessageLine.h"
#include "connection/ErrorTextTable.h"

#include <wx/intl.h>

ErrMsgBox::ErrMsgBox() : m_box(DialogPrompts::Native().box), m_clock([] { return wxDateTime::Now(); }) {}

wxString ErrMsgBox::ShowErrMsgBox(const wxString& text, int code, Outcome outcome)
{
    if(!IsShown(outcome, MessageLine::IsBoxConfigured())) {
        return wxString();
    }
    const wxString line = MessageLine::Format(m_clock(), text.empty() ? GetErrorText(code) : text, code);
    if(m_box) {
        m_box(line, _("ErrorMessage"));
    }
    return line;
}
