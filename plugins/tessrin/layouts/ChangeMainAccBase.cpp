#include "layouts/ChangeMainAccBase.h"

#include "layouts/BitmapResources.h"

#include <wx/intl.h>
#include <wx/settings.h>
#include <wx/sizer.h>
#include <wx/statline.h>
#include <wx/stattext.h>

ChangeMainAccBase::ChangeMainAccBase(wxWindow* parent, wxWindowID id, const wxString& title,
                                     const wxPoint& pos, const wxSize& size, long style)
    : FittingDialog(parent, id, title, pos, size, style)
{
    EnsureBitmapResources();

    auto* mainSizer = new wxBoxSizer(wxVERTICAL);
    SetSizer(mainSizer);

    m_textCtrlMainLine = new wxTextCtrl(this, wxID_ANY, wxEmptyString, wxDefaultPosition, wxDefaultSize,
                                        wxTE_READONLY | wxTE_CENTRE | wxBORDER_NONE);
    m_textCtrlMainLine->SetBackgroundColour(wxSystemSettings::GetColour(wxSYS_COLOUR_3DLIGHT));
    m_textCtrlMainLine->SetFont(
        wxFont(12, wxFONTFAMILY_SWISS, wxFONTSTYLE_NORMAL, wxFONTWEIGHT_BOLD, false, "Microsoft YaHei UI"));
    mainSizer->Add(m_textCtrlMainLine, 1, wxALL | wxEXPAND, 5);

    auto* choiceRow = new wxBoxSizer(wxHORIZONTAL);
    mainSizer->Add(choiceRow, 0, wxALL | wxEXPAND, 5);
    choiceRow->Add(new wxStaticText(this, wxID_ANY, _("tradeMarket:")), 0, wxALL | wxALIGN_CENTER_VERTICAL,
                   5);
    m_comboBoxAccount = new wxComboBox(this, wxID_ANY, wxEmptyString, wxDefaultPosition, wxDefaultSize,
                                       wxArrayString(), wxCB_READONLY);
    choiceRow->Add(m_comboBoxAccount, 1, wxALL | wxEXPAND, 5);
    choiceRow->AddStretchSpacer(1);

    mainSizer->Add(new wxStaticLine(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxLI_HORIZONTAL), 0,
                   wxALL | wxEXPAND, 5);
    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    mainSizer->Add(buttons, 0, wxALL | wxEXPAND, 5);
    m_buttonOk = new wxButton(this, wxID_ANY, _("changeMainAcc"));
    buttons->Add(m_buttonOk, 1, wxALL, 5);
    m_buttonCancel = new wxButton(this, wxID_CANCEL, _("cancel"));
    buttons->Add(m_buttonCancel, 1, wxALL, 5);
    mainSizer->Add(new wxStaticLine(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxLI_HORIZONTAL), 0,
                   wxALL | wxEXPAND, 5);

    mainSizer->Fit(this);
    CentreOnScreen(wxBOTH);

    Bind(wxEVT_INIT_DIALOG, &ChangeMainAccBase::OnInitDialog, this);
    Bind(wxEVT_CLOSE_WINDOW, &ChangeMainAccBase::OnClose, this);
    m_buttonOk->Bind(wxEVT_BUTTON, &ChangeMainAccBase::OnOk, this);
}

ChangeMainAccBase::~ChangeMainAccBase()
{
    Unbind(wxEVT_INIT_DIALOG, &ChangeMainAccBase::OnInitDialog, this);
    Unbind(wxEVT_CLOSE_WINDOW, &ChangeMainAccBase::OnClose, this);
    m_buttonOk->Unbind(wxEVT_BUTTON, &ChangeMainAccBase::OnOk, this);
}
