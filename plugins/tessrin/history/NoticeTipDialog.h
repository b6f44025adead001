#pragma once

#include <wx/dialog.h>

class NoticeTipProvider;
class wxButton;
class wxCheckBox;
class wxRichTextCtrl;
class wxStaticText;

// The bulletins one at a time, like tips of the day: the title as a heading,
// the content below, steps to newer and older ones, a page counter and the
// switch "show at start-up". Shown modally; every way of closing it by hand
// ends it with kCloseId. The opener reads the cursor and the switch
// afterwards and destroys the dialog.
class NoticeTipDialog : public wxDialog
{
public:
    static constexpr int kCloseId = 5001;

    // The cursor stays the caller's and must outlive the dialog.
    NoticeTipDialog(wxWindow* parent, NoticeTipProvider* tips, bool showAtStartup);

    bool ShowAtStartup() const;
    // Writes a tip: the part before the first "\n" as a centred bold heading,
    // each further line as a body line.
    void SetTipText(const wxString& text);

    wxRichTextCtrl* GetTipControl() const { return m_text; }
    wxButton* GetPrevButton() const { return m_prev; }
    wxButton* GetNextButton() const { return m_next; }
    wxStaticText* GetCounter() const { return m_counter; }
    wxCheckBox* GetStartupCheck() const { return m_startup; }

private:
    void OnInitDialog(wxInitDialogEvent& event);
    void OnPrevTip(wxCommandEvent& event);
    void OnNextTip(wxCommandEvent& event);
    void UpdateButtons();

    NoticeTipProvider* m_tips;
    wxRichTextCtrl* m_text;
    wxCheckBox* m_startup;
    wxButton* m_prev;
    wxButton* m_next;
    wxButton* m_close;
    wxStaticText* m_counter;
};
