#include "layouts/TransferAccBase.h"

#include "layouts/AccountFormLayout.h"
#include "layouts/BitmapResources.h"

#include <wx/gbsizer.h>
#include <wx/intl.h>
#include <wx/sizer.h>

TransferAccBase::TransferAccBase(wxWindow* parent, wxWindowID id, const wxString& title, const wxPoint& pos,
                                 const wxSize& size, long style)
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
    grid->Add(AccountFormLayout::Label(this, _("sourceAcc:")), wxGBPosition(0, 0), wxGBSpan(1, 1), label, 5);
    m_comboBoxSource = AccountFormLayout::Choice(this);
    grid->Add(m_comboBoxSource, wxGBPosition(0, 1), wxGBSpan(1, 3), field, 5);
    grid->Add(AccountFormLayout::Label(this, _("destAcc:")), wxGBPosition(1, 0), wxGBSpan(1, 1), label, 5);
    m_comboBoxDest = AccountFormLayout::Choice(this);
    grid->Add(m_comboBoxDest, wxGBPosition(1, 1), wxGBSpan(1, 3), field, 5);
    grid->Add(AccountFormLayout::Label(this, _("transferAmount:")), wxGBPosition(2, 0), wxGBSpan(1, 1), label,
              5);
    m_textCtrlAmount = AccountFormLayout::AmountField(this);
    grid->Add(m_textCtrlAmount, wxGBPosition(2, 1), wxGBSpan(1, 3), field, 5);
    m_staticTextSourceLine = AccountFormLayout::MoneyLine(this);
    grid->Add(m_staticTextSourceLine, wxGBPosition(3, 1), wxGBSpan(1, 3), field, 5);
    grid->Add(AccountFormLayout::Label(this, _("accPassword:")), wxGBPosition(4, 0), wxGBSpan(1, 1), label,
              5);
    m_textCtrlPassword = AccountFormLayout::PasswordField(this);
    grid->Add(m_textCtrlPassword, wxGBPosition(4, 1), wxGBSpan(1, 3), field, 5);
    AccountFormLayout::Finish(this, grid, m_buttonOk, m_buttonCancel);

    Bind(wxEVT_INIT_DIALOG, &TransferAccBase::OnInitDialog, this);
    Bind(wxEVT_CLOSE_WINDOW, &TransferAccBase::OnClose, this);
    m_comboBoxSource->Bind(wxEVT_COMBOBOX, &TransferAccBase::OnSourceSelected, this);
    m_buttonOk->Bind(wxEVT_BUTTON, &TransferAccBase::OnOk, this);
}

TransferAccBase::~TransferAccBase()
{
    Unbind(wxEVT_INIT_DIALOG, &TransferAccBase::OnInitDialog, this);
    Unbind(wxEVT_CLOSE_WINDOW, &TransferAccBase::OnClose, this);
    m_comboBoxSource->Unbind(wxEVT_COMBOBOX, &TransferAccBase::OnSourceSelected, this);
    m_buttonOk->Unbind(wxEVT_BUTTON, &TransferAccBase::OnOk, this);
}
