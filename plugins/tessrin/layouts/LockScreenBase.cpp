#include "layouts/LockScreenBase.h"

#include "layouts/BitmapResources.h"

#include <wx/intl.h>
#include <wx/sizer.h>
#include <wx/xrc/xmlres.h>

LockScreenBase::LockScreenBase(wxWindow* parent, wxWindowID id, const wxString& title, const wxPoint& pos,
                               const wxSize& size, long style)
    : wxDialog(parent, id, title, pos, size, style)
{
    EnsureBitmapResources();

    auto* mainSizer = new wxBoxSizer(wxVERTICAL);
    SetSizer(mainSizer);
    mainSizer->Add(0, 0, 1, wxALL, 5);

    auto* rowSizer = new wxBoxSizer(wxHORIZONTAL);
    mainSizer->Add(rowSizer, 1, wxALL | wxEXPAND, 5);

    m_staticTextPassword = new wxStaticText(this, wxID_ANY, _("loginPassword:"));
    rowSizer->Add(m_staticTextPassword, 0, wxALL | wxALIGN_CENTER, 5);

    m_textCtrlPassword =
        new wxTextCtrl(this, wxID_ANY, wxEmptyString, wxDefaultPosition, wxDefaultSize, wxTE_PASSWORD);
    m_textCtrlPassword->SetHint(wxEmptyString);
    rowSizer->Add(m_textCtrlPassword, 1, wxALL | wxALIGN_CENTER, 5);

    m_bmpButtonKeyboard = new wxBitmapButton(this, wxID_ANY, wxXmlResource::Get()->LoadBitmap("keyboard"),
                                             wxDefaultPosition, wxDefaultSize, wxBU_AUTODRAW | wxBORDER_NONE);
    rowSizer->Add(m_bmpButtonKeyboard, 0, wxALIGN_CENTER, 0);

    m_buttonUnlock = new wxButton(this, wxID_ANY, _("unlockScreen"));
    m_buttonUnlock->SetFocus();
    rowSizer->Add(m_buttonUnlock, 0, wxALL | wxALIGN_CENTER, 5);

    mainSizer->Add(0, 0, 1, wxALL, 5);

    SetMinSize(wxSize(600, 200));
    SetSizeHints(wxSize(600, 200));
    mainSizer->Fit(this);
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
