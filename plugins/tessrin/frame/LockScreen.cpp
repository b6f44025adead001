#include "frame/LockScreen.h"

#include "common/ModalMessageBox.h"
#include "frame/PasswordDigest.h"

#include <algorithm>
#include <pelmora/SafeKeyboard.h>
#include <wx/app.h>
#include <wx/display.h>
#include <wx/intl.h>

namespace {
// The keyboard sits this far above the lock box's client area.
constexpr int kKeyboardLift = 110;

// The screen of the terminal's main window, all of it.
wxRect TerminalScreen()
{
    const wxWindow* terminal = wxTheApp ? wxTheApp->GetTopWindow() : nullptr;
    const int display = terminal ? wxDisplay::GetFromWindow(terminal) : wxNOT_FOUND;
    return wxDisplay(display == wxNOT_FOUND ? 0u : static_cast<unsigned int>(display)).GetGeometry();
}
} // namespace

LockScreen::LockScreen(const wxMemoryBuffer& passwordDigest, wxWindow* parent)
    : LockScreenBase(parent), m_passwordDigest(passwordDigest)
{
    SetEscapeId(wxID_NONE);
    Bind(wxEVT_CLOSE_WINDOW, &LockScreen::OnClose, this);
}

LockScreen::~LockScreen() = default;

void LockScreen::OnInitDialog(wxInitDialogEvent& event)
{
    event.Skip();
    // The whole screen, the box in its middle: no balance or position of the
    // terminal shows while it is locked.
    SetSize(TerminalScreen());
    Layout();
    m_textCtrlPassword->Clear();
    m_textCtrlPassword->SetHint(_("Input Password"));
    m_textCtrlPassword->SetFocus();
}

void LockScreen::OnKeyboard(wxCommandEvent& event)
{
    wxUnusedVar(event);
    SafeKeyboard keyboard(this, KeyboardPosition(), m_textCtrlPassword);
    keyboard.ShowModal();
}

void LockScreen::OnUnlockScreen(wxCommandEvent& event)
{
    wxUnusedVar(event);
    TryUnlock();
}

void LockScreen::TryUnlock()
{
    if(PasswordMatchesDigest(m_textCtrlPassword->GetValue(), m_passwordDigest)) {
        EndModal(0);
        return;
    }
    ShowMessage(_("password is wrong,please check again!"), _("prompt message"));
}

wxPoint LockScreen::KeyboardPosition() const
{
    const wxPoint position = m_panelBox->GetScreenPosition();
    const int above = position.y - (kKeyboardLift + m_panelBox->GetClientSize().GetHeight());
    // A box on a low screen would push the keyboard's caption off its top;
    // it stays above the box from there.
    const int display = wxDisplay::GetFromWindow(this);
    const int top = display == wxNOT_FOUND ? above : wxDisplay(display).GetClientArea().GetTop();
    return wxPoint(position.x, std::max(above, top));
}

void LockScreen::OnClose(wxCloseEvent& event)
{
    if(event.CanVeto()) {
        event.Veto();
        return;
    }
    event.Skip();
}

void LockScreen::ShowMessage(const wxString& message, const wxString& caption)
{
    ModalMessageBox::Show(message, caption, wxOK | wxCENTRE, this);
}
