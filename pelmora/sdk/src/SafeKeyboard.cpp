#include "pelmora/SafeKeyboard.h"

#include <wx/button.h>
#include <wx/sizer.h>
#include <wx/textctrl.h>

// The toolkit's development headers are not part of the platform; this is
// the one call used, as the toolkit's library exports it.
extern "C" {
typedef struct _GtkWindow GtkWindow;
void gtk_window_set_position(GtkWindow* window, int position);
}

namespace {
constexpr int kGtkWinPosNone = 0; // GTK_WIN_POS_NONE
const char* const kRows[] = {"1234567890", "qwertyuiop", "asdfghjkl", "zxcvbnm", ".-_@!#$%*"};
} // namespace

SafeKeyboard::SafeKeyboard(wxWindow* parent, const wxPoint& position, wxTextCtrl* target)
    : wxDialog(parent, wxID_ANY, _("Keyboard"), position, wxDefaultSize, wxCAPTION | wxCLOSE_BOX),
      m_target(target)
{
    auto* rows = new wxBoxSizer(wxVERTICAL);
    const wxSize keySize(FromDIP(wxSize(32, 28)));
    for(const char* row : kRows) {
        auto* line = new wxBoxSizer(wxHORIZONTAL);
        for(const char* key = row; *key; ++key) {
            auto* button =
                new wxButton(this, wxID_ANY, wxString(*key), wxDefaultPosition, keySize, wxBU_EXACTFIT);
            button->Bind(wxEVT_BUTTON, &SafeKeyboard::OnKey, this);
            if(wxIsalpha(*key)) {
                m_letterKeys.push_back(button);
            }
            line->Add(button, 0, wxALL, 1);
        }
        rows->Add(line, 0, wxALIGN_CENTER_HORIZONTAL);
    }
    auto* controls = new wxBoxSizer(wxHORIZONTAL);
    auto* shift = new wxButton(this, wxID_ANY, _("Shift"));
    auto* backspace = new wxButton(this, wxID_ANY, _("Backspace"));
    auto* clear = new wxButton(this, wxID_ANY, _("Clear"));
    auto* ok = new wxButton(this, wxID_OK, _("OK"));
    shift->Bind(wxEVT_BUTTON, &SafeKeyboard::OnShift, this);
    backspace->Bind(wxEVT_BUTTON, &SafeKeyboard::OnBackspace, this);
    clear->Bind(wxEVT_BUTTON, &SafeKeyboard::OnClear, this);
    for(wxButton* button : {shift, backspace, clear, ok}) {
        controls->Add(button, 0, wxALL, 2);
    }
    rows->Add(controls, 0, wxALIGN_CENTER_HORIZONTAL | wxTOP, 4);
    SetSizerAndFit(rows);
    SetAffirmativeId(wxID_OK);
    SetEscapeId(wxID_OK);
    if(position == wxDefaultPosition) {
        CentreOnParent();
    } else {
        // wx asks GTK to centre every dialog on its parent when it maps it,
        // which would put the keyboard over the field it types into.
        gtk_window_set_position(reinterpret_cast<GtkWindow*>(GetHandle()), kGtkWinPosNone);
        Move(position);
    }
}

void SafeKeyboard::TypeKey(const wxString& key)
{
    if(!m_target || key.empty()) {
        return;
    }
    m_target->WriteText(m_shift ? key.Upper() : key);
}

void SafeKeyboard::Backspace()
{
    if(!m_target) {
        return;
    }
    long from = 0;
    long to = 0;
    m_target->GetSelection(&from, &to);
    if(from != to) {
        m_target->Remove(from, to);
        return;
    }
    const long point = m_target->GetInsertionPoint();
    if(point > 0) {
        m_target->Remove(point - 1, point);
    }
}

void SafeKeyboard::ToggleShift()
{
    m_shift = !m_shift;
    UpdateLetterLabels();
}

void SafeKeyboard::OnKey(wxCommandEvent& event)
{
    auto* button = dynamic_cast<wxButton*>(event.GetEventObject());
    if(button) {
        // Letter labels already show the shifted case.
        TypeKey(button->GetLabel().Lower());
    }
}

void SafeKeyboard::OnBackspace(wxCommandEvent& event)
{
    wxUnusedVar(event);
    Backspace();
}

void SafeKeyboard::OnShift(wxCommandEvent& event)
{
    wxUnusedVar(event);
    ToggleShift();
}

void SafeKeyboard::OnClear(wxCommandEvent& event)
{
    wxUnusedVar(event);
    if(m_target) {
        m_target->Clear();
    }
}

void SafeKeyboard::UpdateLetterLabels()
{
    for(wxButton* key : m_letterKeys) {
        key->SetLabel(m_shift ? key->GetLabel().Upper() : key->GetLabel().Lower());
    }
}
