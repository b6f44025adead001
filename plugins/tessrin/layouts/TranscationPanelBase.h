#pragma once

#include <wx/checkbox.h>
#include <wx/combobox.h>
#include <wx/panel.h>
#include <wx/spinctrl.h>
#include <wx/statline.h>
#include <wx/stattext.h>

class pmColourButton;
class wxSpinCtrlDouble_;

// Layout of the quick-trade panel: quantity, stop-loss and take-profit, the
// point difference, the pre-confirmation switch, Buy, Sell and the limit
// order button, and a message line built hidden. The hand-written panel
// overrides the handlers.
class TranscationPanelBase : public wxPanel
{
public:
    explicit TranscationPanelBase(wxWindow* parent, wxWindowID id = wxID_ANY,
                                  const wxPoint& pos = wxDefaultPosition,
                                  const wxSize& size = wxSize(400, 280), long style = wxTAB_TRAVERSAL);
    ~TranscationPanelBase() override;

protected:
    virtual void OnQuantitySelected(wxCommandEvent& event) { event.Skip(); }
    virtual void OnStopLossSpin(wxSpinDoubleEvent& event) { event.Skip(); }
    virtual void OnTakeProfitSpin(wxSpinDoubleEvent& event) { event.Skip(); }
    virtual void OnPointDiffCheck(wxCommandEvent& event) { event.Skip(); }
    virtual void OnPointDiffKeyDown(wxKeyEvent& event) { event.Skip(); }
    virtual void OnPreConfirmCheck(wxCommandEvent& event) { event.Skip(); }
    virtual void OnBuy(wxCommandEvent& event) { event.Skip(); }
    virtual void OnSell(wxCommandEvent& event) { event.Skip(); }
    virtual void OnLimitPrice(wxCommandEvent& event) { event.Skip(); }

    wxStaticText* m_quantityLabel;
    wxStaticText* m_stopLossLabel;
    wxStaticText* m_takeProfitLabel;
    wxComboBox* m_quantityCombo;
    wxSpinCtrlDouble_* m_stopLossSpin; // prices, with the symbol's decimals
    wxSpinCtrlDouble_* m_takeProfitSpin;
    wxStaticLine* m_topLine;
    wxCheckBox* m_pointDiffCheck;
    wxSpinCtrl* m_pointDiffSpin;
    wxStaticText* m_pointLabel;
    wxCheckBox* m_preConfirmCheck;
    wxStaticLine* m_bottomLine;
    pmColourButton* m_buyButton;
    pmColourButton* m_sellButton;
    pmColourButton* m_limitPriceButton;
    wxStaticText* m_messageText;
};
