#pragma once

#include <wx/dialog.h>

class wxStaticText;

// A small modal wait window: one text and an "Ok" button that ends the wait
// (it carries the cancel id, as does the close box).
class LabelDialog : public wxDialog
{
public:
    LabelDialog(wxWindow* parent, const wxString& caption, const wxString& text);

    // Shows the text literally: an ampersand is shown, not a mnemonic.
    void SetLabel(const wxString& text) override;

private:
    wxStaticText* m_text;
};
