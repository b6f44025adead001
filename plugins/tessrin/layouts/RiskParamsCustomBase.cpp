#include "layouts/RiskParamsCustomBase.h"

#include <wx/gbsizer.h>
#include <wx/intl.h>
#include <wx/settings.h>
#include <wx/sizer.h>

namespace {

wxStaticText* Heading(wxWindow* parent, const wxString& label)
{
    auto* heading = new wxStaticText(parent, wxID_ANY, label);
    heading->SetFont(
        wxFont(10, wxFONTFAMILY_SWISS, wxFONTSTYLE_NORMAL, wxFONTWEIGHT_BOLD, false, "Microsoft YaHei UI"));
    heading->SetBackgroundColour(wxSystemSettings::GetColour(wxSYS_COLOUR_3DLIGHT));
    heading->SetForegroundColour(wxSystemSettings::GetColour(wxSYS_COLOUR_HIGHLIGHT));
    return heading;
}

} // namespace

RiskParamsCustomBase::RiskParamsCustomBase(wxWindow* parent, wxWindowID id, const wxString& title,
                                           const wxPoint& pos, const wxSize& size, long style)
    : FittingDialog(parent, id, title, pos, size, style)
{
    constexpr int kBorder = 5;
    const long readOnly = wxCB_READONLY;
    auto* mainSizer = new wxBoxSizer(wxVERTICAL);

    auto* typeRow = new wxBoxSizer(wxHORIZONTAL);
    auto* typeLabel = new wxStaticText(this, wxID_ANY, _("RiskType:"));
    m_comboBoxRiskType = new wxComboBox(this, wxID_ANY, wxEmptyString, wxDefaultPosition, wxDefaultSize,
                                        wxArrayString(), readOnly);
    typeRow->Add(typeLabel, 0, wxALL | wxALIGN_CENTER_VERTICAL, kBorder);
    typeRow->Add(m_comboBoxRiskType, 1, wxALL, kBorder);
    mainSizer->Add(typeRow, 0, wxALL | wxEXPAND, kBorder);

    mainSizer->Add(Heading(this, _("RiskParamsSet")), 0, wxALL | wxEXPAND, kBorder);

    // One row each: the item and the condition hide for the kinds without
    // them, and the threshold stays in line with the rest.
    auto* grid = new wxGridBagSizer(0, 5);
    grid->SetEmptyCellSize(wxSize(0, 0)); // hidden rows take no room
    m_staticTextRiskItem = new wxStaticText(this, wxID_ANY, _("RiskItems:"));
    m_comboBoxRiskItem = new wxComboBox(this, wxID_ANY, wxEmptyString, wxDefaultPosition, wxDefaultSize,
                                        wxArrayString(), readOnly);
    m_staticTextRiskCondition = new wxStaticText(this, wxID_ANY, _("RiskCondition:"));
    m_comboBoxRiskCondition = new wxComboBox(this, wxID_ANY, wxEmptyString, wxDefaultPosition, wxDefaultSize,
                                             wxArrayString(), readOnly);
    auto* valueLabel = new wxStaticText(this, wxID_ANY, _("RiskMaxValue:"));
    m_textCtrlMaxValue = new wxTextCtrl(this, wxID_ANY, "0");
    m_textCtrlMaxValue->SetHint(wxEmptyString);
    const int labelFlags = wxALL | wxALIGN_RIGHT | wxALIGN_CENTER_VERTICAL;
    grid->Add(m_staticTextRiskItem, wxGBPosition(0, 0), wxDefaultSpan, labelFlags, kBorder);
    grid->Add(m_comboBoxRiskItem, wxGBPosition(0, 1), wxDefaultSpan, wxALL | wxEXPAND, kBorder);
    grid->Add(m_staticTextRiskCondition, wxGBPosition(1, 0), wxDefaultSpan, labelFlags, kBorder);
    grid->Add(m_comboBoxRiskCondition, wxGBPosition(1, 1), wxDefaultSpan, wxALL | wxEXPAND, kBorder);
    grid->Add(valueLabel, wxGBPosition(2, 0), wxDefaultSpan, labelFlags, kBorder);
    grid->Add(m_textCtrlMaxValue, wxGBPosition(2, 1), wxDefaultSpan, wxALL | wxEXPAND, kBorder);
    grid->AddGrowableCol(1);
    mainSizer->Add(grid, 0, wxALL | wxEXPAND, kBorder);

    mainSizer->Add(Heading(this, _("RiskMeansSet")), 0, wxALL | wxEXPAND, kBorder);

    auto* meansRow = new wxBoxSizer(wxHORIZONTAL);
    m_checkBoxSound = new wxCheckBox(this, wxID_ANY, _("sound"));
    m_checkBoxWindow = new wxCheckBox(this, wxID_ANY, _("window"));
    // Apart, so that the two read as two choices.
    constexpr int kMeansGap = 30;
    meansRow->AddStretchSpacer();
    meansRow->Add(m_checkBoxSound, 0, wxALL, kBorder);
    meansRow->AddSpacer(kMeansGap);
    meansRow->Add(m_checkBoxWindow, 0, wxALL, kBorder);
    meansRow->AddStretchSpacer();
    mainSizer->Add(meansRow, 0, wxALL | wxEXPAND, kBorder);

    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    m_buttonOK = new wxButton(this, wxID_ANY, _("ok"));
    m_buttonCancel = new wxButton(this, wxID_CANCEL, _("cancel"));
    buttons->Add(m_buttonOK, 0, wxALL, kBorder);
    buttons->AddSpacer(30);
    buttons->Add(m_buttonCancel, 0, wxALL, kBorder);
    mainSizer->Add(buttons, 0, wxALL | wxALIGN_CENTER_HORIZONTAL, kBorder);

    SetSizer(mainSizer);
    GetSizer()->SetSizeHints(this);
    GetSizer()->Fit(this);
    Centre(wxBOTH);

    Bind(wxEVT_INIT_DIALOG, &RiskParamsCustomBase::OnInit, this);
    m_comboBoxRiskType->Bind(wxEVT_COMBOBOX, &RiskParamsCustomBase::OnRiskTypeChanged, this);
    m_buttonOK->Bind(wxEVT_BUTTON, &RiskParamsCustomBase::OnOK, this);
}

RiskParamsCustomBase::~RiskParamsCustomBase()
{
    Unbind(wxEVT_INIT_DIALOG, &RiskParamsCustomBase::OnInit, this);
    m_comboBoxRiskType->Unbind(wxEVT_COMBOBOX, &RiskParamsCustomBase::OnRiskTypeChanged, this);
    m_buttonOK->Unbind(wxEVT_BUTTON, &RiskParamsCustomBase::OnOK, this);
}
