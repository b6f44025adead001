#include "layouts/SetSuretyMoneyBase.h"

#include <wx/intl.h>

SetSuretyMoneyBase::SetSuretyMoneyBase(wxWindow* parent, wxWindowID id, const wxString& title,
                                       const wxPoint& pos, const wxSize& size, long style)
    : AccountFormBase(parent, id, title, pos, size, style)
{
    wxGridBagSizer* grid = AddGrid();
    m_comboBoxAccount = NewAccountChoice();
    AddRow(grid, 0, _("tradeMarket"), m_comboBoxAccount);
    m_textCtrlAmount = NewAmountField();
    AddRow(grid, 1, _("suretyAmount:"), m_textCtrlAmount);
    m_staticTextSuretyLine = NewMoneyLine();
    AddRow(grid, 2, wxString(), m_staticTextSuretyLine);
    m_textCtrlPassword = NewPasswordField();
    AddRow(grid, 3, _("accPassword:"), m_textCtrlPassword);
    FinishForm(grid);
}
