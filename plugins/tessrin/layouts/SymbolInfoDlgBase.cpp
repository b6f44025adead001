#include "layouts/SymbolInfoDlgBase.h"

#include "layouts/BitmapResources.h"

#include <wx/gbsizer.h>
#include <wx/intl.h>
#include <wx/settings.h>
#include <wx/sizer.h>

SymbolInfoDlgBase::SymbolInfoDlgBase(wxWindow* parent, wxWindowID id, const wxString& title,
                                     const wxPoint& pos, const wxSize& size, long style)
    : wxDialog(parent, id, title, pos, size, style)
{
    EnsureBitmapResources();

    auto* mainSizer = new wxBoxSizer(wxVERTICAL);
    SetSizer(mainSizer);
    auto* grid = new wxGridBagSizer(0, 0);
    mainSizer->Add(grid, 1, wxEXPAND | wxALL, 5);

    auto addPair = [&](int row, int column, const wxString& label) {
        grid->Add(new wxStaticText(this, wxID_ANY, label), wxGBPosition(row, column), wxGBSpan(1, 1),
                  wxALIGN_CENTER_VERTICAL | wxALIGN_RIGHT | wxALL, 5);
        auto* field =
            new wxTextCtrl(this, wxID_ANY, wxEmptyString, wxDefaultPosition, wxDefaultSize, wxTE_READONLY);
        grid->Add(field, wxGBPosition(row, column + 1), wxGBSpan(1, 1), wxEXPAND | wxALL, 5);
        return field;
    };
    m_symbolName = addPair(0, 0, _("symbolName:"));
    m_symbolCode = addPair(0, 2, _("symbolCode:"));
    m_contractUnit = addPair(1, 0, _("contractUnit:"));
    m_minDecimal = addPair(1, 2, _("minDecimal:"));
    m_maxHold = addPair(2, 0, _("maxHold:"));
    m_maxPerTrade = addPair(2, 2, _("maxPerTrade:"));
    m_pointAsk = addPair(3, 0, _("pointAsk:"));
    m_pointBid = addPair(3, 2, _("pointBid:"));
    m_pointStopLose = addPair(4, 0, _("pointStopLose:"));
    m_pointTakeProfit = addPair(4, 2, _("pointTakeProfit:"));
    grid->AddGrowableCol(2, 0);

    m_cautionText = new wxStaticText(this, wxID_ANY, _("keep cautious when you invest it!"),
                                     wxDefaultPosition, wxDefaultSize, wxALIGN_CENTRE);
    m_cautionText->SetBackgroundColour(wxSystemSettings::GetColour(wxSYS_COLOUR_3DLIGHT));
    m_cautionText->SetForegroundColour(wxSystemSettings::GetColour(wxSYS_COLOUR_HIGHLIGHT));
    mainSizer->Add(m_cautionText, 0, wxALIGN_CENTER_HORIZONTAL | wxALL, 5);

    m_okButton = new wxButton(this, wxID_CANCEL, _("Ok"));
    mainSizer->Add(m_okButton, 0, wxALIGN_CENTER_HORIZONTAL | wxALL, 5);

    mainSizer->Fit(this);
    CentreOnScreen(wxBOTH);
    Bind(wxEVT_INIT_DIALOG, &SymbolInfoDlgBase::OnInitDialog, this);
}

SymbolInfoDlgBase::~SymbolInfoDlgBase()
{
    Unbind(wxEVT_INIT_DIALOG, &SymbolInfoDlgBase::OnInitDialog, this);
}
