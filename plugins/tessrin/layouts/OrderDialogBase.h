#pragma once

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/combobox.h>
#include <wx/dialog.h>
#include <wx/radiobut.h>
#include <wx/spinctrl.h>
#include <wx/statline.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

class wxSpinCtrlDouble_;

// Layout of the order dialog: every control with its font, colours, range
// and first value, each event bound to a handler that only lets it pass on.
// Always a top-level window: the parent argument is ignored, as are id and
// style. The hand-written dialog overrides the handlers and adapts the
// controls to the kind of order.
class OrderDialogBase : public wxDialog
{
public:
    explicit OrderDialogBase(wxWindow* parent = nullptr, wxWindowID id = wxID_ANY,
                             const wxString& title = wxEmptyString, const wxPoint& pos = wxDefaultPosition,
                             const wxSize& size = wxDefaultSize,
                             long style = wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX | wxRESIZE_BORDER);
    ~OrderDialogBase() override;

protected:
    virtual void OnInitDialog(wxInitDialogEvent& event) { event.Skip(); }
    virtual void OnClose(wxCloseEvent& event) { event.Skip(); }
    virtual void OnSymbolSelected(wxCommandEvent& event) { event.Skip(); }
    virtual void OnOrderTypeSelected(wxCommandEvent& event) { event.Skip(); }
    virtual void OnMarginTypeSelected(wxCommandEvent& event) { event.Skip(); }
    virtual void OnQuantityText(wxCommandEvent& event) { event.Skip(); }
    virtual void OnMaxClicked(wxCommandEvent& event) { event.Skip(); }
    virtual void OnDirectionChanged(wxCommandEvent& event) { event.Skip(); }
    virtual void OnPriceText(wxCommandEvent& event) { event.Skip(); }
    virtual void OnExpireSelected(wxCommandEvent& event) { event.Skip(); }
    virtual void OnStopLossText(wxCommandEvent& event) { event.Skip(); }
    virtual void OnStopLoss10Point(wxCommandEvent& event) { event.Skip(); }
    virtual void OnTakeProfit10Point(wxCommandEvent& event) { event.Skip(); }
    virtual void OnTakeProfitText(wxCommandEvent& event) { event.Skip(); }
    virtual void OnPointDiffCheck(wxCommandEvent& event) { event.Skip(); }
    virtual void OnPreConfirmCheck(wxCommandEvent& event) { event.Skip(); }
    virtual void OnOK(wxCommandEvent& event) { event.Skip(); }

    wxComboBox* m_symbolCombo;
    wxStaticText* m_orderTypeLabel;
    wxComboBox* m_orderTypeCombo;
    wxStaticText* m_quantityLabel;
    wxStaticText* m_symbolLabel;
    wxComboBox* m_marginTypeCombo;
    wxStaticText* m_marginTypeLabel;
    wxSpinCtrl* m_quantitySpin;
    wxButton* m_maxButton;
    wxStaticText* m_ordRangeLabel;
    wxStaticLine* m_topLine;
    wxRadioButton* m_buyRadio;
    wxRadioButton* m_sellRadio;
    wxTextCtrl* m_priceText1;
    wxTextCtrl* m_priceText2;
    wxStaticText* m_priceLabel;
    wxSpinCtrlDouble_* m_priceSpin;
    wxStaticText* m_expireLabel;
    wxComboBox* m_expireCombo;
    // The rows of the two prices and of the limit price: hidden with their
    // controls, so that no empty border stays where they were.
    wxSizer* m_priceTextSizer;
    wxSizer* m_limitSizer;
    wxTextCtrl* m_orderInfoText;
    wxStaticText* m_stopLossLabel;
    wxSpinCtrlDouble_* m_stopLossSpin;
    wxButton* m_stopLoss10Point;
    wxStaticText* m_takeProfitLabel;
    wxButton* m_takeProfit10Point;
    wxSpinCtrlDouble_* m_takeProfitSpin;
    wxStaticLine* m_bottomLine;
    wxCheckBox* m_pointDiffCheck;
    wxSpinCtrl* m_pointDiffSpin;
    wxStaticText* m_pointLabel;
    wxCheckBox* m_preConfirmCheck;
    wxButton* m_marketOk;
    wxButton* m_cancelButton;
    wxTextCtrl* m_messageText;
};
