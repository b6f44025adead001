#include "layouts/PayPortRegistDlgBase.h"

#include "layouts/BitmapResources.h"

#include <wx/sizer.h>
#include <wx/statline.h>
#include <wx/stattext.h>

namespace {
wxComboBox* ReadOnlyList(wxWindow* parent)
{
    return new wxComboBox(parent, wxID_ANY, wxEmptyString, wxDefaultPosition, wxDefaultSize, wxArrayString(),
                          wxCB_READONLY);
}

wxTextCtrl* Field(wxWindow* parent, long style = 0)
{
    return new wxTextCtrl(parent, wxID_ANY, wxEmptyString, wxDefaultPosition, wxDefaultSize, style);
}
} // namespace

PayPortRegistDlgBase::PayPortRegistDlgBase(wxWindow* parent, wxWindowID id, const wxString& title,
                                           const wxPoint& pos, const wxSize& size, long style)
    : FittingDialog(parent, id, title, pos, size, style)
{
    EnsureBitmapResources();

    auto* mainSizer = new wxBoxSizer(wxVERTICAL);
    SetSizer(mainSizer);

    auto* grid = new wxFlexGridSizer(0, 2, 5, 30);
    grid->SetFlexibleDirection(wxBOTH);
    grid->SetNonFlexibleGrowMode(wxFLEX_GROWMODE_SPECIFIED);
    grid->AddGrowableCol(1);
    mainSizer->Add(grid, 0, wxALL | wxEXPAND, 15);

    const int labelFlags = wxALL | wxALIGN_RIGHT | wxALIGN_CENTER_VERTICAL;
    const int fieldFlags = wxALL | wxEXPAND;
    auto addRow = [&](const wxString& label, wxWindow* control) {
        grid->Add(new wxStaticText(this, wxID_ANY, label), 0, labelFlags, 5);
        grid->Add(control, 0, fieldFlags, 5);
    };

    m_comboBoxMarket = ReadOnlyList(this);
    addRow(_("Market:"), m_comboBoxMarket);

    grid->Add(new wxStaticText(this, wxID_ANY, _("Bank:")), 0, labelFlags, 5);
    auto* bankRow = new wxBoxSizer(wxHORIZONTAL);
    m_comboBoxChannel = ReadOnlyList(this);
    bankRow->Add(m_comboBoxChannel, 1, fieldFlags, 5);
    m_comboBoxBank = ReadOnlyList(this);
    bankRow->Add(m_comboBoxBank, 2, fieldFlags, 5);
    grid->Add(bankRow, 0, wxEXPAND, 0);

    m_textCtrlCardNo = Field(this);
    addRow(_("Bank Card Number:"), m_textCtrlCardNo);
    m_textCtrlCardNoConfirm = Field(this);
    addRow(_("Confirm Card Number:"), m_textCtrlCardNoConfirm);
    m_textCtrlAccountName = Field(this);
    addRow(_("Account Name:"), m_textCtrlAccountName);
    m_comboBoxIdType = ReadOnlyList(this);
    addRow(_("IDCard Type:"), m_comboBoxIdType);
    m_textCtrlIdCard = Field(this);
    addRow(_("IDCard:"), m_textCtrlIdCard);
    m_textCtrlMoneyPassword = Field(this, wxTE_PASSWORD);
    addRow(_("Money Password:"), m_textCtrlMoneyPassword);
    m_textCtrlSitNo = Field(this, wxTE_READONLY);
    addRow(_("Sit No:"), m_textCtrlSitNo);

    mainSizer->Add(new wxStaticLine(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxLI_HORIZONTAL), 0,
                   wxALL | wxEXPAND, 5);

    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    mainSizer->Add(buttons, 0, wxALL | wxALIGN_CENTER_HORIZONTAL, 5);
    m_buttonOk = new wxButton(this, wxID_OK, _("Ok"));
    buttons->Add(m_buttonOk, 0, wxALL, 5);
    m_buttonCancel = new wxButton(this, wxID_CANCEL, _("Cancel"));
    buttons->Add(m_buttonCancel, 0, wxALL, 5);

    m_textCtrlMessage = Field(this, wxTE_READONLY | wxTE_CENTRE | wxBORDER_NONE);
    mainSizer->Add(m_textCtrlMessage, 0, wxALL | wxEXPAND, 5);

    mainSizer->Fit(this);
    CentreOnScreen(wxBOTH);

    Bind(wxEVT_CLOSE_WINDOW, &PayPortRegistDlgBase::OnClose, this);
    Bind(wxEVT_INIT_DIALOG, &PayPortRegistDlgBase::OnInitDialog, this);
    m_comboBoxChannel->Bind(wxEVT_COMBOBOX, &PayPortRegistDlgBase::OnChannelSelected, this);
    m_comboBoxMarket->Bind(wxEVT_COMBOBOX, &PayPortRegistDlgBase::OnMarketSelected, this);
    m_buttonOk->Bind(wxEVT_BUTTON, &PayPortRegistDlgBase::OnOk, this);
}

PayPortRegistDlgBase::~PayPortRegistDlgBase()
{
    Unbind(wxEVT_CLOSE_WINDOW, &PayPortRegistDlgBase::OnClose, this);
    Unbind(wxEVT_INIT_DIALOG, &PayPortRegistDlgBase::OnInitDialog, this);
    m_comboBoxChannel->Unbind(wxEVT_COMBOBOX, &PayPortRegistDlgBase::OnChannelSelected, this);
    m_comboBoxMarket->Unbind(wxEVT_COMBOBOX, &PayPortRegistDlgBase::OnMarketSelected, this);
    m_buttonOk->Unbind(wxEVT_BUTTON, &PayPortRegistDlgBase::OnOk, this);
}
