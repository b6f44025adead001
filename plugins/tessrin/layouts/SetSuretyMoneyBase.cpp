#include "layouts/SetSuretyMoneyBase.h"

#include "layouts/AccountFormLayout.h"
#include "layouts/BitmapResources.h"

#include <wx/gbsizer.h>
#include <wx/intl.h>
#include <wx/sizer.h>

SetSuretyMoneyBase::SetSuretyMoneyBase(wxWindow* parent, wxWindowID id, const wxString& title,
                                       const wxPoint& pos, const wxSize& size, long style)
    : FittingDialog(parent, id, title, pos, size, style)
{
    EnsureBitmapResources();

    SetSizer(new wxBoxSizer(wxVERTICAL));
    auto* grid = new wxGridBagSizer(0, 0);
    grid->SetFlexibleDirection(wxBOTH);
    grid->SetNonFlexibleGrowMode(wxFLEX_GROWMODE_SPECIFIED);
    GetSizer()->Add(grid, 1, wxALL | wxEXPAND, 5);

    const int label = wxALL | wxALIGN_CENTER_VERTICAL | wxALIGN_CENTER_HORIZONTAL;
    const int field = wxALL | wxEXPAND;
    grid->Add(AccountFormLayout::Label(this, _("tradeMarket")), wxGBPosition(0, 0), wxGBSpan(1, 1), label, 5);
    m_comboBoxAccount = AccountFormLayout::Choice(this);
    grid->Add(m_comboBoxAccount, wxGBPosition(0, 1), wxGBSpan(1, 3), field, 5);
    grid->Add(AccountFormLayout::Label(this, _("suretyAmount:")), wxGBPosition(1, 0), wxGBSpan(1, 1), label,
              5);
    m_textCtrlAmount = AccountFormLayout::AmountField(this);
    grid->Add(m_textCtrlAmount, wxGBPosition(1, 1), wxGBSpan(1, 3), field, 5);
    m_staticTextSuretyLine = AccountFormLayout::MoneyLine(this);
    grid->Add(m_staticTextSuretyLine, wxGBPosition(2, 1), wxGBSpan(1, 3), field, 5);
    grid->Add(AccountFormLayout::Label(this, _("accPassword:")), wxGBPosition(3, 0), wxGBSpan(1, 1), label,
              5);
    m_textCtrlPassword = AccountFormLayout::PasswordField(this);
    grid->Add(m_textCtrlPassword, wxGBPosition(3, 1), wxGBSpan(1, 3), field, 5);
    AccountFormLayout::Finish(this, grid, m_buttonOk, m_buttonCancel);

    Bind(wxEVT_INIT_DIALOG, &SetSuretyMoneyBase::OnInitDialog, this);
    Bind(wxEVT_CLOSE_WINDOW, &SetSuretyMoneyBase::OnClose, this);
    m_comboBoxAccount->Bind(wxEVT_COMBOBOX, &SetSuretyMoneyBase::OnAccountSelected, this);
    m_buttonOk->Bind(wxEVT_BUTTON, &SetSuretyMoneyBase::OnOk, this);
}

SetSuretyMoneyBase::~SetSuretyMoneyBase()
{
    Unbind(wxEVT_INIT_DIALOG, &SetSuretyMoneyBase::OnInitDialog, this);
    Unbind(wxEVT_CLOSE_WINDOW, &SetSuretyMoneyBase::OnClose, this);
    m_comboBoxAccount->Unbind(wxEVT_COMBOBOX, &SetSuretyMoneyBase::OnAccountSelected, this);
    m_buttonOk->Unbind(wxEVT_BUTTON, &SetSuretyMoneyBase::OnOk, this);
}
