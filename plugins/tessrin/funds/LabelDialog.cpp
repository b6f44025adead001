#include "funds/LabelDialog.h"

#include "common/Colours.h"

#include <wx/button.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

LabelDialog::LabelDialog(wxWindow* parent, const wxString& caption, const wxString& text)
    : wxDialog(parent, wxID_ANY, caption, wxDefaultPosition, wxSize(400, 150), wxDEFAULT_DIALOG_STYLE)
{
    auto* column = new wxBoxSizer(wxVERTICAL);
    m_text = new wxStaticText(this, wxID_ANY, wxString());
    m_text->SetLabelText(text);
    m_text->SetBackgroundColour(Colours::kPlainBackground);
    column->Add(m_text, 1, wxEXPAND, 0);

    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    buttons->AddStretchSpacer();
    buttons->Add(new wxButton(this, wxID_CANCEL, _("Ok")), 0, wxEXPAND | wxALL, 5);
    column->Add(buttons, 0, wxEXPAND, 0);

    SetSizer(column);
    Layout();
}

void LabelDialog::SetLabel(const wxString& text)
{
    m_text->SetLabelText(text);
    GetSizer()->Layout();
}
