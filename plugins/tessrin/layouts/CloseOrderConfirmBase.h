#pragma once

#include <wx/button.h>
#include <wx/dialog.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

// Layout of a short confirmation: five caption and read-only value rows and
// the "ok" and "cancel" buttons.
class CloseOrderConfirmBase : public wxDialog
{
public:
    explicit CloseOrderConfirmBase(wxWindow* parent, wxWindowID id = wxID_ANY,
                                   const wxString& title = wxEmptyString,
                                   const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize,
                                   long style = wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX | wxRESIZE_BORDER);
    ~CloseOrderConfirmBase() override;

protected:
    virtual void OnInitDialog(wxInitDialogEvent& event) { event.Skip(); }

    wxStaticText* m_symbolNameCaption;
    wxTextCtrl* m_symbolNameValue;
    wxStaticText* m_priceCaption;
    wxTextCtrl* m_priceValue;
    wxStaticText* m_quantityCaption;
    wxTextCtrl* m_quantityValue;
    wxStaticText* m_orderTypeCaption;
    wxTextCtrl* m_orderTypeValue;
    wxStaticText* m_orderCodeCaption;
    wxTextCtrl* m_orderCodeValue;
    wxButton* m_confirmOk;
    wxButton* m_confirmCancel;
};
