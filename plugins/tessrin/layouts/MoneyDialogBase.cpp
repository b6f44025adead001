#include "layouts/MoneyDialogBase.h"

#include "common/Colours.h"
#include "layouts/BitmapResources.h"

#include <wx/gbsizer.h>
#include <wx/intl.h>
#include <wx/sizer.h>
#include <wx/statline.h>

namespace {
wxStaticText* Label(wxWindow* parent, const wxString& text)
{
    return new wxStaticText(parent, wxID_ANY, text, wxDefaultPosition, wxDefaultSize, wxALIGN_RIGHT);
}

wxTextCtrl* Field(wxWindow* parent, long style, const wxString& value = wxEmptyString)
{
    auto* field = new wxTextCtrl(parent, wxID_ANY, value, wxDefaultPosition, wxDefaultSize, style);
    field->SetHint(wxEmptyString);
    return field;
}
} // namespace

MoneyDialogBase::MoneyDialogBase(wxWindow* parent, wxWindowID id, const wxString& title, const wxPoint& pos,
                                 const wxSize& size, long style)
    : FittingDialog(parent, id, title, pos, size, style)
{
    EnsureBitmapResources();

    auto* mainSizer = new wxBoxSizer(wxVERTICAL);
    SetSizer(mainSizer);

    const int label = wxALL | wxALIGN_RIGHT | wxALIGN_CENTER_VERTICAL;
    const int field = wxALL | wxEXPAND;
    const wxColour moneyBackground = Colours::kShownMoneyBackground;

    auto* accountGrid = new wxGridBagSizer(0, 0);
    accountGrid->SetFlexibleDirection(wxBOTH);
    accountGrid->SetNonFlexibleGrowMode(wxFLEX_GROWMODE_SPECIFIED);
    mainSizer->Add(accountGrid, 0, wxALL | wxEXPAND, 5);

    accountGrid->Add(Label(this, _("Market:")), wxGBPosition(0, 0), wxGBSpan(1, 1), label, 5);
    m_comboBoxAccount = new wxComboBox(this, wxID_ANY, wxEmptyString, wxDefaultPosition, wxDefaultSize,
                                       wxArrayString(), wxCB_READONLY);
    accountGrid->Add(m_comboBoxAccount, wxGBPosition(0, 1), wxGBSpan(1, 3), field, 5);

    accountGrid->Add(Label(this, _("Name:")), wxGBPosition(1, 0), wxGBSpan(1, 1), label, 5);
    m_textCtrlName = Field(this, wxTE_READONLY);
    accountGrid->Add(m_textCtrlName, wxGBPosition(1, 1), wxGBSpan(1, 3), field, 5);

    accountGrid->Add(Label(this, _("Bank:")), wxGBPosition(2, 0), wxGBSpan(1, 1), label, 5);
    m_textCtrlBank = Field(this, wxTE_READONLY | wxTE_CENTRE);
    accountGrid->Add(m_textCtrlBank, wxGBPosition(2, 1), wxGBSpan(1, 3), field, 5);

    accountGrid->Add(Label(this, _("Remain:")), wxGBPosition(3, 0), wxGBSpan(1, 1), label, 5);
    m_textCtrlRemain = Field(this, wxTE_READONLY | wxTE_CENTRE);
    m_textCtrlRemain->SetBackgroundColour(moneyBackground);
    accountGrid->Add(m_textCtrlRemain, wxGBPosition(3, 1), wxGBSpan(1, 1), wxALL, 5);

    accountGrid->Add(Label(this, _("Withdrawable:")), wxGBPosition(3, 2), wxGBSpan(1, 1), label, 5);
    m_textCtrlWithdrawable = Field(this, wxTE_READONLY | wxTE_CENTRE);
    m_textCtrlWithdrawable->SetBackgroundColour(moneyBackground);
    accountGrid->Add(m_textCtrlWithdrawable, wxGBPosition(3, 3), wxGBSpan(1, 1), wxALL, 5);
    accountGrid->AddGrowableCol(1);

    mainSizer->Add(new wxStaticLine(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxLI_HORIZONTAL), 0,
                   wxALL | wxEXPAND, 5);

    auto* entryGrid = new wxGridBagSizer(0, 0);
    entryGrid->SetFlexibleDirection(wxBOTH);
    entryGrid->SetNonFlexibleGrowMode(wxFLEX_GROWMODE_SPECIFIED);
    mainSizer->Add(entryGrid, 1, wxALL | wxEXPAND, 5);

    m_staticTextAmount = new wxStaticText(this, wxID_ANY, _("Amount:"));
    entryGrid->Add(m_staticTextAmount, wxGBPosition(0, 0), wxGBSpan(1, 1), label, 5);
    m_textCtrlAmount = Field(this, 0, "0.00");
    m_textCtrlAmount->SetBackgroundColour(Colours::kAmountBackground);
    // The face may be missing; the swiss family stands in for it then.
    m_textCtrlAmount->SetFont(
        wxFont(12, wxFONTFAMILY_SWISS, wxFONTSTYLE_NORMAL, wxFONTWEIGHT_BOLD, false, "Microsoft YaHei UI"));
    entryGrid->Add(m_textCtrlAmount, wxGBPosition(0, 1), wxGBSpan(1, 1), field, 5);

    entryGrid->Add(new wxStaticText(this, wxID_ANY, _("Money Password:")), wxGBPosition(1, 0), wxGBSpan(1, 1),
                   label, 5);
    m_textCtrlMoneyPassword = Field(this, wxTE_PASSWORD);
    entryGrid->Add(m_textCtrlMoneyPassword, wxGBPosition(1, 1), wxGBSpan(1, 1), field, 5);
    entryGrid->AddGrowableCol(1);

    mainSizer->Add(new wxStaticLine(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxLI_HORIZONTAL), 0,
                   wxALL | wxEXPAND, 5);

    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    mainSizer->Add(buttons, 0, wxALL | wxEXPAND, 5);
    m_buttonOk = new wxButton(this, wxID_OK, _("Ok"));
    buttons->Add(m_buttonOk, 1, wxALL, 5);
    m_buttonCancel = new wxButton(this, wxID_CANCEL, _("Cancel"));
    buttons->Add(m_buttonCancel, 1, wxALL, 5);

    mainSizer->Add(new wxStaticLine(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxLI_HORIZONTAL), 0,
                   wxALL | wxEXPAND, 5);

    m_textCtrlMessage = Field(this, wxTE_READONLY | wxTE_CENTRE | wxBORDER_NONE);
    mainSizer->Add(m_textCtrlMessage, 0, wxALL | wxEXPAND, 5);

    mainSizer->Fit(this);
    CentreOnScreen(wxBOTH);

    Bind(wxEVT_INIT_DIALOG, &MoneyDialogBase::OnInitDialog, this);
    Bind(wxEVT_CLOSE_WINDOW, &MoneyDialogBase::OnClose, this);
    m_comboBoxAccount->Bind(wxEVT_COMBOBOX, &MoneyDialogBase::OnAccountSelected, this);
    m_buttonOk->Bind(wxEVT_BUTTON, &MoneyDialogBase::OnOk, this);
}

MoneyDialogBase::~MoneyDialogBase()
{
    Unbind(wxEVT_INIT_DIALOG, &MoneyDialogBase::OnInitDialog, this);
    Unbind(wxEVT_CLOSE_WINDOW, &MoneyDialogBase::OnClose, this);
    m_comboBoxAccount->Unbind(wxEVT_COMBOBOX, &MoneyDialogBase::OnAccountSelected, this);
    m_buttonOk->Unbind(wxEVT_BUTTON, &MoneyDialogBase::OnOk, this);
}
