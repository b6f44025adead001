#pragma once

#include <functional>
#include <wx/datetime.h>
#include <wx/string.h>

class wxTextCtrl;

// The message routine of the order windows: "[hh:mm:ss]text[code]" in a
// message box or on the window's message line (blue for code 0, red
// otherwise), kept for five seconds. The caption and whether a box may be
// used at all belong to each window; whether it is used also follows the
// plug-in configuration's "showErrMsgBox". A message on the line widens the
// line's minimum to the message. GUI thread only.
class MessageLine
{
public:
    enum BoxRule {
        eBoxWhenConfigured, // a box when the caller allows it and "showErrMsgBox" is on
        eLineOnly,          // never a box
    };
    using BoxFunction = std::function<void(const wxString& message, const wxString& caption)>;
    using Clock = std::function<wxDateTime()>;

    static constexpr int kShowSeconds = 5;
    // The code of a message the client makes itself: it tells the trader
    // nothing and is not shown.
    static constexpr int kOwnCode = -1;

    // `line` may be null (a window without a message line).
    MessageLine(wxTextCtrl* line, const wxString& caption, BoxRule rule = eBoxWhenConfigured);

    // Shows the message and returns until when it stays: now plus five
    // seconds. An empty text is the error-table text of the code. A box of
    // code 0 (a notice) is captioned "NoticeMessage".
    wxDateTime Show(const wxString& text, int code, bool allowBox, bool showLine);
    // Empties the message line.
    void Clear();

    // "[%s]%s[%d]" with the time as "%H:%M:%S"; "[%s]%s" for kOwnCode.
    static wxString Format(const wxDateTime& when, const wxString& text, int code);
    static bool IsBoxConfigured();
    // The text of a request that could not be sent: `failure`, and that the
    // trade link is down when the plug-in is not logged in to it (without a
    // plug-in, `failure` alone).
    static wxString UnsentText(const wxString& failure);

    const wxString& GetCaption() const { return m_caption; }
    // A modal box over the line's window unless replaced (tests record instead).
    void SetBoxFunction(BoxFunction box) { m_box = std::move(box); }
    void SetClock(Clock clock) { m_clock = std::move(clock); }

private:
    void WidenLineFor(const wxString& message);

    wxTextCtrl* m_line; // owned by the window
    wxString m_caption;
    BoxRule m_rule;
    BoxFunction m_box;
    Clock m_clock;
};
