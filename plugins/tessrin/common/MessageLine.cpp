#include "common/MessageLine.h"

#include "common/Colours.h"
#include "common/IClientPlugin.h"
#include "common/ModalMessageBox.h"
#include "common/TessrinConfig.h"
#include "connection/Client.h"
#include "connection/ErrorTextTable.h"
#include "db/DateTimeText.h"

#include <wx/intl.h>
#include <wx/textctrl.h>
#include <wx/toplevel.h>

MessageLine::MessageLine(wxTextCtrl* line, const wxString& caption, BoxRule rule)
    : m_line(line), m_caption(caption), m_rule(rule),
      m_box([line](const wxString& message, const wxString& boxCaption) {
          // Over the window it speaks for, not wherever the screen's middle is.
          ModalMessageBox::Show(message, boxCaption, wxOK | wxCENTRE,
                                line ? wxGetTopLevelParent(line) : nullptr);
      }),
      m_clock([] { return wxDateTime::Now(); })
{}

wxDateTime MessageLine::Show(const wxString& text, int code, bool allowBox, bool showLine)
{
    const wxString shown = text.empty() ? GetErrorText(code) : text;
    const wxDateTime now = m_clock();
    const wxString message = Format(now, shown, code);
    if(m_rule == eBoxWhenConfigured && allowBox && IsBoxConfigured()) {
        // Good news is no error: a notice has a notice's caption.
        m_box(message, code == 0 ? _("NoticeMessage") : m_caption);
    } else if(showLine && m_line) {
        m_line->SetForegroundColour(Colours::MessageText(code == 0));
        m_line->ChangeValue(message);
        WidenLineFor(message);
        // From its first character: a line scrolled to its end cuts the start.
        m_line->SetInsertionPoint(0);
        m_line->ShowPosition(0);
    }
    return now + wxTimeSpan::Seconds(kShowSeconds);
}

void MessageLine::WidenLineFor(const wxString& message)
{
    // A wider minimum makes a window that fits its contents show the whole
    // message; the line never narrows, so the window does not jump.
    const wxSize minimum = m_line->GetMinSize();
    const int wanted = m_line->GetSizeFromTextSize(m_line->GetTextExtent(message).x).x;
    if(wanted > minimum.x) {
        m_line->SetMinSize(wxSize(wanted, minimum.y));
    }
}

void MessageLine::Clear()
{
    if(m_line) {
        m_line->Clear();
    }
}

wxString MessageLine::Format(const wxDateTime& when, const wxString& text, int code)
{
    if(code == kOwnCode) {
        return wxString::Format("[%s]%s", FormatTime(when), text);
    }
    return wxString::Format("[%s]%s[%d]", FormatTime(when), text, code);
}

bool MessageLine::IsBoxConfigured()
{
    return TessrinConfig(g_plugin ? g_plugin->GetConfig() : nullptr).IsShowErrMsgBox();
}

wxString MessageLine::UnsentText(const wxString& failure)
{
    if(!g_plugin) {
        return failure; // no link to tell of
    }
    Client* client = g_plugin->GetClient().get();
    if(client && client->GetTradeConnecter().GetStatus() == eLS_LoginSuccess) {
        return failure;
    }
    return failure + " " + _("The trade server is not connected.");
}
