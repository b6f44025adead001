#include "layouts/LockScreenBase.h"

#include "common/Colours.h"
#include "layouts/BitmapResources.h"

#include <wx/intl.h>
#include <wx/settings.h>
#include <wx/sizer.h>
#include <wx/xrc/xmlres.h>

namespace {
const wxSize kBoxSize(600, 200);
} // namespace

LockScreenBase::LockScreenBase(wxWindow* parent, wxWindowID id, const wxString& title, const wxPoint& pos,
                               const wxSize& size, long style)
    : wxDialog(parent, id, title, pos, size, style)
{
    EnsureBitmapResources();
    SetBackgroundColour(Colours::kLockScreenBackdrop);

    // The dialog is a backdrop with the lock box in its middle.
    auto* backdrop = new wxBoxSizer(wxVERTICAL);
    SetSizer(backdrop);
    m_panelBox = new wxPanel(this, wxID_ANY, wxDefaultPosition, kBoxSize, wxBORDER_SIMPLE);
    m_panelBox->SetBackgroundColour(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNFACE));
    m_panelBox->SetMinSize(kBoxSize);
    backdrop->AddStretchSpacer();
    backdrop->Add(m_panelBox, 0, wxALIGN_CENTER_HORIZONTAL);
    backdrop->AddStretchSpacer();

    auto* mainSizer = new wxBoxSizer(wxVERTICAL);
    m_panelBox->SetSizer(mainSizer);
    mainSizer->Add(0, 0, 1, wxALL, 5);

    auto* rowSizer = new wxBoxSizer(wxHORIZONTAL);
    mainSizer->Add(rowSizer, 1, wxALL | wxEXPAND, 5);

    m_staticTextPassword = new wxStaticText(m_panelBox, wxID_ANY, _("loginPassword:"));
    rowSizer->Add(m_staticTextPassword, 0, wxALL | wxALIGN_CENTER, 5);

    m_textCtrlPassword =
        new wxTextCtrl(m_panelBox, wxID_ANY, wxEmptyString, wxDefaultPosition, wxDefaultSize, wxTE_PASSWORD);
    m_textCtrlPassword->SetHint(wxEmptyString);
    rowSizer->Add(m_textCtrlPassword, 1, wxALL | wxALIGN_CENTER, 5);

    m_bmpButtonKeyboard =
        new wxBitmapButton(m_panelBox, wxID_ANY, wxXmlResource::Get()->LoadBitmap("keyboard"),
                           wxDefaultPosition, wxDefaultSize, wxBU_AUTODRAW | wxBORDER_NONE);
    rowSizer->Add(m_bmpButtonKeyboard, 0, wxALIGN_CENTER, 0);

    m_buttonUnlock = new wxButton(m_panelBox, wxID_ANY, _("unlockScreen"));
    m_buttonUnlock->SetFocus();
    rowSizer->Add(m_buttonUnlock, 0, wxALL | wxALIGN_CENTER, 5);

    mainSizer->Add(0, 0, 1, wxALL, 5);

    SetMinSize(kBoxSize);
    SetSizeHints(kBoxSize);
    backdrop->Fit(this);
    CentreOnScreen(wxBOTH);

    Bind(wxEVT_INIT_DIALOG, &LockScreenBase::OnInitDialog, this);
    m_bmpButtonKeyboard->Bind(wxEVT_BUTTON, &LockScreenBase::OnKeyboard, this);
    m_buttonUnlock->Bind(wxEVT_BUTTON, &LockScreenBase::OnUnlockScreen, this);
}

LockScreenBase::~LockScreenBase()
{
    Unbind(wxEVT_INIT_DIALOG, &LockScreenBase::OnInitDialog, this);
    m_bmpButtonKeyboard->Unbind(wxEVT_BUTTON, &LockScreenBase::OnKeyboard, this);
    m_buttonUnlock->Unbind(wxEVT_BUTTON, &LockScreenBase::OnUnlockScreen, this);
}
