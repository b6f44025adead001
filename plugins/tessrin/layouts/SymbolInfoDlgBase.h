#pragma once

#include <wx/button.h>
#include <wx/dialog.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

// Layout of the symbol information dialog: ten read-only fields in a grid of
// five rows, a caution line and the "Ok" button that ends the modal loop.
class SymbolInfoDlgBase : public wxDialog
{
public:
    explicit SymbolInfoDlgBase(wxWindow* parent = nullptr, wxWindowID id = wxID_ANY,
                               const wxString& title = wxEmptyString, const wxPoint& pos = wxDefaultPosition,
                               const wxSize& size = wxDefaultSize,
                               long style = wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX | wxRESIZE_BORDER);
    ~SymbolInfoDlgBase() override;

protected:
    virtual void OnInitDialog(wxInitDialogEvent& event) { event.Skip(); }

    wxTextCtrl* m_symbolName;
    wxTextCtrl* m_symbolCode;
    wxTextCtrl* m_contractUnit;
    wxTextCtrl* m_minDecimal;
    wxTextCtrl* m_maxHold;
    wxTextCtrl* m_maxPerTrade;
    wxTextCtrl* m_pointAsk;
    wxTextCtrl* m_pointBid;
    wxTextCtrl* m_pointStopLose;
    wxTextCtrl* m_pointTakeProfit;
    wxStaticText* m_cautionText;
    wxButton* m_okButton;
};
