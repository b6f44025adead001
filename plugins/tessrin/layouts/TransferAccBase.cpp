#include "layouts/TransferAccBase.h"

#include <wx/intl.h>

TransferAccBase::TransferAccBase(wxWindow* parent, wxWindowID id, const wxString& title, const wxPoint& pos,
                                 const wxSize& size, long style)
    : AccountFormBase(parent, id, title, pos, size, style)
{
    wxGridBagSizer* grid = AddGrid();
    m_comboBoxSource = NewAccountChoice();
    AddRow(grid, 0, _("sourceAcc:"), m_comboBoxSource);
    m_comboBoxDest = NewChoice();
    AddRow(grid, 1, _("destAcc:"), m_comboBoxDest);
    m_textCtrlAmount = NewAmountField();
    AddRow(grid, 2, _("transferAmount:"), m_textCtrlAmount);
    m_staticTextSourceLine = NewMoneyLine();
    AddRow(grid, 3, wxString(), m_staticTextSourceLine);
    m_textCtrlPassword = NewPasswordField();
    AddRow(grid, 4, _("accPassword:"), m_textCtrlPassword);
    FinishForm(grid);
}
