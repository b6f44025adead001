#include "history/NoticeTipDialog.h"

#include "history/NoticeTipProvider.h"

#include <wx/arrstr.h>
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/display.h>
#include <wx/intl.h>
#include <wx/richtext/richtextctrl.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

namespace {
constexpr int kHeadingFontSize = 14;
} // namespace

NoticeTipDialog::NoticeTipDialog(wxWindow* parent, NoticeTipProvider* tips, bool showAtStartup)
    : wxDialog(parent, wxID_ANY, _("Notice message"), wxDefaultPosition, wxDefaultSize,
               wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER),
      m_tips(tips)
{
    m_text = new wxRichTextCtrl(this, wxID_ANY, wxEmptyString, wxDefaultPosition, wxDefaultSize,
                                wxRE_READONLY | wxRE_MULTILINE);
    m_startup = new wxCheckBox(this, wxID_ANY, _("&Show notices at startup"));
    m_startup->SetValue(showAtStartup);
    m_counter = new wxStaticText(this, wxID_ANY, "0 / 0");
    m_prev = new wxButton(this, wxID_ANY, _("&Prev Tip"));
    m_next = new wxButton(this, wxID_ANY, _("&Next Tip"));
    m_close = new wxButton(this, kCloseId, _("&Close Tip"));
    // The close box and Escape click this button too, so a closing by hand
    // always ends the dialog with kCloseId.
    SetAffirmativeId(kCloseId);

    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    buttons->Add(m_startup, 0, wxALIGN_CENTER_VERTICAL);
    buttons->AddStretchSpacer();
    buttons->Add(m_counter, 0, wxALIGN_CENTER_VERTICAL | wxLEFT, 10);
    buttons->Add(m_prev, 0, wxLEFT, 10);
    buttons->Add(m_next, 0, wxLEFT, 10);
    buttons->Add(m_close, 0, wxLEFT, 10);
    auto* top = new wxBoxSizer(wxVERTICAL);
    top->Add(m_text, 1, wxEXPAND | wxLEFT | wxRIGHT, 5);
    top->Add(buttons, 0, wxEXPAND | wxALL, 10);
    SetSizer(top);

    m_prev->Bind(wxEVT_BUTTON, &NoticeTipDialog::OnPrevTip, this);
    m_next->Bind(wxEVT_BUTTON, &NoticeTipDialog::OnNextTip, this);
    Bind(wxEVT_INIT_DIALOG, &NoticeTipDialog::OnInitDialog, this);

    SetTipText(m_tips->GetTip());
    m_startup->SetFocus();
}

bool NoticeTipDialog::ShowAtStartup() const
{
    return m_startup->GetValue();
}

void NoticeTipDialog::OnInitDialog(wxInitDialogEvent& event)
{
    wxUnusedVar(event);
    const wxRect screen = wxDisplay(this).GetGeometry();
    SetSize(screen.width / 2, screen.height / 2);
    CentreOnScreen(wxBOTH);
    UpdateButtons();
}

void NoticeTipDialog::OnNextTip(wxCommandEvent& event)
{
    wxUnusedVar(event);
    wxString text;
    if(m_tips->GetNextTip(text)) {
        SetTipText(text);
    }
    UpdateButtons();
}

void NoticeTipDialog::OnPrevTip(wxCommandEvent& event)
{
    wxUnusedVar(event);
    wxString text;
    if(m_tips->GetPrevTip(text)) {
        SetTipText(text);
    }
    UpdateButtons();
}

void NoticeTipDialog::UpdateButtons()
{
    const size_t count = m_tips->GetCount();
    const size_t current = m_tips->GetCurrentIndex();
    const bool atLast = current + 1 >= count;
    m_next->Enable(!atLast);
    m_prev->Enable(current > 0);
    if(atLast) {
        // The focus would stay on a disabled button.
        m_prev->SetFocus();
    }
    m_counter->SetLabel(wxString::Format("%d / %d", static_cast<int>(current + 1), static_cast<int>(count)));
    Layout();
}

void NoticeTipDialog::SetTipText(const wxString& text)
{
    const wxArrayString parts = wxSplit(text, '\n', '\\');
    const wxString heading = parts.empty() ? wxString() : parts[0];

    m_text->SetDefaultStyle(wxRichTextAttr());
    m_text->Freeze();
    m_text->Clear();
    m_text->BeginAlignment(wxTEXT_ALIGNMENT_CENTRE);
    m_text->BeginBold();
    m_text->BeginFontSize(kHeadingFontSize);
    m_text->WriteText(heading);
    m_text->EndFontSize();
    m_text->EndBold();
    m_text->EndAlignment();
    m_text->Newline();
    m_text->Newline();
    m_text->BeginAlignment(wxTEXT_ALIGNMENT_LEFT);
    for(size_t i = 1; i < parts.size(); ++i) {
        m_text->WriteText(parts[i]);
        m_text->Newline();
    }
    m_text->EndAlignment();
    m_text->Thaw();
}
