#include "layouts/ChangeMainAccBase.h"

#include <wx/intl.h>
#include <wx/settings.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

ChangeMainAccBase::ChangeMainAccBase(wxWindow* parent, wxWindowID id, const wxString& title,
                                     const wxPoint& pos, const wxSize& size, long style)
    : AccountFormBase(parent, id, title, pos, size, style)
{
    wxSizer* mainSizer = GetSizer();
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
    m_comboBoxAccount = NewAccountChoice();
    choiceRow->Add(m_comboBoxAccount, 1, wxALL | wxEXPAND, 5);
    choiceRow->AddStretchSpacer(1);

    AddButtonRow(_("changeMainAcc"), 5);
    FitAndCentre();
}
