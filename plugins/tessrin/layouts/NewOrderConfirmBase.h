#pragma once

#include <wx/button.h>
#include <wx/dialog.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

// Layout of the order confirmation: eight caption and value rows (the last
// one hidden) and the "ok" and "cancel" buttons.
class NewOrderConfirmBase : public wxDialog
{
public:
    explicit NewOrderConfirmBase(wxWindow* parent, wxWindowID id = wxID_ANY,
                                 const wxString& title = wxEmptyString,
                                 const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize,
                                 long style = wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX | wxRESIZE_BORDER);
    ~NewOrderConfirmBase() override;

protected:
    virtual void OnInitDialog(wxInitDialogEvent& event) { event.Skip(); }

    wxStaticText* m_symbolNameCaption;
    wxTextCtrl* m_symbolNameValue;
    wxStaticText* m_sideCaption;
    wxTextCtrl* m_sideValue;
    wxStaticText* m_priceCaption;
    wxTextCtrl* m_priceValue;
    wxStaticText* m_quantityCaption;
    wxTextCtrl* m_quantityValue;
    wxStaticText* m_orderTypeCaption;
    wxTextCtrl* m_orderTypeValue;
    wxStaticText* m_stopLossCaption;
    wxTextCtrl* m_stopLossValue;
    wxStaticText* m_takeProfitCaption;
    wxTextCtrl* m_takeProfitValue;
    wxStaticText* m_marginTypeCaption;
    wxTextCtrl* m_marginTypeValue;
    wxButton* m_confirmOk;
    wxButton* m_confirmCancel;
};
