#pragma once
// Stands in for the user at modal dialogs, so that no test waits for a click
// that never comes. Every modal dialog (native message boxes included) is
// recorded. A scripted answer decides the next dialog it matches: it may fill
// the dialog's fields and return the button id without showing it, or return
// wxID_NONE to let it show. Message boxes and text prompts without a script
// get the default answer (wxID_CANCEL unless set); other dialogs show as
// usual. The TestBed keeps one registered for its whole life.
//
//     bed.Dialogs().Answer([](wxDialog& dialog) {
//         static_cast<wxTextEntryDialog&>(dialog).SetValue("135790");
//         return wxID_OK;
//     });
//     ... the plug-in prompts for the bank password ...
//     EXPECT_EQ(bed.Dialogs().Seen().back().title, "Bank Password");
#include <deque>
#include <functional>
#include <vector>
#include <wx/modalhook.h>
#include <wx/string.h>

class wxDialog;

class DialogScript : public wxModalDialogHook
{
public:
    struct Record
    {
        wxString className; // the dialog's C++ class, e.g. "LockScreen"
        wxString title;
        wxString message; // of a message box
        int answer;       // what the script returned; wxID_NONE when shown
    };
    using Reply = std::function<int(wxDialog& dialog)>;
    using Match = std::function<bool(wxDialog& dialog)>;

    DialogScript();
    ~DialogScript() override;
    DialogScript(const DialogScript&) = delete;
    DialogScript& operator=(const DialogScript&) = delete;

    // Answers the next dialog that `match` accepts (by default every dialog).
    // Scripts are used once, in order.
    void Answer(Reply reply, Match match = Match());
    void AnswerWith(int id, Match match = Match());
    // For message boxes and text prompts without a script; wxID_NONE shows them.
    void SetDefaultAnswer(int id) { m_defaultAnswer = id; }
    std::size_t PendingScripts() const { return m_scripts.size(); }

    const std::vector<Record>& Seen() const { return m_seen; }
    // Dialogs seen whose class name is `className`.
    std::size_t CountSeen(const wxString& className) const;
    // The C++ class name of a dialog object, demangled.
    static wxString ClassNameOf(const wxDialog& dialog);

protected:
    int Enter(wxDialog* dialog) override;

private:
    struct Script
    {
        Reply reply;
        Match match;
    };

    std::deque<Script> m_scripts;
    std::vector<Record> m_seen;
    int m_defaultAnswer;
};
